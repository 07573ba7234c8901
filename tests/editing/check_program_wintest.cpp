// Check Program (command 52) on an Applesoft document: the results window's
// rows and summary, a row chosen by double-click or Enter taking the caret
// to its line, and Run edited Program offering the check first when asked to;
// on an Integer BASIC document, kept up as the program is typed.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/check_program.h"
#include "resources/resource.h"
#include "shell/documents.h"
#include "shell/app.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"

namespace {

// Three kinds of problem: a keyword inside a name, a jump to no line, a
// number typed twice.
constexpr const char* kProgram = "10 SCORE = 5\r\n20 GOTO 100\r\n30 PRINT \"A\"\r\n30 PRINT \"B\"\r\n40 END";

std::string Cell(HWND list, int row, int column)
{
    char text[256] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

class CheckProgramTest : public AppTest {
protected:
    HWND NewProgram(const char* text)
    {
        HWND editor = NewDocumentWith(IDM_NEW_APPLESOFT, text);
        // The results window is a dialog of its own, driven by the test.
        boxes_->Ignore("Check Program - " + WindowTitle(GetActiveDocument()));
        return editor;
    }
    static LONG CaretLine(HWND editor)
    {
        CHARRANGE caret = {};
        SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&caret));
        return static_cast<LONG>(SendMessageA(editor, EM_EXLINEFROMCHAR, 0, caret.cpMin));
    }
    static void Select(HWND list, int row)
    {
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
};

TEST_F(CheckProgramTest, ListsTheProblemsAndTakesTheCaretToTheChosenOne)
{
    HMENU tools = GetSubMenu(GetMenu(frame_), MENU_POSITION_TOOLS);
    const auto greyed = [&] {
        SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(tools), MAKELPARAM(MENU_POSITION_TOOLS, FALSE));
        return (GetMenuState(tools, IDM_CHECK_PROGRAM, MF_BYCOMMAND) & MF_GRAYED) != 0;
    };
    EXPECT_TRUE(greyed());  // no document
    HWND editor = NewProgram(kProgram);
    HWND program = GetActiveDocument();
    EXPECT_FALSE(greyed());

    Command(IDM_CHECK_PROGRAM);
    HWND window = CheckProgramWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    char title[128] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_EQ(std::string(title), "Check Program - " + WindowTitle(program));
    HWND list = GetDlgItem(window, IDC_CHECK_LIST);
    ASSERT_EQ(ListView_GetItemCount(list), 3);
    const std::vector<std::vector<std::string>> rows = {
        {"1", "Lists differently: OR inside a name", "10 SCORE = 5", "10 SC OR E = 5"},
        {"2", "GOTO 100: there is no line 100", "20 GOTO 100", "20  GOTO 100"},
        {"3", "Line 30 again at line 4 of the text: this one is replaced", "30 PRINT \"A\"", "30  PRINT \"A\""},
    };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column) EXPECT_EQ(Cell(list, row, column), rows[row][column]);
    char summary[256] = {};
    GetDlgItemTextA(window, IDC_CHECK_SUMMARY, summary, sizeof summary);
    // 11 + 9 + 9 + 6 bytes of records and the 2-byte end link
    EXPECT_EQ(std::string(summary), "3 problems. 4 lines stored, 37 bytes at $0801-$0825: clear of HGR page 1 "
                                    "($2000-$3FFF), HGR page 2 ($4000-$5FFF) and HIMEM ($9600 with DOS).");

    // A double-click brings the program back in front of another document.
    NewProgram("");
    ASSERT_NE(GetActiveDocument(), program);
    Select(list, 1);
    RECT item = {};
    ListView_GetItemRect(list, 1, &item, LVIR_LABEL);
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(item.left + 2, (item.top + item.bottom) / 2));
    PumpMessages();
    EXPECT_EQ(GetActiveDocument(), program);
    EXPECT_EQ(CaretLine(editor), 1);
    EXPECT_EQ(GetFocus(), editor);

    // Enter, as the message loop hands it to the window.
    Select(list, 2);
    SetFocus(list);
    MSG enter = {list, WM_KEYDOWN, VK_RETURN, 0};
    EXPECT_TRUE(IsDialogMessageA(window, &enter));
    PumpMessages();
    EXPECT_EQ(CaretLine(editor), 2);

    // Escape closes it.
    SetFocus(list);
    MSG escape = {list, WM_KEYDOWN, VK_ESCAPE, 0};
    IsDialogMessageA(window, &escape);
    PumpMessages();
    EXPECT_EQ(CheckProgramWindow(), nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(boxes_->Unexpected().empty());
}

// An Integer BASIC program: a line the ROM refuses and a jump to no line.
// The window keeps up once the typing pauses, and the status bar counts the
// problems; a click there opens the window again.
TEST_F(CheckProgramTest, IntegerProgramAndTheWindowKeepingUp)
{
    HWND editor = NewDocumentWith(IDM_NEW_INTEGER, "10 PRINT \"HI\"\r\n20 GOTO 100\r\n30 PRINT (");
    boxes_->Ignore("Check Program - " + WindowTitle(GetActiveDocument()));
    HMENU tools = GetSubMenu(GetMenu(frame_), MENU_POSITION_TOOLS);
    SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(tools), MAKELPARAM(MENU_POSITION_TOOLS, FALSE));
    EXPECT_FALSE(GetMenuState(tools, IDM_CHECK_PROGRAM, MF_BYCOMMAND) & MF_GRAYED);
    Command(IDM_CHECK_PROGRAM);
    HWND window = CheckProgramWindow();
    ASSERT_NE(window, nullptr);
    HWND list = GetDlgItem(window, IDC_CHECK_LIST);
    ASSERT_EQ(ListView_GetItemCount(list), 2);
    EXPECT_EQ(Cell(list, 0, 0), "2");
    EXPECT_EQ(Cell(list, 1, 0), "3");
    char summary[256] = {};
    GetDlgItemTextA(window, IDC_CHECK_SUMMARY, summary, sizeof summary);
    EXPECT_EQ(std::string(summary).rfind("2 problems. 2 lines stored, ", 0), 0u) << summary;
    EXPECT_EQ(std::string(summary).find("$0801"), std::string::npos) << summary;  // not where Applesoft's lie

    // Typing on: nothing until the pause, then the new line's problem.
    const LONG end = static_cast<LONG>(EditorText(editor).size());
    ::Select(editor, end, end);
    SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\r\n40 GOSUB 200"));
    EXPECT_EQ(ListView_GetItemCount(list), 2);
    ASSERT_TRUE(PumpUntil([&] { return ListView_GetItemCount(list) == 3; }));
    EXPECT_EQ(Cell(list, 2, 0), "4");
    EXPECT_EQ(StatusPart(0), "3 problems");

    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    ASSERT_EQ(CheckProgramWindow(), nullptr);
    SendMessageA(g_app.statusBar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageA(g_app.statusBar, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    ASSERT_NE(CheckProgramWindow(), nullptr);
    EXPECT_EQ(ListView_GetItemCount(GetDlgItem(CheckProgramWindow(), IDC_CHECK_LIST)), 3);
    EXPECT_TRUE(boxes_->Unexpected().empty());
}

class CheckBeforeRunTest : public CheckProgramTest {
protected:
    void PrepareStartFolder() override
    {
        WriteFileText(IniPath(), "[Prompts]\r\nQuitPrompt=FALSE\r\nCheckBeforeRun=TRUE\r\n");
    }
};

// Yes shows the findings and types nothing; No goes on to run (here without
// an emulator); a program without problems runs without the question.
TEST_F(CheckBeforeRunTest, RunOffersTheCheckFirst)
{
    NewProgram(kProgram);
    boxes_->Expect(kQuestionCaption, IDYES);
    EXPECT_EQ(Command(IDM_RUN_PROGRAM), 0);
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_EQ(boxes_->Answered().back().text,
              "Check Program finds 3 problems in this program. Show them instead of running it?");
    ASSERT_NE(CheckProgramWindow(), nullptr);
    EXPECT_EQ(ListView_GetItemCount(GetDlgItem(CheckProgramWindow(), IDC_CHECK_LIST)), 3);

    boxes_->Expect(kQuestionCaption, IDNO);
    boxes_->Expect(kErrorCaption, IDOK);
    Command(IDM_RUN_PROGRAM);
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_EQ(boxes_->Answered().back().text, "No Emulator Running!");

    NewProgram("10 END");
    boxes_->Expect(kErrorCaption, IDOK);
    Command(IDM_RUN_PROGRAM);
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_EQ(boxes_->Answered().back().caption, kErrorCaption);
    EXPECT_TRUE(boxes_->Unexpected().empty());
}

}  // namespace
