// The Applesoft line parser, step for step as the ROM runs it on its input
// buffer: spaces dropped except in strings, remarks and DATA; digits, ":" and
// ";" never start a keyword; "?" is PRINT; the first table entry that fits
// wins, except that AT gives way when an N or an O follows it at once (ATN,
// A TO).
#include "core/basic/applesoft_tokenizer.h"

#include <algorithm>
#include <span>
#include <string>

#include "core/basic/applesoft_tokens.h"
#include "core/text/typed_lines.h"

namespace {

constexpr int kEntryAt = 0xC5 - kApplesoftFirstToken;
constexpr int kRecordHeader = 4;  // link and line number
constexpr int kMostLineNumber = 65535;
constexpr int kAddressSpace = 0x10000;  // bytes
constexpr long kNumberCap = kMostLineNumber + 1;  // above every number a line may have

struct Entered {
    int number;
    int lineOfText;
    size_t offset;  // of the contents in the shared buffer
    size_t length;  // 0: the number alone, which deletes the line
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The line as the input buffer holds it: seven-bit characters up to the
// first NUL.
void ReadInputBuffer(std::string_view line, std::string& buffer)
{
    buffer.clear();
    for (char c : line) {
        const char seven = SevenBit(c);
        if (seven == '\0')
            break;
        buffer += seven;
    }
}

// Appends the parsed line to `out`, and to `typedAt` where each byte came from.
void ParseContents(std::string_view text, ApplesoftText kind, std::vector<uint8_t>& out,
                   std::vector<uint32_t>* typedAt = nullptr)
{
    // Every byte appended comes from the characters at `from` on.
    const auto source = [typedAt](size_t from, size_t count) {
        if (typedAt != nullptr)
            for (size_t k = 0; k < count; ++k)
                typedAt->push_back(static_cast<uint32_t>(from + k));
    };
    bool inData = false;
    size_t i = 0;
    // A listing spells each token whole between spaces, so a keyword read
    // across a space would join a name to the keyword after it (RE X PRINT
    // would give EXP).
    const KeywordSpaces spaces = kind == ApplesoftText::Listing ? KeywordSpaces::EndIt : KeywordSpaces::Ignored;
    // A listing writes one space after each keyword; a REM or DATA text starts
    // after it.
    const auto skipListingSpace = [&] {
        if (kind == ApplesoftText::Listing && i < text.size() && text[i] == ' ')
            ++i;
    };
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ' && !inData) {
            ++i;
            continue;
        }
        if (c == '"') {
            const size_t close = text.find('"', i + 1);
            const size_t end = close == std::string_view::npos ? text.size() : close + 1;
            out.insert(out.end(), text.begin() + static_cast<std::ptrdiff_t>(i), text.begin() + static_cast<std::ptrdiff_t>(end));
            source(i, end - i);
            i = end;
            continue;
        }
        if (inData) {
            inData = c != ':';
            out.push_back(static_cast<uint8_t>(c));
            source(i++, 1);
            continue;
        }
        if (c == '?') {
            out.push_back(kTokenPrint);
            source(i++, 1);
            continue;
        }
        if (c >= '0' && c <= ';') {
            out.push_back(static_cast<uint8_t>(c));
            source(i++, 1);
            continue;
        }
        KeywordMatch match = MatchApplesoftKeyword(text, i, KeywordCase::Exact, spaces);
        if (match.entry == kEntryAt) {
            const size_t after = i + match.length;
            if (after < text.size() && (text[after] == 'N' || text[after] == 'O'))
                match = MatchApplesoftKeyword(text, i, KeywordCase::Exact, spaces, kEntryAt + 1);
        }
        if (match.length == 0) {
            out.push_back(static_cast<uint8_t>(c));
            source(i++, 1);
            continue;
        }
        const uint8_t token = static_cast<uint8_t>(kApplesoftFirstToken + match.entry);
        out.push_back(token);
        source(i, 1);
        i += match.length;
        if (token == kTokenRem) {
            skipListingSpace();
            out.insert(out.end(), text.begin() + static_cast<std::ptrdiff_t>(i), text.end());
            source(i, text.size() - i);
            break;
        }
        if (token == kTokenData) {
            inData = true;
            skipListingSpace();
        }
    }
}

}  // namespace

TypedLineNumber ReadTypedLineNumber(std::string_view line)
{
    TypedLineNumber number;
    size_t i = line.find_first_not_of(' ');
    if (i == std::string_view::npos)
        return number;
    number.blank = false;
    if (!IsDigit(line[i]))
        return number;
    // Read as CHRGET reads it: spaces anywhere among its digits.
    number.value = 0;
    for (; i < line.size() && (IsDigit(line[i]) || line[i] == ' '); ++i)
        if (line[i] != ' ')
            number.value = std::min(number.value * 10 + (line[i] - '0'), kNumberCap);
    number.contentsAt = i;
    return number;
}

void ParseApplesoftContents(std::string_view contents, std::vector<uint8_t>& out, std::vector<uint32_t>* typedAt)
{
    ParseContents(contents, ApplesoftText::Typed, out, typedAt);
}

std::vector<uint8_t> TokenizeApplesoft(std::string_view text, int loadAddress, ApplesoftText kind,
                                       std::vector<TokenizeNote>* notes)
{
    const auto note = [notes](int line, TokenizeNoteKind what) {
        if (notes != nullptr)
            notes->push_back({line, what});
    };
    const int highest = kind == ApplesoftText::Typed ? kHighestLineNumber : kMostLineNumber;
    // Every line as entered, its contents in one shared buffer; sorted by
    // number at the end, where the last of each number wins.
    std::vector<Entered> entered;
    std::vector<uint8_t> parsed;
    parsed.reserve(text.size());
    std::string buffer;
    int lineIndex = 0;
    for (size_t start = 0; start <= text.size(); ++lineIndex) {
        std::string_view typed = NextTypedLine(text, start);
        // The monitor's line input cancels a line at its 256th character and
        // starts a new one with what follows.
        while (kind == ApplesoftText::Typed && typed.size() >= kMonitorLineChars) {
            note(lineIndex, TokenizeNoteKind::LineCancelled);
            typed.remove_prefix(kMonitorLineChars);
        }
        ReadInputBuffer(typed, buffer);
        if (kind == ApplesoftText::Typed && buffer.size() > static_cast<size_t>(kInputBufferChars)) {
            buffer.resize(kInputBufferChars);
            note(lineIndex, TokenizeNoteKind::LineCut);
        }
        const TypedLineNumber number = ReadTypedLineNumber(buffer);
        if (number.blank)
            continue;
        if (number.value < 0) {
            note(lineIndex, TokenizeNoteKind::NoLineNumber);
            continue;
        }
        if (number.value > highest) {
            note(lineIndex, TokenizeNoteKind::NumberTooLarge);
            continue;
        }
        const size_t offset = parsed.size();
        ParseContents(std::string_view(buffer).substr(number.contentsAt), kind, parsed);
        entered.push_back({static_cast<int>(number.value), lineIndex, offset, parsed.size() - offset});
    }

    std::vector<uint8_t> program;
    int address = loadAddress;
    std::stable_sort(entered.begin(), entered.end(),
                     [](const Entered& a, const Entered& b) { return a.number < b.number; });
    program.reserve(parsed.size() + 5 * entered.size() + 2);
    for (size_t k = 0; k < entered.size(); ++k) {
        const Entered& line = entered[k];
        if ((k + 1 < entered.size() && entered[k + 1].number == line.number) || line.length == 0)
            continue;  // replaced by a later line, or deleted
        const int number = line.number;
        const std::span<const uint8_t> contents(parsed.data() + line.offset, line.length);
        // Links are 16-bit: a line that would end past the top of memory
        // (the end link included) is not stored, nor any after it.
        const int next = address + kRecordHeader + static_cast<int>(contents.size()) + 1;
        if (next + 2 > kAddressSpace) {
            note(line.lineOfText, TokenizeNoteKind::OutOfMemory);
            break;
        }
        address = next;
        program.push_back(static_cast<uint8_t>(address & 0xFF));
        program.push_back(static_cast<uint8_t>((address >> 8) & 0xFF));
        program.push_back(static_cast<uint8_t>(number & 0xFF));
        program.push_back(static_cast<uint8_t>(number >> 8));
        program.insert(program.end(), contents.begin(), contents.end());
        program.push_back(0);
    }
    program.push_back(0);
    program.push_back(0);
    return program;
}
