// Accelerator texts of user commands.
#include "core/user_menus/accelerator_text.h"

#include <gtest/gtest.h>

TEST(AcceleratorText, WorkedExamples)
{
    struct Row {
        const char* text;
        uint8_t flags;
        uint16_t key;
    } rows[] = {
        {"CONTROL VIRTKEY $4B", kAccelControl | kAccelVirtKey, 0x4B},  // Ctrl+K
        {"alt $70", kAccelAlt, 0x70},
        {"VirtKey Shift $72", kAccelVirtKey | kAccelShift, 0x72},     // Shift+F3
        {"CONTROL VIRTKEY", kAccelControl | kAccelVirtKey, 0},
        {"$10 then $2a", 0, 0x2A},                                       // the last "$" decides
        {"NOINVERT$41x", kAccelNoInvert, 0x41},
        {"$", 0, 0},
        {"SHIFTALT $1FFFF", kAccelShift | kAccelAlt, 0xFFFF},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        auto key = ParseAcceleratorText(row.text);
        ASSERT_TRUE(key.has_value());
        EXPECT_EQ(key->flags, row.flags);
        EXPECT_EQ(key->key, row.key);
    }
}

TEST(AcceleratorText, ZeroAndMissingMeanNone)
{
    EXPECT_FALSE(ParseAcceleratorText("0"));
    EXPECT_FALSE(ParseAcceleratorText("0 CONTROL $41"));
    EXPECT_FALSE(ParseAcceleratorText("INI not found!"));
    EXPECT_TRUE(ParseAcceleratorText("1"));
}

TEST(AcceleratorText, WordsAreFoundAnywhereIgnoringCase)
{
    EXPECT_TRUE(AcceleratorTextHasWord("xxcontrolxx", "CONTROL"));
    EXPECT_TRUE(AcceleratorTextHasWord("Alt", "ALT"));
    EXPECT_FALSE(AcceleratorTextHasWord("AL", "ALT"));
    EXPECT_FALSE(AcceleratorTextHasWord("", "ALT"));
}
