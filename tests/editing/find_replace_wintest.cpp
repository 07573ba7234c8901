// Find, Replace and Replace All driven through the real modeless dialog, and
// Find Next (F3) after it, read back from the editor.
#include <windows.h>
#include <dlgs.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "shell/app.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"

namespace {

constexpr char kNotFound[] = "Text not found!  Cursor reset to top of document.";

class FindReplaceTest : public AppTest {
protected:
    // Opens the Replace dialog on a new document holding `text`. The watcher
    // would close the dialog as an unexpected box; it passes over hidden windows.
    void OpenReplace(const char* text)
    {
        editor_ = NewDocumentWith(IDM_NEW_EDIT, text);
        boxes_.reset();
        Command(IDM_REPLACE);
        dialog_ = g_app.findDialog;
        ASSERT_NE(dialog_, nullptr);
        ShowWindow(dialog_, SW_HIDE);
        boxes_ = std::make_unique<BoxWatcher>();
    }
    void Press(int button, const char* find, const char* replace, bool matchCase)
    {
        SetDlgItemTextA(dialog_, edt1, find);
        SetDlgItemTextA(dialog_, edt2, replace);
        CheckDlgButton(dialog_, chx2, matchCase ? BST_CHECKED : BST_UNCHECKED);
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog_, button)));
        PumpMessages();
    }
    // Presses `button`, expecting the not-found message.
    void PressNotFound(int button, const char* find)
    {
        boxes_->Expect(kErrorCaption, IDOK);
        Press(button, find, "y", true);
        ASSERT_EQ(boxes_->Answered().size(), ++notFoundBoxes_);
        EXPECT_EQ(boxes_->Answered().back().text, kNotFound);
    }
    HWND editor_ = nullptr;
    HWND dialog_ = nullptr;
    size_t notFoundBoxes_ = 0;
};

bool Grayed(HMENU menu, UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

TEST_F(FindReplaceTest, FindNextWithoutDocumentDoesNothing)
{
    strcpy(g_app.find.findText, "PRINT");
    EXPECT_EQ(Command(IDM_FIND_NEXT), 0);
    EXPECT_EQ(g_app.findDialog, nullptr);
    EXPECT_TRUE(boxes_->Answered().empty());
}

// The user's path through the Replace dialog: find, replace the match shown,
// undo, replace all (adjacent matches, formats kept and none added, one undo), not found,
// then F3 once the dialog is closed.
TEST_F(FindReplaceTest, FindReplaceAndReplaceAllOnTheEditor)
{
    OpenReplace("aaaa AA aa");
    HMENU edit = GetSubMenu(GetMenu(frame_), MENU_POSITION_EDIT);
    SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), MAKELPARAM(MENU_POSITION_EDIT, FALSE));
    EXPECT_TRUE(Grayed(edit, IDM_FIND));
    EXPECT_TRUE(Grayed(edit, IDM_FIND_NEXT));
    EXPECT_TRUE(Grayed(edit, IDM_REPLACE));

    // With the caret at the start of a match the search begins one further on.
    Select(editor_, 0, 0);
    Press(IDOK, "aa", "ab", true);
    EXPECT_EQ(Selection(editor_).cpMin, 1);
    EXPECT_EQ(Selection(editor_).cpMax, 3);

    // Replace takes the match shown, then shows the next one (case matters).
    Press(psh1, "aa", "ab", true);
    EXPECT_EQ(EditorText(editor_), "aaba AA aa");
    EXPECT_EQ(Selection(editor_).cpMin, 8);
    EXPECT_EQ(Selection(editor_).cpMax, 10);
    SendMessageA(editor_, EM_UNDO, 0, 0);
    EXPECT_EQ(EditorText(editor_), "aaaa AA aa");

    // A selection that is no match is not replaced: Replace only moves on.
    Select(editor_, 4, 6);
    Press(psh1, "aa", "ab", true);
    EXPECT_EQ(EditorText(editor_), "aaaa AA aa");
    EXPECT_EQ(Selection(editor_).cpMin, 8);

    // Replace All from the top wherever the caret is, every adjacent match,
    // the formats around and between the matches kept, undone in one step.
    Select(editor_, 4, 5);
    CHARFORMATA red = {};
    red.cbSize = sizeof red;
    red.dwMask = CFM_COLOR;
    red.crTextColor = RGB(255, 0, 0);
    SendMessageA(editor_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&red));
    const COLORREF plain = ColourAt(editor_, 0);
    Select(editor_, 10, 10);
    Press(psh2, "aa", "ab", false);
    EXPECT_EQ(EditorText(editor_), "abab ab ab");
    EXPECT_EQ(ColourAt(editor_, 4), RGB(255, 0, 0));
    EXPECT_EQ(ColourAt(editor_, 3), plain);
    EXPECT_EQ(ColourAt(editor_, 5), plain);
    Select(editor_, 0, -1);
    CHARFORMATA replaced = {};
    replaced.cbSize = sizeof replaced;
    SendMessageA(editor_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&replaced));
    EXPECT_TRUE((replaced.dwMask & CFM_BOLD) && !(replaced.dwEffects & CFE_BOLD)) << "no text turned bold";
    SendMessageA(editor_, EM_UNDO, 0, 0);
    EXPECT_EQ(EditorText(editor_), "aaaa AA aa");
    EXPECT_TRUE(boxes_->Answered().empty());

    // A replacement holding the find text ends after one pass.
    Press(psh2, "a", "aa", true);
    EXPECT_EQ(EditorText(editor_), "aaaaaaaa AA aaaa");

    // Lines ended by a lone CR (a listing from a disk image) keep their ends.
    Select(editor_, 0, -1);
    SendMessageA(editor_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("a 1\ra 2\r\na"));
    Press(psh2, "a", "b", true);
    EXPECT_EQ(EditorText(editor_), "b 1\rb 2\r\nb");
    SendMessageA(editor_, EM_UNDO, 0, 0);
    SendMessageA(editor_, EM_UNDO, 0, 0);
    ASSERT_EQ(EditorText(editor_), "aaaaaaaa AA aaaa");

    PressNotFound(IDOK, "zz");
    EXPECT_EQ(Selection(editor_).cpMin, 0);
    EXPECT_EQ(Selection(editor_).cpMax, 0);
    PressNotFound(psh2, "zz");
    EXPECT_EQ(EditorText(editor_), "aaaaaaaa AA aaaa");

    Press(IDOK, "AA", "", true);
    EXPECT_EQ(Selection(editor_).cpMin, 9);
    Press(IDCANCEL, "", "", true);
    EXPECT_EQ(g_app.findDialog, nullptr);
    Select(editor_, 0, 0);
    Command(IDM_FIND_NEXT);
    EXPECT_EQ(Selection(editor_).cpMin, 9);
    Command(IDM_FIND_NEXT);  // no further match: back to the top without a message
    EXPECT_EQ(Selection(editor_).cpMax, 0);
    EXPECT_EQ(boxes_->Answered().size(), notFoundBoxes_);
}

}  // namespace
