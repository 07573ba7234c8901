// Program text to the tokenized Applesoft program the ROM stores when the
// text is typed at the ] prompt.
#pragma once
#include "core/basic/applesoft_tokens.h"
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

constexpr int kInputBufferChars = 239;   // the ROM cuts a typed line to this
constexpr int kHighestLineNumber = 63999;
constexpr size_t kMonitorLineChars = 256;  // a typed line this long is cancelled

enum class ApplesoftText {
    // What a user types: the Apple's own rules, the input buffer's length and
    // the highest line number it accepts included.
    Typed,
    // A listing (ListApplesoft) read back into the program it lists: keywords
    // are read only where spelled whole, as the listing writes them; the one
    // space the listing writes after each keyword is not taken into a REM or
    // DATA text; and neither the buffer's length nor 63999 limits a line,
    // since the lines were entered before they were listed.
    Listing,
};

enum class TokenizeNoteKind {
    LineCancelled,     // 256 characters or more: the first 256 are lost, the rest is a line of its own
    LineCut,           // longer than the input buffer: the rest is lost
    NumberTooLarge,    // above 63999: ?SYNTAX ERROR, the line is not stored
    NoLineNumber,      // run at once, not stored
    OutOfMemory,       // would end past $FFFF: neither it nor any later line is stored
};

struct TokenizeNote {
    int line;  // 0-based line of the text
    TokenizeNoteKind kind;
};

// Lines end with CR, LF or CR LF (with or without the high bit). A line is
// read as the ROM reads its input buffer: the high bit of each character
// dropped, a NUL ending it. Other control characters are kept as typed (the
// monitor's line editing by backspace, Ctrl-X, Ctrl-U and Esc is not
// followed). The limit is the 64 KB of addresses, not HIMEM. Lines are
// kept in number order; a later line replaces one of the same number and a
// number alone deletes it. The result is the line records, linked from
// `loadAddress`, and the zero end link. Lines the Apple would not store, or
// not whole, are named in `notes` when it is given.
std::vector<uint8_t> TokenizeApplesoft(std::string_view text, int loadAddress = kApplesoftLoadAddress,
                                       ApplesoftText kind = ApplesoftText::Typed,
                                       std::vector<TokenizeNote>* notes = nullptr);

// One typed line's contents (what follows its number, within the input
// buffer) parsed as the ROM parses them, appended to `out`. With `typedAt`,
// each byte appended gets the index in `contents` of the first character it
// came from, so a keyword's typed spelling can be found again.
void ParseApplesoftContents(std::string_view contents, std::vector<uint8_t>& out,
                            std::vector<uint32_t>* typedAt = nullptr);

// The number a typed line begins with, read as the ROM reads it.
struct TypedLineNumber {
    bool blank = true;      // nothing but spaces
    long value = -1;        // -1: the line does not begin with a digit; at most 65536, so a number too large stays too large
    size_t contentsAt = 0;  // where the contents after the number begin
};
TypedLineNumber ReadTypedLineNumber(std::string_view line);
