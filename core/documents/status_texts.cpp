// Status-bar texts of the caret read-out and tab stop positions.
#include "core/documents/status_texts.h"

#include <algorithm>

#include "core/settings/setting_values.h"

namespace {

constexpr int kTwipsPerPixel = 15;  // at 96 pixels per inch
constexpr long long kLargestLineNumber = 2147483647;  // digits beyond this are not read
constexpr long long kLargestTwips = 2147483647;

}  // namespace

std::string BasicLineStatus(std::string_view line)
{
    size_t at = 0;
    while (at < line.size() && static_cast<unsigned char>(line[at]) <= 32) ++at;
    if (at == line.size() || line[at] < '0' || line[at] > '9') return "BASIC Line#       ";
    long long number = 0;
    for (; at < line.size() && line[at] >= '0' && line[at] <= '9'; ++at) {
        long long next = number * 10 + (line[at] - '0');
        if (next > kLargestLineNumber) break;
        number = next;
    }
    return "BASIC Line#  " + std::to_string(number);
}

std::string ProblemCountStatus(size_t count)
{
    if (count == 0) return "No problems found";
    return std::to_string(count) + (count == 1 ? " problem" : " problems");
}

std::string LineStatus(int line) { return "Line# " + FormatDecimal(line); }

std::string CharacterStatus(int column) { return "Character# " + FormatDecimal(column); }

std::vector<long> TabStopPositions(int count, int widthInChars, int averageCharWidth)
{
    int stops = std::clamp(count, 0, static_cast<int>(kMaxTabStops));
    std::vector<long> positions;
    for (int i = 0; i < stops; ++i)
        positions.push_back(static_cast<long>(std::clamp(
            static_cast<long long>(widthInChars) * averageCharWidth * i * kTwipsPerPixel, -kLargestTwips, kLargestTwips)));
    return positions;
}
