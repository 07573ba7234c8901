// The default font's size reaches a new document in twips, bounded.
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

}  // namespace
