// Letter case of 7-bit ASCII, as Apple II names and keywords and Windows
// file extensions are compared here. Bytes from 128 up are left as they are,
// so they never equal a letter.
#pragma once
#include <string_view>

constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The value of a hexadecimal digit in either case, or -1.
constexpr int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    c = AsciiUpper(c);
    return (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
}

constexpr bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

constexpr bool EndsWithIgnoringCase(std::string_view text, std::string_view tail)
{
    return tail.size() <= text.size() && EqualIgnoringCase(text.substr(text.size() - tail.size()), tail);
}

// The first position at which `word` occurs in `text`, or npos.
constexpr size_t FindIgnoringCase(std::string_view text, std::string_view word)
{
    for (size_t start = 0; start + word.size() <= text.size(); ++start)
        if (EqualIgnoringCase(text.substr(start, word.size()), word)) return start;
    return std::string_view::npos;
}
