// Apple text conversion: a byte-for-byte table per mode.
#include "core/text/apple_text.h"

#include <array>

namespace {

using CharTable = std::array<char, 256>;

constexpr uint8_t kLineFeed = 0x0A;
constexpr uint8_t kCarriageReturn = 0x0D;

constexpr CharTable MakeDos33Table()
{
    CharTable table{};
    for (int b = 0; b < 256; ++b) {
        uint8_t c = (b & 0x80) != 0 ? static_cast<uint8_t>(b & 0x7F) : ' ';
        if (b == (0x80 | kCarriageReturn))
            c = kLineFeed;
        table[b] = static_cast<char>(c == 0 ? ' ' : c);
    }
    return table;
}

constexpr CharTable MakeProdosTable()
{
    CharTable table{};
    for (int b = 0; b < 256; ++b) {
        uint8_t c = b < 0x20 ? ' ' : static_cast<uint8_t>(b & 0x7F);
        if ((b & 0x7F) == kCarriageReturn)
            c = kLineFeed;
        table[b] = static_cast<char>(c == 0 ? ' ' : c);
    }
    return table;
}

constexpr CharTable kDos33Table = MakeDos33Table();
constexpr CharTable kProdosTable = MakeProdosTable();

}  // namespace

std::string ConvertAppleText(std::span<const uint8_t> input, int mode)
{
    const CharTable& table = mode == kDos33Text ? kDos33Table : kProdosTable;
    std::string text(input.size(), ' ');
    for (size_t k = 0; k < input.size(); ++k)
        text[k] = table[input[k]];
    return text;
}
