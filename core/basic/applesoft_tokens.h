// The Applesoft token table: the keyword spelled by each token byte $80-$EA.
// Shared by the listing, the colouring scanner and the keyword commands.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

constexpr int kApplesoftTokenCount = 107;     // tokens $80 to $EA
constexpr int kApplesoftTokenEntries = 108;   // plus the empty entry 107
constexpr int kApplesoftTokenWidth = 10;      // bytes per entry, NUL-padded
constexpr unsigned kApplesoftFirstToken = 0x80;
// Where a program starts in memory, and so its first line's address.
constexpr int kApplesoftLoadAddress = 0x0801;

// Entry k names token byte $80 + k, upper case, with the punctuation that is
// part of the token ("HCOLOR=", "TAB(", "PR#") and no surrounding spaces.
// The order matters beyond the listing: the colouring takes the first entry
// that matches. Entry 107 is all zero, the empty name.
extern const char kApplesoftTokens[kApplesoftTokenEntries][kApplesoftTokenWidth];

// The token bytes the tokenizer and the tools on the text look for.
inline constexpr uint8_t kTokenFor = 0x81;
inline constexpr uint8_t kTokenNext = 0x82;
inline constexpr uint8_t kTokenData = 0x83;
inline constexpr uint8_t kTokenDel = 0x85;
inline constexpr uint8_t kTokenDim = 0x86;
inline constexpr uint8_t kTokenGoto = 0xAB;
inline constexpr uint8_t kTokenRun = 0xAC;
inline constexpr uint8_t kTokenGosub = 0xB0;
inline constexpr uint8_t kTokenRem = 0xB2;
inline constexpr uint8_t kTokenOn = 0xB4;
inline constexpr uint8_t kTokenPrint = 0xBA;
inline constexpr uint8_t kTokenList = 0xBC;
inline constexpr uint8_t kTokenFn = 0xC2;
inline constexpr uint8_t kTokenThen = 0xC4;
inline constexpr uint8_t kTokenPlus = 0xC8;
inline constexpr uint8_t kTokenMinus = 0xC9;

enum class KeywordCase { Exact, Ignored };
enum class KeywordSpaces { Ignored, EndIt };

struct KeywordMatch {
    int entry = -1;       // index into the token table, -1 when none fits
    size_t length = 0;    // characters of text it spans, spaces included
};

// The first table entry, from `firstEntry` on, that `text` spells at position
// `at` the way the Apple II tokenizer reads it: spaces between its letters
// ignored (unless KeywordSpaces::EndIt), and with KeywordCase::Exact, upper
// case only (as the ROM compares).
KeywordMatch MatchApplesoftKeyword(std::string_view text, size_t at, KeywordCase letterCase,
                                   KeywordSpaces spaces = KeywordSpaces::Ignored, int firstEntry = 0);
