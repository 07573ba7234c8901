// The hex dump view.
#include "core/text/hex_dump.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace {

const std::string kHeading = "   $     00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F        ASCII \n";

std::string Dump(const std::vector<uint8_t>& bytes, int count)
{
    std::string text = "previous contents";
    HexDump(0, count, text, bytes, 0x2000);
    return text;
}

std::vector<uint8_t> Counting(size_t count, uint8_t first)
{
    std::vector<uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

}  // namespace

TEST(HexDump, LineShapes)
{
    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        std::string body;
    };
    const Row rows[] = {
        {"no bytes", {}, "\n"},
        {"one full line", Counting(16, 0xC1),
         "\n000000   C1 C2 C3 C4 C5 C6 C7 C8 C9 CA CB CC CD CE CF D0   ABCDEFGHIJKLMNOP\n"},
        {"a full line and one byte", Counting(17, 0x30),
         "\n000000   30 31 32 33 34 35 36 37 38 39 3A 3B 3C 3D 3E 3F   0123456789:;<=>?"
         "\n000010   40 " + std::string(15 * 3 + 2, ' ') + "@\n"},
        {"character column", {0x8D, 0x00, 0x1F, 0x20, 0x7F, 0xFF, 0xA0, 0x41, 0xE1},
         "\n000000   8D 00 1F 20 7F FF A0 41 E1 " + std::string(7 * 3 + 2, ' ') + "    \x7F\x7F Aa\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Dump(row.bytes, static_cast<int>(row.bytes.size())), kHeading + row.body);
    }
}

TEST(HexDump, OffsetsCountFromTheFirstByte)
{
    std::string text = Dump(Counting(0x1000 + 3, 0), 0x1000 + 3);
    const size_t full = 1 + 6 + 3 + 16 * 3 - 1 + 3 + 16;
    EXPECT_EQ(text.size(), kHeading.size() + 0x100 * full + (1 + 6 + 3 + 3 * 3 + 13 * 3 + 2 + 3) + 1);
    EXPECT_NE(text.find("\n000FF0   F0 F1"), std::string::npos);
    EXPECT_NE(text.find("\n001000   00 01 02 "), std::string::npos);
}

TEST(HexDump, CountIsCutToTheInput)
{
    std::vector<uint8_t> bytes = Counting(2, 0x41);
    EXPECT_EQ(Dump(bytes, 4096), Dump(bytes, 2));
    EXPECT_EQ(Dump(bytes, -5), kHeading + "\n");
}
