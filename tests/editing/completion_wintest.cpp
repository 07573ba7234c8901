// Complete Word (Ctrl+J): the list at the caret narrows as the user types
// on, Enter puts the choice in place of the letters typed, Escape closes it
// leaving the text alone. Keys go through TakeCompletionKey as the message
// loop hands them on.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/completion_list.h"
#include "resources/resource.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"

namespace {

std::vector<std::string> Rows(int column = 0)
{
    std::vector<std::string> rows;
    HWND list = CompletionListWindow();
    for (int row = 0; list && row < ListView_GetItemCount(list); ++row) {
        char text[256] = {};
        ListView_GetItemText(list, row, column, text, sizeof text);
        rows.push_back(text);
    }
    return rows;
}

// A message as the loop gets it: offered to the list first, then handled.
bool Loop(HWND editor, UINT message, WPARAM key)
{
    MSG msg = {editor, message, key, 1};
    const bool taken = TakeCompletionKey(msg);
    if (!taken) DispatchMessageA(&msg);
    PumpMessages();
    return taken;
}

void CaretToEnd(HWND editor)
{
    const LONG end = static_cast<LONG>(EditorText(editor).size());
    Select(editor, end, end);
}

using CompletionTest = AppTest;

TEST_F(CompletionTest, TypingNarrowsEnterInsertsEscapeCloses)
{
    HWND editor = NewDocumentWith(IDM_NEW_APPLESOFT, "10 PRICE = 1: NAME$ = \"A\"\r\n20 pr");
    CaretToEnd(editor);
    Command(IDM_COMPLETE_WORD);
    ASSERT_NE(CompletionListWindow(), nullptr);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"PR#", "PRICE", "PRINT"}));
    EXPECT_EQ(Rows(1)[1], "real");
    EXPECT_EQ(EditorText(editor), "10 PRICE = 1: NAME$ = \"A\"\r\n20 pr");  // nothing inserted yet

    EXPECT_FALSE(Loop(editor, WM_CHAR, 'i'));
    EXPECT_EQ(EditorText(editor), "10 PRICE = 1: NAME$ = \"A\"\r\n20 pri");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"PRICE", "PRINT"}));
    EXPECT_TRUE(Loop(editor, WM_KEYDOWN, VK_DOWN));
    EXPECT_TRUE(Loop(editor, WM_KEYDOWN, VK_RETURN));
    EXPECT_EQ(CompletionListWindow(), nullptr);
    EXPECT_EQ(EditorText(editor), "10 PRICE = 1: NAME$ = \"A\"\r\n20 PRINT");

    // After GOTO, the program's lines with their starts; Escape inserts nothing.
    Loop(editor, WM_CHAR, ' ');
    SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(": GOTO "));
    Command(IDM_COMPLETE_WORD);
    const std::vector<std::string> lines = Rows();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "10");
    EXPECT_EQ(Rows(1)[0].rfind("PRICE = 1", 0), 0u) << Rows(1)[0];
    EXPECT_TRUE(Loop(editor, WM_KEYDOWN, VK_ESCAPE));
    EXPECT_EQ(CompletionListWindow(), nullptr);
    EXPECT_EQ(EditorText(editor), "10 PRICE = 1: NAME$ = \"A\"\r\n20 PRINT : GOTO ");

    // A character that ends the word closes the list; Integer BASIC too.
    HWND integer = NewDocumentWith(IDM_NEW_INTEGER, "10 GR");
    CaretToEnd(integer);
    Command(IDM_COMPLETE_WORD);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"GR"}));
    Loop(integer, WM_CHAR, ' ');
    EXPECT_EQ(CompletionListWindow(), nullptr);
}

}  // namespace
