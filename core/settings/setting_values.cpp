// Settings texts: parsing and formatting.
#include "core/settings/setting_values.h"

#include <climits>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/text/ascii.h"

bool ParseFlag(std::string_view text) { return text == "TRUE"; }

int ParseDecimal(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

uint32_t ParseColour(std::string_view text)
{
    uint32_t value = 0;
    for (char c : text) {
        int digit = HexDigitValue(c);
        if (digit < 0) break;
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return value & 0x00FFFFFFu;
}

std::string FormatColour(uint32_t colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "%X", colour);
    return text;
}

std::string FormatDecimal(int value) { return std::to_string(value); }

std::string FitSlot(std::string_view value, size_t slotChars)
{
    return std::string(value.substr(0, slotChars));
}

std::string IndexedKey(std::string_view format, int index)
{
    std::string key(format);
    size_t at = key.find("%i");
    if (at != std::string::npos) key.replace(at, 2, std::to_string(index));
    return key;
}

int ParseCount(std::string_view text, int most) { return std::clamp(ParseDecimal(text), 0, most); }

int PointsToTwips(int points)
{
    long long size = std::llabs(static_cast<long long>(points));
    return static_cast<int>(std::min<long long>(size, kMaxFontPoints)) * kTwipsPerPoint;
}

int TwipsToPoints(int twips)
{
    long long size = std::llabs(static_cast<long long>(twips)) / kTwipsPerPoint;
    return static_cast<int>(std::min<long long>(size, kMaxFontPoints));
}

