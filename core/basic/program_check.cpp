// Check Program's findings. Each line is parsed alone, as the ROM parses it
// when it is typed, and listed back; the whole text is tokenized once more
// for what only the whole program shows (lines lost, its size).
#include "core/basic/program_check.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <map>
#include <set>

#include "core/basic/applesoft_listing.h"
#include "core/basic/applesoft_tokenizer.h"
#include "core/basic/applesoft_tokens.h"
#include "core/basic/check_numbering.h"
#include "core/basic/line_references.h"
#include "core/basic/variable_check.h"
#include "core/text/ascii.h"

namespace {

struct TextLine {
    size_t offset;
    std::string_view text;
};

// Line breaks as the tokenizer counts them: CR, LF or CR LF, high bit or not.
std::vector<TextLine> SplitLines(std::string_view text)
{
    const auto isEnd = [](char c) { return (c & 0x7F) == '\r' || (c & 0x7F) == '\n'; };
    std::vector<TextLine> lines;
    size_t start = 0;
    for (;;) {
        size_t end = start;
        while (end < text.size() && !isEnd(text[end])) ++end;
        lines.push_back({start, text.substr(start, end - start)});
        if (end == text.size()) return lines;
        start = end + ((end + 1 < text.size() && (text[end] & 0x7F) == '\r' && (text[end + 1] & 0x7F) == '\n') ? 2 : 1);
    }
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsToken(uint8_t b) { return b >= kApplesoftFirstToken; }
std::string TokenName(uint8_t b) { return kApplesoftTokens[b - kApplesoftFirstToken]; }

std::string ListedLine(int number, const std::vector<uint8_t>& contents)
{
    const int link = kApplesoftLoadAddress + 4 + static_cast<int>(contents.size()) + 1;
    std::vector<uint8_t> record = {static_cast<uint8_t>(link & 0xFF), static_cast<uint8_t>(link >> 8),
                                   static_cast<uint8_t>(number & 0xFF), static_cast<uint8_t>(number >> 8)};
    record.insert(record.end(), contents.begin(), contents.end());
    record.insert(record.end(), {0, 0, 0});
    std::string listed;
    ListApplesoft(0, static_cast<int>(record.size()), listed, record, kApplesoftLoadAddress);
    if (!listed.empty() && listed.back() == '\r') listed.pop_back();
    return listed;
}

// The keywords the ROM finds where a reader sees none: inside a name
// (SCORE lists as SC OR E), running into one (TOTAL as TO TAL) or across a
// space (LE THEN as LET HEN). A line typed without spaces between its
// words gives no clue where a reader's words end: there only a REM inside
// a name is told.
std::string KeywordsMisread(std::string_view contents, const std::vector<uint8_t>& parsed,
                            const std::vector<uint32_t>& typedAt)
{
    struct Span {
        size_t start, own, end;  // own: without the spaces the ROM dropped after it
    };
    std::vector<Span> spans(parsed.size());
    bool spaced = !typedAt.empty() && typedAt[0] > 0;
    for (size_t k = 0; k < parsed.size(); ++k) {
        const size_t start = typedAt[k];
        const size_t next = k + 1 < parsed.size() ? typedAt[k + 1] : contents.size();
        size_t own = next;
        while (own > start + 1 && contents[own - 1] == ' ') --own;
        spaced = spaced || own < next;
        spans[k] = {start, own, next};
    }
    std::string misread;
    const auto add = [&misread](const std::string& what) { misread += (misread.empty() ? "" : ", ") + what; };
    for (size_t k = 0; k < parsed.size(); ++k) {
        const uint8_t b = parsed[k];
        const Span& s = spans[k];
        // Operators, and "?" for PRINT, are no words.
        if (!IsToken(b) || !IsLetter(contents[s.start])) continue;
        const std::string_view spelled = contents.substr(s.start, s.own - s.start);
        const bool afterName = s.start > 0 && IsLetter(contents[s.start - 1]) && k > 0 && !IsToken(parsed[k - 1]);
        // What follows FN is its function's name, what follows REM or DATA is text.
        const bool intoName = s.own < contents.size() && IsLetter(contents[s.own]) && k + 1 < parsed.size() &&
                              !IsToken(parsed[k + 1]) && b != kTokenFn && b != kTokenRem && b != kTokenData;
        if (spelled.find(' ') != std::string_view::npos) add(TokenName(b) + " across a space");
        // A REM right after a name's letter is never meant, crunched or not:
        // it turns the rest of the line into a remark (THEREMIN).
        else if ((spaced || b == kTokenRem) && afterName) add(TokenName(b) + " inside a name");
        else if (spaced && intoName) add(TokenName(b) + " running into a name");
    }
    return misread;
}

std::vector<uint8_t> TokensOf(const std::vector<uint8_t>& parsed)
{
    std::vector<uint8_t> tokens;
    std::copy_if(parsed.begin(), parsed.end(), std::back_inserter(tokens), IsToken);
    return tokens;
}

// The ROM compares keywords in upper case only: "print" stays five letters.
bool LowerCaseKeywordsLost(std::string_view contents, const std::vector<uint8_t>& parsed)
{
    if (std::none_of(contents.begin(), contents.end(), [](char c) { return c >= 'a' && c <= 'z'; })) return false;
    std::string upper(contents);
    for (char& c : upper) c = AsciiUpper(c);
    std::vector<uint8_t> upperParsed;
    ParseApplesoftContents(upper, upperParsed);
    return TokensOf(parsed) != TokensOf(upperParsed);
}

const char* NoteProblem(TokenizeNoteKind kind)
{
    switch (kind) {
    case TokenizeNoteKind::LineCancelled: return "256 characters or more: the Apple cancels the line";
    case TokenizeNoteKind::LineCut: return "Longer than the input buffer: the end is cut";
    case TokenizeNoteKind::NumberTooLarge: return "Line number above 63999: not stored";
    case TokenizeNoteKind::NoLineNumber: return "No line number: run at once, not stored";
    case TokenizeNoteKind::OutOfMemory: return "Past the top of memory: this line and the rest are not stored";
    }
    return "";
}

FindingKind KindOfNote(TokenizeNoteKind kind)
{
    switch (kind) {
    case TokenizeNoteKind::LineCancelled: return FindingKind::LineCancelled;
    case TokenizeNoteKind::LineCut: return FindingKind::LineCut;
    case TokenizeNoteKind::NumberTooLarge: return FindingKind::NumberTooLarge;
    case TokenizeNoteKind::NoLineNumber: return FindingKind::NoLineNumber;
    case TokenizeNoteKind::OutOfMemory: break;
    }
    return FindingKind::OutOfMemory;
}

}  // namespace

ProgramCheck CheckApplesoftProgram(std::string_view text)
{
    ProgramCheck check;
    std::vector<TokenizeNote> notes;
    check.bytes = TokenizeApplesoft(text, kApplesoftLoadAddress, ApplesoftText::Typed, &notes).size();
    const std::vector<TextLine> lines = SplitLines(text);
    std::set<std::pair<int, TokenizeNoteKind>> noted;
    for (const TokenizeNote& note : notes) {
        if (!noted.insert({note.line, note.kind}).second) continue;
        const TextLine& line = lines[static_cast<size_t>(note.line)];
        check.findings.push_back({KindOfNote(note.kind), note.line, line.offset, NoteProblem(note.kind),
                                  std::string(line.text), {}});
    }

    std::vector<NumberedLine> numbered;
    std::vector<std::string> listingOfLine(lines.size());
    std::string buffer;
    std::vector<uint8_t> parsed;
    std::vector<uint32_t> typedAt;
    std::vector<LineReference> references;
    for (size_t i = 0; i < lines.size(); ++i) {
        const TextLine& line = lines[i];
        if (line.text.size() >= kMonitorLineChars) continue;  // cancelled, reported above
        buffer.clear();
        for (char c : line.text) {
            if ((c & 0x7F) == 0) break;
            buffer += static_cast<char>(c & 0x7F);
        }
        buffer.resize(std::min(buffer.size(), static_cast<size_t>(kInputBufferChars)));
        const TypedLineNumber number = ReadTypedLineNumber(buffer);
        if (number.value < 0 || number.value > kHighestLineNumber) continue;
        const std::string_view contents = std::string_view(buffer).substr(number.contentsAt);
        parsed.clear();
        typedAt.clear();
        references.clear();
        ParseApplesoftContents(contents, parsed, &typedAt);
        FindApplesoftReferences(parsed, typedAt, contents, 0, references);
        const int lineNumber = static_cast<int>(number.value);
        const std::string listed = parsed.empty() ? std::string() : ListedLine(lineNumber, parsed);
        const std::string misread = KeywordsMisread(contents, parsed, typedAt);
        if (!misread.empty())
            check.findings.push_back({FindingKind::ListsDifferently, static_cast<int>(i), line.offset,
                                      "Lists differently: " + misread, std::string(line.text), listed});
        if (LowerCaseKeywordsLost(contents, parsed))
            check.findings.push_back({FindingKind::LowerCase, static_cast<int>(i), line.offset,
                                      "Lower-case keywords are not recognised", std::string(line.text), listed});
        numbered.push_back({static_cast<int>(i), line.offset, line.text, lineNumber, parsed.empty(), listed,
                            JumpsAmong(references, contents)});
        listingOfLine[i] = listed;
    }
    // A cut line is stored as far as the input buffer goes.
    for (ProgramFinding& finding : check.findings)
        if (finding.kind == FindingKind::LineCut) finding.listed = listingOfLine[static_cast<size_t>(finding.line)];
    CheckNumbering(numbered, check);
    for (const VariableProblem& problem : FindApplesoftVariableProblems(text)) {
        const size_t i = static_cast<size_t>(problem.textLine);
        if (i < lines.size())
            check.findings.push_back({problem.kind, problem.textLine, lines[i].offset, problem.problem,
                                      std::string(lines[i].text), listingOfLine[i]});
    }
    std::stable_sort(check.findings.begin(), check.findings.end(),
                     [](const ProgramFinding& a, const ProgramFinding& b) { return a.line < b.line; });
    return check;
}

std::string DescribeProgramPlace(size_t bytes, BasicLanguage language)
{
    struct Area {
        long first, last;
        const char* name;
    };
    const bool applesoft = language == BasicLanguage::Applesoft;
    // Applesoft's program grows up towards HIMEM, Integer BASIC's down
    // towards its variables.
    const long first = applesoft ? kApplesoftLoadAddress : kDosHimem - static_cast<long>(bytes);
    const long last = applesoft ? kApplesoftLoadAddress + static_cast<long>(bytes) - 1 : kDosHimem - 1;
    const Area hgr1 = {kHgrPage1, kHgrPage1 + kHgrPageBytes - 1, "HGR page 1 ($2000-$3FFF)"};
    const Area hgr2 = {kHgrPage2, kHgrPage2 + kHgrPageBytes - 1, "HGR page 2 ($4000-$5FFF)"};
    const std::vector<Area> areas =
        applesoft ? std::vector<Area>{hgr1, hgr2, {kDosHimem, LONG_MAX, "HIMEM ($9600 with DOS)"}}
                  : std::vector<Area>{hgr2, hgr1, {LONG_MIN, kIntegerLomem - 1, "LOMEM ($0800)"}};
    if (bytes == 0) return applesoft ? "0 bytes" : "0 bytes below HIMEM ($9600 with DOS)";
    char range[96];
    std::snprintf(range, sizeof range, "%zu bytes at $%04lX-$%04lX", bytes, first, last);
    std::vector<std::string> into, clear;
    for (const Area& area : areas) (first <= area.last && last >= area.first ? into : clear).push_back(area.name);
    const auto join = [](const std::vector<std::string>& names) {
        std::string joined;
        for (size_t i = 0; i < names.size(); ++i)
            joined += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
        return joined;
    };
    std::string text = range;
    if (!applesoft) text += ", below HIMEM ($9600 with DOS)";
    if (!into.empty()) text += ": runs into " + join(into);
    if (!clear.empty()) text += (into.empty() ? ": clear of " : "; clear of ") + join(clear);
    return text;
}
