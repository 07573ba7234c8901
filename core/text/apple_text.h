// Apple II text files to Windows text.
#pragma once
#include <cstdint>
#include <span>
#include <string>

constexpr int kProdosText = 0;  // ProDOS text: plain ASCII, carriage returns end lines
constexpr int kDos33Text = 2;   // DOS 3.3 text: high-bit ASCII, $8D ends lines

// Returns exactly one character per input byte.
// DOS 3.3 (mode 2): a byte with the high bit set becomes itself without it, any
// other byte a blank; $8D becomes a line feed ($88, $8C, $89, $8B stay backspace,
// form feed, tab, vertical tab).
// ProDOS (any other mode): a byte below $20 becomes a blank, any other byte
// itself without the high bit; $0D and $8D become a line feed.
// A byte that would become a NUL ($80) becomes a blank, since the document's text
// would end at a NUL.
std::string ConvertAppleText(std::span<const uint8_t> input, int mode);
