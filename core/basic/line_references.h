// Where a BASIC program names its own lines: each line's number, and the
// numbers after GOTO, GOSUB, THEN, in ON's lists, after ONERR GOTO, LIST,
// RUN and DEL, found where the ROM reads them. Renumbering, Check Program
// and the editor's jumps all read them here.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/basic/basic_language.h"

enum class ReferenceKind { Goto, Gosub, Then, List, Run, Del };

// The keyword a reference follows, as the program spells it.
const char* ReferenceKeyword(ReferenceKind kind);

struct LineReference {
    ReferenceKind kind;
    size_t at;         // in the text: the first digit, or where a computed line's expression starts
    size_t digitsEnd;  // after the last digit (blanks among the digits included); `at` when there are none
    // After all that stands for the line: past digitsEnd when the line is
    // computed (Integer's GOTO X*10) or when Applesoft reads the digits and
    // ignores what follows them (GOTO 10+X goes to 10).
    size_t end;
    long target;       // the number the digits spell, -1 when there are none
};

// The digits of `reference` in `text` as typed, without the blanks among
// them or their high bits.
std::string ReferenceDigits(std::string_view text, const LineReference& reference);

struct ScannedLine {
    int textLine;      // 0-based line of the text
    size_t start;      // where the line starts in the text
    size_t numberAt;   // its number's digits in the text; numberEnd == numberAt when it has none
    size_t numberEnd;
    long number;       // -1 when the line has no number
    bool understood;   // false: Integer BASIC refuses the line (SYNTAX ERR), so no reference is known
    std::vector<LineReference> references;  // in the order of the text
};

// Every line of the text that holds more than blanks, in text order. Lines
// end with CR, LF or CR LF, the high bit of each character means nothing and
// a NUL ends a line, as the tokenizers read them; a line is read whole, past
// the input buffer's length. Digits read past the highest line number give a
// target of kBeyondEveryLine.
constexpr long kBeyondEveryLine = 65536;
std::vector<ScannedLine> ScanLineReferences(std::string_view text, BasicLanguage language);

// The references of one Applesoft line whose contents ParseApplesoftContents
// parsed (with `typedAt`), appended to `references` with positions in
// `contents` plus `base`.
void FindApplesoftReferences(std::span<const uint8_t> parsed, std::span<const uint32_t> typedAt,
                             std::string_view contents, size_t base, std::vector<LineReference>& references);

// The same for an Integer BASIC line ParseIntegerContents stored.
void FindIntegerReferences(std::span<const uint8_t> tokens, std::span<const uint32_t> typedAt,
                           std::string_view contents, size_t base, std::vector<LineReference>& references);

// The line-number reference the caret stands on or right after, and the line
// it names (the last of that number, which is the one the Apple keeps).
struct CaretReference {
    bool found = false;
    LineReference reference{};
    int targetTextLine = -1;  // -1 when no line has the number
    size_t targetStart = 0;   // where that line starts in the text
};
CaretReference ReferenceAtCaret(std::string_view text, size_t caret, BasicLanguage language);

// Every reference to line `target`, in text order: the lines that jump there.
struct JumpingLine {
    int textLine;
    long number;  // of the line holding the reference, -1 when it has none
    LineReference reference;
};
std::vector<JumpingLine> LinesThatJumpTo(std::string_view text, long target, BasicLanguage language);
