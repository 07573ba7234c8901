// Go to line, word wrap across a restart, special characters and the
// formatting toolbar, each driven through its command and its real dialog
// and read back from the editor.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "shell/app.h"
#include "shell/settings.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"
#include "user_menus/edit_commands_dialog.h"

namespace {

constexpr char kGotoTitle[] = "TAVO -  Goto Linenumber:";

// The format of [from, to); the selection moves there.
CHARFORMATA FormatOf(HWND editor, LONG from, LONG to)
{
    Select(editor, from, to);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
    return format;
}

void SetFormat(HWND editor, LONG from, LONG to, DWORD mask, DWORD effects, LONG twips)
{
    Select(editor, from, to);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = mask;
    format.dwEffects = effects;
    format.yHeight = twips;
    SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

bool ButtonChecked(UINT id) { return SendMessageA(g_app.toolbar, TB_ISBUTTONCHECKED, id, 0) != 0; }

class EditingAidsTest : public AppTest {
protected:
    // Go to line with `line` typed and the highlight box as given; the text
    // the dialog showed first is kept in `shown`.
    void GoTo(const char* line, bool highlight, std::string* shown = nullptr, int button = IDOK)
    {
        boxes_->Expect(kGotoTitle, button, [=](HWND box) {
            char before[16] = {};
            GetDlgItemTextA(box, IDC_GOTO_LINE_TEXT, before, sizeof before);
            if (shown) *shown = before;
            SetDlgItemTextA(box, IDC_GOTO_LINE_TEXT, line);
            CheckDlgButton(box, IDC_GOTO_HIGHLIGHT, highlight ? BST_CHECKED : BST_UNCHECKED);
        });
        Command(IDM_GOTO_LINE);
    }
    // Drops the list of a font box down, picks `entry` and lets the box tell the frame.
    void ChooseInBox(HWND box, int id, const char* entry)
    {
        SendMessageA(box, CB_SHOWDROPDOWN, TRUE, 0);
        SendMessageA(box, CB_SETCURSEL, SendMessageA(box, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(entry)), 0);
        SendMessageA(g_app.toolbar, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
        SendMessageA(box, CB_SHOWDROPDOWN, FALSE, 0);
        PumpMessages();
    }
};

TEST_F(EditingAidsTest, GoToLineMovesOrHighlightsTheLine)
{
    HWND editor = NewDocumentWith(IDM_NEW_EDIT, "10 A=1\r20 B=2\r30 C=3");
    const LONG second = static_cast<LONG>(SendMessageA(editor, EM_LINEINDEX, 1, 0));
    const LONG third = static_cast<LONG>(SendMessageA(editor, EM_LINEINDEX, 2, 0));

    GoTo("2", true);
    ASSERT_EQ(boxes_->Answered().size(), 1u);
    EXPECT_EQ(boxes_->Answered()[0].text, "Linecount: 3");
    EXPECT_EQ(Selection(editor).cpMin, second);
    EXPECT_EQ(Selection(editor).cpMax, third);
    // The frame is active again once the window manager has seen the dialog go.
    for (DWORD start = GetTickCount(); GetFocus() != editor && GetTickCount() - start < 2000; Sleep(10)) PumpMessages();
    EXPECT_EQ(GetFocus(), editor);

    // The last line highlighted runs to the end of the text; a number past
    // the end goes to the last line; the text typed is offered again.
    std::string shown;
    GoTo("99", true, &shown);
    EXPECT_EQ(shown, "2");
    EXPECT_EQ(Selection(editor).cpMin, third);
    EXPECT_EQ(Selection(editor).cpMax, static_cast<LONG>(EditorText(editor).size()));

    GoTo("2", false);
    EXPECT_EQ(Selection(editor).cpMin, second);
    EXPECT_EQ(Selection(editor).cpMax, second);
    GoTo("3", true, nullptr, IDCANCEL);
    EXPECT_EQ(Selection(editor).cpMax, second);
    EXPECT_FALSE(g_app.gotoHighlightDefault);  // OK kept the box unchecked; Cancel changed nothing
}

// Word wrap is per document, and the last choice is saved: after a restart
// the menu is checked and a new document wraps its long line.
TEST_F(EditingAidsTest, WordWrapPerDocumentSurvivesARestart)
{
    const std::string longLine(400, 'X');
    auto rows = [](HWND editor) { return SendMessageA(editor, EM_GETLINECOUNT, 0, 0); };
    auto checked = [&] {
        HMENU edit = GetSubMenu(GetMenu(frame_), MENU_POSITION_EDIT);
        SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), MAKELPARAM(MENU_POSITION_EDIT, FALSE));
        return (GetMenuState(edit, IDM_WORD_WRAP, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    HWND first = NewDocumentWith(IDM_NEW_EDIT, longLine.c_str());
    EXPECT_EQ(rows(first), 1);
    EXPECT_FALSE(checked());
    Command(IDM_WORD_WRAP);
    EXPECT_GT(rows(first), 1);
    EXPECT_TRUE(checked());
    EXPECT_EQ(Setting("Display", "WordWrap"), "TRUE");

    HWND second = NewDocumentWith(IDM_NEW_EDIT, longLine.c_str());
    EXPECT_GT(rows(second), 1);
    Command(IDM_WORD_WRAP);
    EXPECT_EQ(rows(second), 1);
    EXPECT_FALSE(checked());
    SendMessageA(g_app.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(GetParent(first)), 0);
    EXPECT_TRUE(checked());
    EXPECT_GT(rows(first), 1);
    Command(IDM_WORD_WRAP);  // the last choice, off and then on again, is the saved one
    Command(IDM_WORD_WRAP);

    g_settings.quitPrompt = "FALSE";
    for (HWND editor : {first, second}) SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
    ASSERT_TRUE(CloseFrame());
    ASSERT_NE(Start(), nullptr);
    EXPECT_TRUE(checked());
    EXPECT_GT(rows(NewDocumentWith(IDM_NEW_EDIT, longLine.c_str())), 1);
}

TEST_F(EditingAidsTest, SpecialCharactersGoToTheScriptBoxOrTheEditor)
{
    HWND editor = NewDocumentWith(IDM_NEW_EDIT, "AB");
    Select(editor, 1, 1);
    Command(IDM_CONTROL_CHAR_FIRST + 7);  // Ctrl+G, the bell
    Command(IDM_CONTROL_CHAR_FIRST);      // Ctrl+@ inserts nothing
    EXPECT_EQ(EditorText(editor), "A\aB");
    SendMessageA(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(EditorText(editor), "AB");

    boxes_.reset();  // the watcher would close the modeless dialog
    Command(IDM_EDIT_COMMANDS);
    HWND commands = EditCommandsDialog();
    ASSERT_NE(commands, nullptr);
    Command(IDM_CONTROL_CHAR_LAST);  // Ctrl+_
    char script[16] = {};
    GetDlgItemTextA(commands, IDC_EDITCMD_SCRIPT, script, sizeof script);
    EXPECT_STREQ(script, "\x1F");
    EXPECT_EQ(EditorText(editor), "AB");
    CloseEditCommandsDialog();
    boxes_ = std::make_unique<BoxWatcher>();
}

// Bold, italic and underline follow the selection (a mixed one gets the
// effect throughout), alignment sets the paragraph, and each shows on its button.
TEST_F(EditingAidsTest, FormattingButtonsActOnTheSelection)
{
    HWND editor = NewDocumentWith(IDM_NEW_EDIT, "HELLO WORLD");
    for (UINT id : {IDM_BOLD, IDM_ITALIC, IDM_UNDERLINE}) {
        SCOPED_TRACE(id);
        const DWORD effect = id == IDM_BOLD ? CFE_BOLD : id == IDM_ITALIC ? CFE_ITALIC : CFE_UNDERLINE;
        Select(editor, 0, 5);
        Command(id);
        EXPECT_TRUE(FormatOf(editor, 0, 5).dwEffects & effect);
        EXPECT_FALSE(FormatOf(editor, 6, 11).dwEffects & effect);
        Select(editor, 0, 11);
        Command(id);
        CHARFORMATA all = FormatOf(editor, 0, 11);
        EXPECT_TRUE((all.dwMask & effect) && (all.dwEffects & effect));
        EXPECT_TRUE(ButtonChecked(id));
        Command(id);
        EXPECT_FALSE(FormatOf(editor, 0, 11).dwEffects & effect);
        EXPECT_FALSE(ButtonChecked(id));
    }
    for (UINT id : {IDM_ALIGN_CENTER, IDM_ALIGN_RIGHT, IDM_ALIGN_LEFT}) {
        Command(id);
        PARAFORMAT para = {};
        para.cbSize = sizeof para;
        SendMessageA(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&para));
        EXPECT_EQ(para.wAlignment, id == IDM_ALIGN_CENTER ? PFA_CENTER : id == IDM_ALIGN_RIGHT ? PFA_RIGHT : PFA_LEFT);
        EXPECT_TRUE(ButtonChecked(id));
    }
}

// The name box changes only the face, the size box only the size (points x
// 20 twips); bold and the sizes of a mixed selection stay. A box whose list
// is not dropped down changes nothing.
TEST_F(EditingAidsTest, FontBoxesChangeOnlyTheirOwnAttribute)
{
    HWND editor = NewDocumentWith(IDM_NEW_EDIT, "HELLO WORLD");
    SetFormat(editor, 0, 5, CFM_BOLD | CFM_SIZE, CFE_BOLD, 240);
    const std::string before = FormatOf(editor, 0, 11).szFaceName;
    char face[LF_FACESIZE] = {};
    SendMessageA(g_app.fontNameBox, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(face));
    if (before == face) SendMessageA(g_app.fontNameBox, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(face));
    ASSERT_NE(before, face);

    Select(editor, 0, 11);
    ChooseInBox(g_app.fontNameBox, IDC_FONT_NAME_BOX, face);
    CHARFORMATA all = FormatOf(editor, 0, 11);
    EXPECT_TRUE(all.dwMask & CFM_FACE);
    EXPECT_STREQ(all.szFaceName, face);
    CHARFORMATA hello = FormatOf(editor, 0, 5), world = FormatOf(editor, 6, 11);
    EXPECT_TRUE(hello.dwEffects & CFE_BOLD);
    EXPECT_FALSE(world.dwEffects & CFE_BOLD);
    EXPECT_EQ(hello.yHeight, 240);
    EXPECT_NE(world.yHeight, 240);

    Select(editor, 6, 11);
    ChooseInBox(g_app.fontSizeBox, IDC_FONT_SIZE_BOX, "14");
    EXPECT_EQ(FormatOf(editor, 6, 11).yHeight, 14 * 20);
    EXPECT_EQ(FormatOf(editor, 0, 5).yHeight, 240);
    EXPECT_STREQ(FormatOf(editor, 6, 11).szFaceName, face);

    Select(editor, 0, 11);
    SendMessageA(g_app.fontSizeBox, CB_SETCURSEL, 0, 0);
    SendMessageA(g_app.toolbar, WM_COMMAND, MAKEWPARAM(IDC_FONT_SIZE_BOX, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(g_app.fontSizeBox));
    EXPECT_EQ(FormatOf(editor, 0, 5).yHeight, 240);
}

// A palette colour becomes the plain colour and the selection's; Automatic
// goes back to the saved "FontColor".
TEST_F(EditingAidsTest, TextColorPaletteColoursTheSelection)
{
    HWND editor = NewDocumentWith(IDM_NEW_EDIT, "HELLO WORLD");
    Select(editor, 0, 5);
    boxes_->Expect("Text Color", 404);
    Command(IDM_TEXT_COLOR);
    EXPECT_EQ(g_settings.fontColor, RGB(0, 0, 255));
    EXPECT_EQ(ColourAt(editor, 2), RGB(0, 0, 255));
    EXPECT_EQ(ColourAt(editor, 7), RGB(0, 0, 0));

    WritePrivateProfileStringA("Display", "FontColor", "8000", IniPath().c_str());
    Select(editor, 0, 11);
    boxes_->Expect("Text Color", IDC_COLOR_AUTOMATIC);
    Command(IDM_TEXT_COLOR);
    EXPECT_EQ(g_settings.fontColor, RGB(0, 128, 0));
    EXPECT_EQ(ColourAt(editor, 2), RGB(0, 128, 0));

    Select(editor, 0, 11);
    boxes_->Expect("Text Color", IDCANCEL);
    Command(IDM_TEXT_COLOR);
    EXPECT_EQ(g_settings.fontColor, RGB(0, 128, 0));
    EXPECT_EQ(boxes_->Answered().size(), 3u);
}

}  // namespace
