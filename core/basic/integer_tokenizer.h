// Program text to the tokenized Integer BASIC program the ROM stores when the
// text is typed at the > prompt.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

constexpr int kIntegerHighestNumber = 32767;  // of a line number or a constant

enum class IntegerNoteKind {
    SyntaxError,     // SYNTAX ERR: the line is not stored
    NumberTooLarge,  // a line number or constant above 32767 (>32767 ERR): not stored
    LineTooLong,     // more tokens than a line's length byte counts: not stored
    NoLineNumber,    // run at once, not stored
};

struct IntegerNote {
    int line;    // 0-based line of the text
    int number;  // its line number as typed (at most 65536), -1 when it has none
    IntegerNoteKind kind;
};

// Lines end with CR, LF or CR LF (with or without the high bit); the high
// bit of every character is dropped and a NUL ends the line. Blanks count for
// nothing outside strings and REM text, as on the Apple; the one blank a
// listing writes after REM is not taken into the remark. Lines are kept in
// number order; a later line replaces one of the same number and a number
// alone deletes it. The result is each line's length byte, its number (low
// byte first), its tokens and $01, in order. Lines the Apple would refuse are
// named in `notes` when it is given, and leave an earlier line of their
// number as it was. A line may have any number of characters: a listing's
// line is often longer than the line typed.
std::vector<uint8_t> TokenizeIntegerBasic(std::string_view text, std::vector<IntegerNote>* notes = nullptr);

enum class IntegerParse { Stored, SyntaxError, NumberTooLarge };

// One line's contents (what follows its number) parsed as the ROM parses
// them, the tokens appended to `out`; on a refusal nothing is appended.
// With `typedAt`, each byte appended gets the index in `contents` of the
// character it came from: a keyword's first letter, a constant's first digit.
IntegerParse ParseIntegerContents(std::string_view contents, std::vector<uint8_t>& out,
                                  std::vector<uint32_t>* typedAt = nullptr);

// Where `word` ends when it is spelled in `line` from `at`, blanks among its
// letters allowed, as the prompt reads a keyword; short of its end where the
// spelling stops matching.
size_t SpelledEnd(std::string_view line, size_t at, std::string_view word);
