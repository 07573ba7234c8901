// Check Program on Integer BASIC: the ROM's own refusals come from the
// tokenizer's notes; the numbering and jumps are read as for Applesoft.
#include "core/basic/program_check.h"

#include <algorithm>
#include <set>

#include "core/basic/check_numbering.h"
#include "core/basic/integer_listing.h"
#include "core/basic/integer_tokenizer.h"
#include "core/basic/integer_tokens.h"
#include "core/basic/line_references.h"
#include "core/basic/program_lines.h"

namespace {

constexpr size_t kLineOverhead = 4;  // bytes: length, number, end token
constexpr size_t kRoom = kDosHimem - kIntegerLomem;  // bytes for program and variables together

struct NoteText {
    IntegerNoteKind note;
    FindingKind kind;
    const char* problem;
};
constexpr NoteText kNotes[] = {
    {IntegerNoteKind::SyntaxError, FindingKind::SyntaxError, "SYNTAX ERR: the Apple does not store this line"},
    {IntegerNoteKind::NumberTooLarge, FindingKind::NumberTooLarge, "A number above 32767 (>32767 ERR): not stored"},
    {IntegerNoteKind::LineTooLong, FindingKind::LineTooLong, "Too long for one line (255 bytes): not stored"},
    {IntegerNoteKind::NoLineNumber, FindingKind::NoLineNumber, "No line number: run at once, not stored"},
};

std::string ListedLine(int number, const std::vector<uint8_t>& tokens)
{
    std::vector<uint8_t> line = {static_cast<uint8_t>(tokens.size() + kLineOverhead), static_cast<uint8_t>(number & 0xFF),
                                 static_cast<uint8_t>(number >> 8)};
    line.insert(line.end(), tokens.begin(), tokens.end());
    line.push_back(kIntegerLineEnd);
    std::string listed;
    ListIntegerBasic(0, static_cast<int>(line.size()), listed, line, 0);
    if (!listed.empty() && listed.back() == '\n') listed.pop_back();
    return listed;
}

}  // namespace

ProgramCheck CheckIntegerProgram(std::string_view text)
{
    ProgramCheck check;
    check.language = BasicLanguage::Integer;
    std::vector<IntegerNote> notes;
    check.bytes = TokenizeIntegerBasic(text, &notes).size();
    std::set<int> refused;
    for (const IntegerNote& note : notes) refused.insert(note.line);

    std::vector<NumberedLine> numbered;
    std::vector<LineReference> references;
    ParsedLine parsed;
    size_t entered = 0;  // bytes of the lines stored so far, in the order typed
    size_t next = 0;     // the first note not yet reported
    for (ProgramLines lines(text); lines.Next();) {
        const int line = lines.TextLine();
        const std::string_view typed = text.substr(lines.Start(), lines.Buffer().size());
        // The notes come in the order of the text's lines.
        for (; next < notes.size() && notes[next].line == line; ++next)
            for (const NoteText& kind : kNotes)
                if (notes[next].kind == kind.note)
                    check.findings.push_back({kind.kind, line, lines.Start(), kind.problem, std::string(typed), {}});
        if (lines.Blank() || refused.count(line)) continue;
        ParseProgramLine(lines, BasicLanguage::Integer, parsed);
        references.clear();
        FindIntegerReferences(parsed.tokens, parsed.typedAt, parsed.contents, 0, references);
        const int number = static_cast<int>(parsed.number);
        const bool alone = parsed.tokens.empty();
        numbered.push_back({line, lines.Start(), typed, number, alone, alone ? std::string() : ListedLine(number, parsed.tokens),
                            JumpsAmong(references, parsed.contents)});
        // Each line goes in below the last; past the room, MEM FULL ERR.
        const size_t before = entered;
        if (!alone) entered += parsed.tokens.size() + kLineOverhead;
        if (before <= kRoom && entered > kRoom)
            check.findings.push_back({FindingKind::OutOfMemory, line, lines.Start(),
                                      "MEM FULL ERR: the program passes LOMEM ($0800) here, " +
                                          std::to_string(kRoom) + " bytes below HIMEM ($9600 with DOS)",
                                      std::string(typed), numbered.back().listed});
    }
    CheckNumbering(numbered, check);
    std::stable_sort(check.findings.begin(), check.findings.end(),
                     [](const ProgramFinding& a, const ProgramFinding& b) { return a.line < b.line; });
    return check;
}
