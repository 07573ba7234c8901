// Settings texts: flags, numbers, colours, slots, paths, menu texts.
#include "core/settings/setting_values.h"

#include <gtest/gtest.h>

#include <climits>

TEST(SettingValues, OnlyExactTRUEIsOn)
{
    EXPECT_TRUE(ParseFlag("TRUE"));
    for (const char* off : {"true", "True", "FALSE", "TRUE ", " TRUE", "", "1", "INI not found!"})
        EXPECT_FALSE(ParseFlag(off)) << off;
}

TEST(SettingValues, DecimalsReadLikeTheirTextBegins)
{
    struct Row {
        const char* text;
        int value;
    } rows[] = {
        {"9", 9},          {"-40", -40},       {"+7", 7},          {"  12", 12},
        {"20 tabs", 20},   {"TRUE", 0},        {"", 0},            {"INI not found!", 0},
        {"-", 0},          {"99999999999", INT_MAX}, {"-99999999999", INT_MIN},
    };
    for (const Row& row : rows) EXPECT_EQ(ParseDecimal(row.text), row.value) << row.text;
}

TEST(SettingValues, ColoursAreHexWithRedInTheLowByte)
{
    EXPECT_EQ(FormatColour(0xFF0000), "FF0000");  // pure blue
    EXPECT_EQ(FormatColour(0x008000), "8000");    // dark green
    EXPECT_EQ(FormatColour(0x0000FF), "FF");      // pure red
    EXPECT_EQ(FormatColour(0), "0");
    EXPECT_EQ(ParseColour("0000FF"), 0x0000FFu);  // the first-run red
    EXPECT_EQ(ParseColour("bb00bb"), 0xBB00BBu);
    EXPECT_EQ(ParseColour("TRUE"), 0u);           // an absent key at start-up
    EXPECT_EQ(ParseColour("12G4"), 0x12u);
    EXPECT_EQ(ParseColour("1FFFFFFF"), 0xFFFFFFu);  // only the 24 colour bits
    for (uint32_t c : {0u, 0xFFu, 0x8000u, 0xABCDEFu, 0xFFFFFFu}) EXPECT_EQ(ParseColour(FormatColour(c)), c);
}

TEST(SettingValues, SlotsCutLongValues)
{
    EXPECT_EQ(FitSlot("Courier New", kFontNameSlotChars), "Courier New");
    EXPECT_EQ(FitSlot(std::string(40, 'x'), kFontNameSlotChars).size(), 31u);
    EXPECT_EQ(FitSlot("TRUETRUETRUE", kShortSlotChars), "TRUETRU");
}

TEST(SettingValues, IndexedKeysCarryTheirNumber)
{
    EXPECT_EQ(IndexedKey("CMD[%i]Script", 12), "CMD[12]Script");
    EXPECT_EQ(IndexedKey("CustFontColor[%i]", 0), "CustFontColor[0]");
    EXPECT_EQ(IndexedKey("Number", 3), "Number");
}

TEST(SettingValues, CountsAreBounded)
{
    struct Row {
        const char* text;
        int count;
    } rows[] = {
        {"0", 0}, {"5", 5}, {"198", 198}, {"199", 198}, {"-3", 0}, {"-2147483648", 0},
        {"2147483647", 198}, {"99999999999", 198}, {"TRUE", 0}, {"INI not found!", 0},
    };
    for (const Row& row : rows) EXPECT_EQ(ParseCount(row.text, 198), row.count) << row.text;
}

TEST(SettingValues, APointIsTwentyTwips)
{
    EXPECT_EQ(PointsToTwips(9), 180);  // at every screen resolution
    EXPECT_EQ(PointsToTwips(-9), 180);
    EXPECT_EQ(PointsToTwips(0), 0);
    EXPECT_EQ(PointsToTwips(kMaxFontPoints), 32760);
    EXPECT_EQ(PointsToTwips(2147483647), 32760);  // a FontSize from the file must not wrap
    EXPECT_EQ(PointsToTwips(-2147483647 - 1), 32760);
    EXPECT_EQ(TwipsToPoints(180), 9);
    EXPECT_EQ(TwipsToPoints(225), 11);  // 11.25 points shows as 11
    EXPECT_EQ(TwipsToPoints(-280), 14);
    EXPECT_EQ(TwipsToPoints(-2147483647 - 1), kMaxFontPoints);
    for (int points : {1, 9, 72, kMaxFontPoints}) EXPECT_EQ(TwipsToPoints(PointsToTwips(points)), points);
}
