// Remove Spaces (command 37) on a document: only the spaces Applesoft drops
// go, an Applesoft program comes back coloured, and one Undo restores it all.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"

namespace {

// First-run colours.
constexpr COLORREF kPlain = 0x000000, kToken = 0x00BB00, kQuote = 0xBB0000, kRemark = 0x0000FF;

class RemoveSpacesTest : public AppTest {};

TEST_F(RemoveSpacesTest, AnApplesoftProgramKeepsItsMeaningAndOneUndoRestoresIt)
{
    HWND editor = NewDocumentWith(IDM_NEW_APPLESOFT,
                                  "10 PRINT \"A  B\" : REM X  Y\r\n20 DATA 1, A B : GOTO 10\r\n30 PRINT \"C D\r\n40 X = 1");
    const std::string before = EditorText(editor);
    Select(editor, 0, -1);
    Command(IDM_REMOVE_SPACES);
    CHARRANGE caret = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    EXPECT_EQ(caret.cpMin, 0);
    EXPECT_EQ(caret.cpMax, 0);
    const std::string after = EditorText(editor);
    EXPECT_EQ(after, "10PRINT\"A  B\":REM X  Y\r\n20DATA 1, A B :GOTO10\r\n30PRINT\"C D\r\n40X=1");
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(after.find("PRINT"))), kToken);
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(after.find("A  B"))), kQuote);
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(after.find("X  Y"))), kRemark);
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(after.find("1, A"))), kPlain);

    ASSERT_TRUE(SendMessageA(editor, EM_CANUNDO, 0, 0));
    SendMessageA(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(EditorText(editor), before);
}

// A selection inside a remark has nothing Applesoft would drop; in a plain
// document the removal is one undo step as well.
TEST_F(RemoveSpacesTest, TheLineBeforeTheSelectionCountsAndPlainDocumentsUndoToo)
{
    HWND program = NewDocumentWith(IDM_NEW_APPLESOFT, "10 REM A B C");
    Select(program, 9, 12);
    Command(IDM_REMOVE_SPACES);
    EXPECT_EQ(EditorText(program), "10 REM A B C");

    HWND plain = NewDocumentWith(IDM_NEW_EDIT, "A B \"C D\" E");
    Select(plain, 0, -1);
    Command(IDM_REMOVE_SPACES);
    EXPECT_EQ(EditorText(plain), "AB\"C D\"E");
    SendMessageA(plain, EM_UNDO, 0, 0);
    EXPECT_EQ(EditorText(plain), "A B \"C D\" E");
}

}  // namespace
