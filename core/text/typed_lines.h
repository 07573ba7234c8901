// Program text as it is typed, one line at a time: a carriage return, a line
// feed or the two together end a line. The keyboard's high bit means nothing
// to the ROM, so $8D is a return too.
#pragma once
#include <cstddef>
#include <string_view>

inline char SevenBit(char c) { return static_cast<char>(c & 0x7F); }

inline bool IsLineEnd(char c) { return SevenBit(c) == '\r' || SevenBit(c) == '\n'; }

// The line that starts at `start`, without its end; `start` moves past the
// end. A text is read while `start <= text.size()`, so a last line without
// an end is read too, and an empty text is one empty line.
inline std::string_view NextTypedLine(std::string_view text, size_t& start)
{
    size_t end = start;
    while (end < text.size() && !IsLineEnd(text[end])) ++end;
    const std::string_view line = text.substr(start, end - start);
    start = end + ((end + 1 < text.size() && SevenBit(text[end]) == '\r' && SevenBit(text[end + 1]) == '\n') ? 2 : 1);
    return line;
}

// The line around `position`, without its end.
inline std::string_view LineAround(std::string_view text, size_t position)
{
    size_t start = position < text.size() ? position : text.size();
    while (start > 0 && !IsLineEnd(text[start - 1])) --start;
    return NextTypedLine(text, start);
}
