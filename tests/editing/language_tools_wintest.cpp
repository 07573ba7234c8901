// The language tools from the window: Renumber from the Tools menu, the
// jumps to a referenced line and back (F9, Ctrl+click, Alt+Left), and Lines
// That Jump Here, in Applesoft and Integer BASIC documents.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/line_jumps.h"
#include "editing/line_list_window.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/editor_colouring.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"

namespace {

constexpr COLORREF kToken = 0x00BB00, kQuote = 0xBB0000;  // first-run colours

// 60 lines numbered from `first` by `step`, each calling the next (the last
// the first), then one going to a line no program has; the number in the
// string is never a reference.
std::string Program(int first, int step)
{
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += std::to_string(first + i * step) + " PRINT \"GOTO 10\": GOSUB " +
                std::to_string(first + (i + 1) % 60 * step) + "\r";
    return text + std::to_string(first + 60 * step) + " GOTO 9999";
}

std::vector<std::vector<std::string>> Rows(HWND list)
{
    std::vector<std::vector<std::string>> rows(static_cast<size_t>(ListView_GetItemCount(list)));
    const int columns = Header_GetItemCount(ListView_GetHeader(list));
    for (size_t row = 0; row < rows.size(); ++row)
        for (int column = 0; column < columns; ++column) {
            char text[256] = {};
            ListView_GetItemText(list, static_cast<int>(row), column, text, sizeof text);
            rows[row].push_back(text);
        }
    return rows;
}

std::string Text(HWND window, int id = 0)
{
    char text[256] = {};
    if (id) GetDlgItemTextA(window, id, text, sizeof text);
    else GetWindowTextA(window, text, sizeof text);
    return text;
}

// Enter on row `row` of the list window, as the message loop hands it the key.
void Choose(int row)
{
    HWND list = GetDlgItem(LineListWindow(), IDC_LINE_LIST);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetFocus(list);
    MSG enter = {list, WM_KEYDOWN, VK_RETURN, 0};
    IsDialogMessageA(LineListWindow(), &enter);
    PumpMessages();
}

LONG Caret(HWND editor) { return Selection(editor).cpMin; }

class LanguageToolsTest : public AppTest {
protected:
    HWND NewProgram(UINT command, const std::string& text)
    {
        HWND editor = NewDocumentWith(command, text.c_str());
        PumpMessages();
        boxes_->Ignore("Renumber - " + WindowTitle(GetActiveDocument()));
        boxes_->Ignore("Lines That Jump Here - " + WindowTitle(GetActiveDocument()));
        return editor;
    }
    bool Enabled(int menu, UINT id)
    {
        HMENU popup = GetSubMenu(GetMenu(frame_), menu);
        SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(menu, FALSE));
        return !(GetMenuState(popup, id, MF_BYCOMMAND) & MF_GRAYED);
    }
    // Renumber from the menu with the new first number and step typed in;
    // the four numbers the dialog offered first go to `offered`.
    void Renumber(const char* start, const char* step, std::vector<std::string>* offered = nullptr)
    {
        boxes_->Expect("Renumber", IDOK, [=](HWND box) {
            for (int id : {IDC_RENUMBER_FROM, IDC_RENUMBER_TO, IDC_RENUMBER_START, IDC_RENUMBER_STEP})
                if (offered) offered->push_back(Text(box, id));
            SetDlgItemTextA(box, IDC_RENUMBER_START, start);
            SetDlgItemTextA(box, IDC_RENUMBER_STEP, step);
        });
        Command(IDM_RENUMBER);
        ASSERT_TRUE(boxes_->WaitAnswered());
    }
    // A key as TranslateAccelerator gets it from the message loop, with Alt held or not.
    bool Key(HWND editor, WPARAM key, bool alt = false)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_MENU] = alt ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG message = {editor, static_cast<UINT>(alt ? WM_SYSKEYDOWN : WM_KEYDOWN), key, alt ? 1L << 29 : 0L};
        const bool translated = TranslateAcceleratorA(frame_, g_app.accelerators.handle, &message);
        keys[VK_MENU] = 0;
        SetKeyboardState(keys);
        PumpMessages();
        return translated;
    }
};

// The whole program renumbered in one step Undo takes back, the view and
// the selection where they were, colours kept, the reference left listed;
// a refusal changes nothing; Integer BASIC renumbers too.
TEST_F(LanguageToolsTest, RenumberFromTheToolsMenu)
{
    EXPECT_FALSE(Enabled(MENU_POSITION_TOOLS, IDM_RENUMBER));
    const std::string before = Program(10, 10), after = Program(100, 5);
    HWND editor = NewProgram(IDM_NEW_APPLESOFT, before);
    EXPECT_TRUE(Enabled(MENU_POSITION_TOOLS, IDM_RENUMBER));
    const LONG print = static_cast<LONG>(before.find("300 PRINT") + 4);
    Select(editor, print, print + 5);
    SendMessageA(editor, EM_LINESCROLL, 0, 5);
    const LRESULT top = SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0);
    ASSERT_GT(top, 0);

    std::vector<std::string> offered;
    Renumber("100", "5", &offered);
    EXPECT_EQ(offered, (std::vector<std::string>{"10", "610", "10", "10"}));
    ASSERT_EQ(EditorText(editor), after);
    const LONG moved = static_cast<LONG>(after.find("245 PRINT") + 4);
    EXPECT_EQ(Selection(editor).cpMin, moved);
    EXPECT_EQ(Selection(editor).cpMax, moved + 5);
    EXPECT_EQ(SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0), top);
    // Coloured at once where it shows, elsewhere in idle time.
    EXPECT_EQ(ColourAt(editor, moved), kToken);
    const auto colouredInIdleTime = [editor] {
        for (int wait = 0; wait < 500 && ColouringPending(editor); ++wait) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            PumpMessages();
        }
    };
    colouredInIdleTime();
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(after.find("GOSUB 395"))), kToken);
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(after.find("0\": GOSUB 395"))), kQuote);

    ASSERT_NE(LineListWindow(), nullptr);
    EXPECT_EQ(Text(LineListWindow()), "Renumber - " + WindowTitle(GetActiveDocument()));
    EXPECT_EQ(Text(LineListWindow(), IDC_LINE_LIST_SUMMARY),
              "60 lines renumbered. 1 reference is left as it is: choose one to look at it.");  // 190 stays
    EXPECT_EQ(Rows(GetDlgItem(LineListWindow(), IDC_LINE_LIST)),
              (std::vector<std::vector<std::string>>{
                  {"400", "GOTO 9999: there is no line 9999, left as it is", "400 GOTO 9999"}}));
    Choose(0);
    EXPECT_EQ(Caret(editor), static_cast<LONG>(after.find("9999")));

    SendMessageA(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(EditorText(editor), before);
    colouredInIdleTime();
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(before.rfind("GOSUB"))), kToken);

    boxes_->Expect("Renumber", IDOK, [](HWND box) { SetDlgItemTextA(box, IDC_RENUMBER_START, "63990"); });
    boxes_->Expect(kErrorCaption, [](HWND box) { PressThen(box, IDOK, [](HWND owner) { Press(owner, IDCANCEL); }); });
    Command(IDM_RENUMBER);
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_EQ(boxes_->Answered().back().text,
              "Renumbering would give line 20 a number past 63999, the last line number allowed!");
    EXPECT_EQ(EditorText(editor), before);

    // Lines ended by CR LF go through rich text, their formats kept.
    HWND integer = NewProgram(IDM_NEW_INTEGER, "10 GOTO 20\r\n20 GOSUB 10: LIST 10,20");
    EXPECT_TRUE(Enabled(MENU_POSITION_TOOLS, IDM_RENUMBER));
    Renumber("1", "1");
    EXPECT_EQ(EditorText(integer), "1 GOTO 2\r\n2 GOSUB 1: LIST 1,2");
    EXPECT_TRUE(boxes_->Unexpected().empty());
}

// F9 and Ctrl+click go to the line a reference names, Alt+Left back; what
// is no reference, or names no line, is said so.
TEST_F(LanguageToolsTest, JumpToTheReferencedLineAndBack)
{
    const std::string text = "10 GOSUB 30\r20 GOTO 99\r30 PRINT 1: RETURN\r40 GOTO 30";
    HWND editor = NewProgram(IDM_NEW_APPLESOFT, text);
    const LONG line30 = static_cast<LONG>(text.find("30 PRINT")), gosub = 9;
    EXPECT_FALSE(Enabled(MENU_POSITION_EDIT, IDM_JUMP_BACK));
    Select(editor, gosub, gosub);
    EXPECT_TRUE(Enabled(MENU_POSITION_EDIT, IDM_GOTO_REFERENCED_LINE));
    EXPECT_TRUE(Key(editor, VK_F9));
    EXPECT_EQ(Caret(editor), line30);
    EXPECT_FALSE(Enabled(MENU_POSITION_EDIT, IDM_GOTO_REFERENCED_LINE));  // the caret is on no reference now
    EXPECT_TRUE(Enabled(MENU_POSITION_EDIT, IDM_JUMP_BACK));
    EXPECT_TRUE(Key(editor, VK_LEFT, true));
    EXPECT_EQ(Caret(editor), gosub);

    // A Ctrl+click on the last line's 30; one elsewhere is left to the editor.
    const auto click = [&](LONG at) {
        POINTL point = {};
        SendMessageA(editor, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), at);
        MSG message = {editor, WM_LBUTTONDOWN, MK_CONTROL | MK_LBUTTON, MAKELPARAM(point.x + 1, point.y + 1)};
        return JumpOnControlClick(message);
    };
    const LONG goto30 = static_cast<LONG>(text.rfind("30"));
    EXPECT_FALSE(click(line30 + 4));
    EXPECT_TRUE(click(goto30));
    EXPECT_EQ(Caret(editor), line30);
    Command(IDM_JUMP_BACK);
    EXPECT_EQ(Caret(editor), goto30);

    boxes_->Expect(kErrorCaption, IDOK);
    Select(editor, static_cast<LONG>(text.find("99")), static_cast<LONG>(text.find("99")));
    Command(IDM_GOTO_REFERENCED_LINE);
    boxes_->Expect(kErrorCaption, IDOK);
    Select(editor, line30 + 4, line30 + 4);
    Command(IDM_GOTO_REFERENCED_LINE);
    ASSERT_TRUE(boxes_->WaitAnswered());
    ASSERT_EQ(boxes_->Answered().size(), 2u);
    EXPECT_EQ(boxes_->Answered()[0].text, "There is no line 99 in this program!");
    EXPECT_EQ(boxes_->Answered()[1].text,
              "The caret is not on a line number after GOTO, GOSUB, THEN, LIST, RUN or DEL!");
    EXPECT_EQ(Caret(editor), line30 + 4);

    HWND integer = NewProgram(IDM_NEW_INTEGER, "10 IF X THEN 30\r20 END\r30 END");
    Select(integer, 13, 13);
    EXPECT_TRUE(Key(integer, VK_F9));
    EXPECT_EQ(Caret(integer), 23);
    EXPECT_TRUE(boxes_->Unexpected().empty());
}

// The lines naming the caret's line, each row taking the caret to its
// reference; a line nobody names lists none; a line without a number is said so.
TEST_F(LanguageToolsTest, LinesThatJumpHere)
{
    const std::string text = "10 GOSUB 30\r20 GOTO 99\r30 PRINT 1: RETURN\r40 IF X THEN 30\r";
    HWND editor = NewProgram(IDM_NEW_APPLESOFT, text);
    Select(editor, static_cast<LONG>(text.find("RETURN")), static_cast<LONG>(text.find("RETURN")));
    EXPECT_TRUE(Enabled(MENU_POSITION_EDIT, IDM_LINES_THAT_JUMP_HERE));
    Command(IDM_LINES_THAT_JUMP_HERE);
    HWND window = LineListWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Text(window), "Lines That Jump Here - " + WindowTitle(GetActiveDocument()));
    EXPECT_EQ(Text(window, IDC_LINE_LIST_SUMMARY), "2 references to line 30.");
    EXPECT_EQ(Rows(GetDlgItem(window, IDC_LINE_LIST)),
              (std::vector<std::vector<std::string>>{{"10", "GOSUB 30", "10 GOSUB 30"},
                                                     {"40", "THEN 30", "40 IF X THEN 30"}}));
    Choose(1);
    EXPECT_EQ(Caret(editor), static_cast<LONG>(text.rfind("30")));
    EXPECT_EQ(GetFocus(), editor);

    Select(editor, 13, 13);
    Command(IDM_LINES_THAT_JUMP_HERE);
    EXPECT_EQ(Text(LineListWindow(), IDC_LINE_LIST_SUMMARY), "No reference to line 20.");
    EXPECT_EQ(ListView_GetItemCount(GetDlgItem(LineListWindow(), IDC_LINE_LIST)), 0);

    boxes_->Expect(kErrorCaption, IDOK);
    Select(editor, static_cast<LONG>(text.size()), static_cast<LONG>(text.size()));
    Command(IDM_LINES_THAT_JUMP_HERE);
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_EQ(boxes_->Answered().back().text, "The caret's line has no line number!");
    EXPECT_TRUE(boxes_->Unexpected().empty());
}

}  // namespace
