// The user's menu entries: their menu texts.
#include "core/user_menus/user_entries.h"

#include <gtest/gtest.h>

TEST(UserEntries, BackslashTBecomesSpaceAndTab)
{
    EXPECT_EQ(MenuTextWithTabs("Catalog\\tF5"), "Catalog \tF5");
    EXPECT_EQ(MenuTextWithTabs("A\\tB\\tC"), "A \tB \tC");
    EXPECT_EQ(MenuTextWithTabs("ends with \\"), "ends with \\");
    EXPECT_EQ(MenuTextWithTabs("\\T stays"), "\\T stays");
    EXPECT_EQ(MenuTextWithTabs(""), "");
}

TEST(UserEntries, ScriptEndingDecidesTheCarriageReturn)
{
    const std::string longest(kMaxScriptChars, 'A');
    const struct {
        const char* script;
        std::string typed;
    } rows[] = {
        {"CATALOG", "CATALOG\r"}, {"PRINT 1,r", "PRINT 1"}, {"PRINT 1,R", "PRINT 1,R\r"},
        {",r", ""}, {"r", "r\r"}, {",", ",\r"}, {"", ""}, {"INI not found!", ""},
        {"A\\rB,\\n", "A\rB,\n\r"}, {"C:\\\\X\\q\\", "C:\\X\\q\\\r"}, {"A,\\r", "A,\r\r"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        EXPECT_EQ(UserCommandText(row.script), row.typed);
    }
    // A hand-written script longer than the limit is cut before its ending is looked at.
    EXPECT_EQ(UserCommandText(longest + ",r"), longest + "\r");
    EXPECT_EQ(UserCommandText(longest.substr(2) + ",r"), longest.substr(2));
}

TEST(UserEntries, LineBreaksAreStoredEscapedAndComeBack)
{
    const std::string typed = "10 HOME\r\n20 ?\"\\\"\r\\r";
    const std::string stored = StoredScript(typed);
    EXPECT_EQ(stored, "10 HOME\\r\\n20 ?\"\\\\\"\\r\\\\r");
    EXPECT_EQ(ScriptOfStored(stored), typed);
    // The cut never leaves half an escape behind.
    const std::string full = StoredScript(std::string(kMaxScriptChars - 1, 'A') + "\rB");
    EXPECT_EQ(full, std::string(kMaxScriptChars - 1, 'A'));
}
