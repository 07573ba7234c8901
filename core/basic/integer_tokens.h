// The Integer BASIC token table: the text each token byte $00-$7F lists as,
// and the bytes the listing and the tokenizer both give a meaning to.
#pragma once
#include <cstdint>

constexpr int kIntegerTokenCount = 128;  // token bytes $00-$7F
constexpr int kIntegerTokenWidth = 10;   // bytes per table entry, NUL-padded

// The text each token byte lists as. The spaces inside the texts are the
// listing's spacing and are printed exactly.
extern const char kIntegerTokens[kIntegerTokenCount][kIntegerTokenWidth];

inline constexpr uint8_t kIntegerLineEnd = 0x01;
inline constexpr uint8_t kColon = 0x03;
inline constexpr uint8_t kOpenQuote = 0x28;
inline constexpr uint8_t kCloseQuote = 0x29;
inline constexpr uint8_t kPeek = 0x2E;
inline constexpr uint8_t kLen = 0x3B;
inline constexpr uint8_t kRem = 0x5D;
inline constexpr uint8_t kIf = 0x60;
// Every byte of $80 or more is a character with its high bit set; where a
// number may stand, $B0-$B9 (a digit) starts a constant instead.
inline constexpr uint8_t kHighBit = 0x80;
inline constexpr uint8_t kFirstDigit = 0xB0;  // '0' with the high bit
inline constexpr uint8_t kLastDigit = 0xB9;   // '9' with the high bit
