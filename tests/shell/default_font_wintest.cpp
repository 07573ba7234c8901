// The standard font lines up columns, and the default font's size reaches a
// new document in twips, bounded.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "shell/documents.h"
#include "shell/settings.h"
#include "support/app_fixture.h"

namespace {

class HugeFontSizeTest : public AppTest {
    void PrepareStartFolder() override
    {
        WriteFileText(IniPath(), "[Prompts]\r\nQuitPrompt=FALSE\r\n"
                                 "[Display]\r\nFontName=Courier New\r\nFontSize=2147483647\r\n");
    }
};

TEST_F(HugeFontSizeTest, SizeIsCutToTheLargestARichEditTakes)
{
    Command(IDM_NEW_EDIT);
    HWND editor = GetActiveEditor();
    ASSERT_NE(editor, nullptr);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.yHeight, 1638 * 20);
    // The selection's read-out turns the twips back into points.
    SendMessageA(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("A"));
    PumpMessages();
    EXPECT_EQ(g_settings.currentFontSize, "1638");
}

class StandardFontTest : public AppTest {};

// Courier New, or under Wine the face of its widths the prefix maps it to:
// narrow and wide letters take the same room, so BASIC columns line up.
TEST_F(StandardFontTest, NarrowAndWideLettersTakeTheSameRoom)
{
    HWND editor = NewDocumentWith(IDM_NEW_APPLESOFT, "iiii\rWWWW");
    POINTL narrow = {}, wide = {};
    SendMessageA(editor, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&narrow), 4);
    SendMessageA(editor, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&wide), 9);
    EXPECT_GT(narrow.x, 0);
    EXPECT_EQ(narrow.x, wide.x);
}

}  // namespace
