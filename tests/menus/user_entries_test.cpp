// The user's menu entries: their menu texts.
#include "menus/user_entries.h"

#include <gtest/gtest.h>

TEST(UserEntries, BackslashTBecomesSpaceAndTab)
{
    EXPECT_EQ(MenuTextWithTabs("Catalog\\tF5"), "Catalog \tF5");
    EXPECT_EQ(MenuTextWithTabs("A\\tB\\tC"), "A \tB \tC");
    EXPECT_EQ(MenuTextWithTabs("ends with \\"), "ends with \\");
    EXPECT_EQ(MenuTextWithTabs("\\T stays"), "\\T stays");
    EXPECT_EQ(MenuTextWithTabs(""), "");
}
