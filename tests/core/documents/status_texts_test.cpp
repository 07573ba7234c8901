// The caret read-out texts and the tab stop positions.
#include "core/documents/status_texts.h"

#include <gtest/gtest.h>

namespace {

struct LineRow {
    const char* name;
    std::string_view line;
    const char* expected;
};

TEST(StatusTexts, BasicLineNumberFromTheFirstCharacterAboveBlank)
{
    const LineRow rows[] = {
        {"line number", "10 PRINT", "BASIC Line#  10"},
        {"leading blanks", "   10 PRINT", "BASIC Line#  10"},
        {"leading tab and control codes", "\t\x01 250 GOTO 10", "BASIC Line#  250"},
        {"letter first", "PRINT 10", "BASIC Line#       "},
        {"empty line", "", "BASIC Line#       "},
        {"blanks only", "    ", "BASIC Line#       "},
        {"number alone", "0", "BASIC Line#  0"},
        {"digits run into letters", "63999REM", "BASIC Line#  63999"},
        {"leading zeros", "0010 END", "BASIC Line#  10"},
        {"sign is not a digit", "-5", "BASIC Line#       "},
        {"high-bit character is not blank", "\xC1" "10", "BASIC Line#       "},
    };
    for (const LineRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(BasicLineStatus(row.line), row.expected);
    }
    // A number too long for an int stops before it overflows.
    EXPECT_EQ(BasicLineStatus("99999999999999999999"), "BASIC Line#  999999999");
}

TEST(StatusTexts, LineAndCharacter)
{
    EXPECT_EQ(LineStatus(1), "Line# 1");
    EXPECT_EQ(CharacterStatus(0), "Character# 0");
    EXPECT_EQ(CharacterStatus(123), "Character# 123");
}

TEST(StatusTexts, TabStopsStartAtZeroAndNeverExceed32)
{
    std::vector<long> stops = TabStopPositions(20, 5, 8);
    ASSERT_EQ(stops.size(), 20u);
    EXPECT_EQ(stops[0], 0);
    EXPECT_EQ(stops[1], 600);  // 5 characters of 8 pixels, 15 twips each
    EXPECT_EQ(stops[19], 19 * 600);
    EXPECT_EQ(TabStopPositions(33, 5, 8).size(), 32u);
    EXPECT_EQ(TabStopPositions(1000000, 5, 8).size(), 32u);
    EXPECT_TRUE(TabStopPositions(-3, 5, 8).empty());
    EXPECT_EQ(TabStopPositions(32, 2147483647, 8).back(), 2147483647);  // clamped, not wrapped
}

}  // namespace
