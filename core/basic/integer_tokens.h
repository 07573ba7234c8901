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
// Where a line number may stand: after these, and after the commas of
// LIST's and DEL's ranges.
inline constexpr uint8_t kGoto = 0x5F;
inline constexpr uint8_t kGosub = 0x5C;
inline constexpr uint8_t kThenLine = 0x24;  // THEN before a line number; $25 is THEN before a statement
inline constexpr uint8_t kListRange = 0x74;  // LIST with a line; $76 is LIST alone
inline constexpr uint8_t kListComma = 0x75;
inline constexpr uint8_t kRunLine = 0x07;   // RUN with a line; $08 is RUN alone
inline constexpr uint8_t kDel = 0x09;
inline constexpr uint8_t kDelComma = 0x0A;
// What the variables are named after.
inline constexpr uint8_t kFor = 0x55;
inline constexpr uint8_t kNext = 0x59;
inline constexpr uint8_t kNextComma = 0x5A;
inline constexpr uint8_t kDimString = 0x4E;  // DIM before a string, then before a number
inline constexpr uint8_t kDimNumber = 0x4F;
inline constexpr uint8_t kDimStringComma = 0x43;
inline constexpr uint8_t kDimNumberComma = 0x44;
inline constexpr uint8_t kDollar = 0x40;        // after a string's name
inline constexpr uint8_t kSubscriptOpen = 0x2D;  // an array's element
inline constexpr uint8_t kDimNumberOpen = 0x34;  // a number array's size in DIM
inline constexpr uint8_t kClose = 0x72;
// Every byte of $80 or more is a character with its high bit set; where a
// number may stand, $B0-$B9 (a digit) starts a constant instead.
inline constexpr uint8_t kHighBit = 0x80;
inline constexpr uint8_t kFirstDigit = 0xB0;  // '0' with the high bit
inline constexpr uint8_t kLastDigit = 0xB9;   // '9' with the high bit
