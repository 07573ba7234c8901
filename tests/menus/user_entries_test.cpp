// The user's menu entries: their limits and menu texts.
#include "menus/user_entries.h"

#include <gtest/gtest.h>

#include "settings/setting_values.h"

TEST(UserEntries, StoredCountsStayInsideTheirIdRanges)
{
    // A hand-edited "Number" of 250 or more must not reach the keyword ids
    // (1200-1307), which type keywords into the emulator.
    EXPECT_EQ(IDM_UTILITY_FIRST - 1 + ParseCount("250", kMaxUtilities), 1198);
    EXPECT_EQ(IDM_USER_COMMAND_FIRST - 1 + ParseCount("2147483647", kMaxUserCommands), 1698);
    EXPECT_EQ(ParseCount("199", kMaxUtilities), 199);  // the Add Utility dialog's last entry
    EXPECT_EQ(ParseCount("-1", kMaxUtilities), 0);
}

TEST(UserEntries, BackslashTBecomesSpaceAndTab)
{
    EXPECT_EQ(MenuTextWithTabs("Catalog\\tF5"), "Catalog \tF5");
    EXPECT_EQ(MenuTextWithTabs("A\\tB\\tC"), "A \tB \tC");
    EXPECT_EQ(MenuTextWithTabs("ends with \\"), "ends with \\");
    EXPECT_EQ(MenuTextWithTabs("\\T stays"), "\\T stays");
    EXPECT_EQ(MenuTextWithTabs(""), "");
}
