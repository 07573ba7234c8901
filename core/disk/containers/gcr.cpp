// 6-and-2 and 5-and-3 data fields. Each field is a chain: every disk byte
// holds its value XOR the one before, and the last holds the last value, so
// that the XOR of all of them is zero when the field is whole.
#include "core/disk/containers/gcr.h"

#include <array>

namespace {

constexpr uint8_t kDiskBytes62[64] = {
    0x96, 0x97, 0x9A, 0x9B, 0x9D, 0x9E, 0x9F, 0xA6, 0xA7, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF, 0xB2, 0xB3,
    0xB4, 0xB5, 0xB6, 0xB7, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xCB, 0xCD, 0xCE, 0xCF, 0xD3,
    0xD6, 0xD7, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE, 0xDF, 0xE5, 0xE6, 0xE7, 0xE9, 0xEA, 0xEB, 0xEC,
    0xED, 0xEE, 0xEF, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF,
};
constexpr uint8_t kDiskBytes53[32] = {
    0xAB, 0xAD, 0xAE, 0xAF, 0xB5, 0xB6, 0xB7, 0xBA, 0xBB, 0xBD, 0xBE, 0xBF, 0xD6, 0xD7, 0xDA, 0xDB,
    0xDD, 0xDE, 0xDF, 0xEA, 0xEB, 0xED, 0xEE, 0xEF, 0xF5, 0xF6, 0xF7, 0xFA, 0xFB, 0xFD, 0xFE, 0xFF,
};
constexpr uint8_t kNotInCode = 0xFF;

template <size_t N>
constexpr std::array<uint8_t, 256> Inverse(const uint8_t (&diskBytes)[N])
{
    std::array<uint8_t, 256> values{};
    values.fill(kNotInCode);
    for (size_t i = 0; i < N; ++i) values[diskBytes[i]] = static_cast<uint8_t>(i);
    return values;
}
constexpr std::array<uint8_t, 256> kValues62 = Inverse(kDiskBytes62);
constexpr std::array<uint8_t, 256> kValues53 = Inverse(kDiskBytes53);

constexpr size_t kTwos = 86;  // 6-and-2: the values holding the low two bits of three bytes each
constexpr int kThrees = 154;  // 5-and-3: the values holding the low three bits
constexpr int kGroups53 = 51;  // 5-and-3 packs bytes 0-254 in groups of five

// The two low bits of a byte, swapped as 6-and-2 stores them.
constexpr uint8_t SwappedLowBits(uint8_t value) { return static_cast<uint8_t>(((value & 1) << 1) | ((value >> 1) & 1)); }

// Undoes the chain of a field: false when a disk byte is not in the code or
// the checksum does not match.
template <size_t N>
bool Unchain(std::span<const uint8_t, N> field, const std::array<uint8_t, 256>& code, std::array<uint8_t, N - 1>& values)
{
    uint8_t sum = 0, seen = 0;
    for (size_t i = 0; i + 1 < N; ++i) {
        uint8_t value = code[field[i]];
        seen |= value;
        sum ^= value;
        values[i] = sum;
    }
    uint8_t checksum = code[field[N - 1]];
    return ((seen | checksum) & ~0x3F) == 0 && sum == checksum;  // a value is below 64, kNotInCode is not
}

}  // namespace

bool DecodeData62(std::span<const uint8_t, kData62Nibbles> field, std::span<uint8_t, 256> out)
{
    std::array<uint8_t, kData62Nibbles - 1> values;
    if (!Unchain(field, kValues62, values)) return false;
    for (size_t part = 0; part < 3; ++part)
        for (size_t i = 0; i < kTwos && part * kTwos + i < 256; ++i) {
            size_t at = part * kTwos + i;
            out[at] = static_cast<uint8_t>((values[kTwos + at] << 2) | SwappedLowBits(static_cast<uint8_t>(values[i] >> (2 * part))));
        }
    return true;
}

void EncodeData62(std::span<const uint8_t, 256> data, std::span<uint8_t, kData62Nibbles> field)
{
    std::array<uint8_t, kData62Nibbles - 1> values{};
    // DOS 3.3 fills the last two values' top bits with bytes 0 and 1 again.
    for (size_t i = 0; i < 3 * kTwos; ++i) {
        uint8_t byte = data[i % 256];
        values[i % kTwos] |= static_cast<uint8_t>(SwappedLowBits(byte) << (2 * (i / kTwos)));
        if (i < 256) values[kTwos + i] = static_cast<uint8_t>(byte >> 2);
    }
    uint8_t previous = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        field[i] = kDiskBytes62[values[i] ^ previous];
        previous = values[i];
    }
    field[kData62Nibbles - 1] = kDiskBytes62[previous];
}

bool DecodeData53(std::span<const uint8_t, kData53Nibbles> field, std::span<uint8_t, 256> out)
{
    // The threes come first, last one first; then the top five bits of each byte.
    std::array<uint8_t, kData53Nibbles - 1> values;
    if (!Unchain(field, kValues53, values)) return false;
    auto three = [&](int i) { return values[static_cast<size_t>(kThrees - 1 - i)]; };
    auto top = [&](int i) { return static_cast<uint8_t>(values[static_cast<size_t>(kThrees + i)] << 3); };
    for (int group = 0; group < kGroups53; ++group) {
        int i = kGroups53 - 1 - group;
        uint8_t a = three(i), b = three(kGroups53 + i), c = three(2 * kGroups53 + i);
        size_t at = static_cast<size_t>(group) * 5;
        out[at] = top(i) | (a >> 2);
        out[at + 1] = top(kGroups53 + i) | (b >> 2);
        out[at + 2] = top(2 * kGroups53 + i) | (c >> 2);
        out[at + 3] = top(3 * kGroups53 + i) | static_cast<uint8_t>(((a & 2) << 1) | (b & 2) | ((c & 2) >> 1));
        out[at + 4] = top(4 * kGroups53 + i) | static_cast<uint8_t>(((a & 1) << 2) | ((b & 1) << 1) | (c & 1));
    }
    out[255] = top(255) | (three(kThrees - 1) & 7);
    return true;
}
