// The frame window: its children, the quit question, menu enabling, closing.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "app/commands.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/settings.h"
#include "support/app_fixture.h"

namespace {

std::string WindowText(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string MenuText(HMENU menu, UINT position)
{
    char text[256] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

bool IsGrayed(HMENU menu, UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

class FrameTest : public AppTest {};

TEST_F(FrameTest, StartsWithItsChildrenInPlace)
{
    EXPECT_EQ(WindowText(frame_), "TAVO - Untitled");
    EXPECT_EQ(GetDlgCtrlID(g_app.mdiClient), IDC_MDI_CLIENT);
    EXPECT_EQ(GetDlgCtrlID(g_app.toolbar), IDC_TOOLBAR);
    EXPECT_EQ(SendMessageA(g_app.toolbar, TB_BUTTONCOUNT, 0, 0), 33);
    // Tips for buttons 0-17 but six, and 23-32 but two.
    EXPECT_EQ(SendMessageA(g_app.toolTips, TTM_GETTOOLCOUNT, 0, 0), 12 + 8);
    EXPECT_EQ(GetParent(g_app.fontNameBox), g_app.toolbar);
    EXPECT_EQ(GetParent(g_app.fontSizeBox), g_app.toolbar);
    ASSERT_EQ(SendMessageA(g_app.fontSizeBox, CB_GETCOUNT, 0, 0), 19);
    char size[8] = {};
    SendMessageA(g_app.fontSizeBox, CB_GETLBTEXT, 18, reinterpret_cast<LPARAM>(size));
    EXPECT_STREQ(size, "72");
    EXPECT_GT(SendMessageA(g_app.fontNameBox, CB_GETCOUNT, 0, 0), 0);  // the screen's font families
    EXPECT_EQ(SendMessageA(g_app.statusBar, SB_GETPARTS, 0, 0), 4);
    ASSERT_NE(g_app.clipboardCarrier, nullptr);
    EXPECT_EQ(GetParent(g_app.clipboardCarrier), g_app.mdiClient);
    EXPECT_FALSE(IsWindowVisible(g_app.clipboardCarrier));

    // Check buttons: bold and the alignments toggle.
    TBBUTTONINFOA info = {sizeof info, TBIF_STYLE};
    SendMessageA(g_app.toolbar, TB_GETBUTTONINFOA, IDM_BOLD, reinterpret_cast<LPARAM>(&info));
    EXPECT_TRUE(info.fsStyle & TBSTYLE_CHECK);
}

TEST_F(FrameTest, StatusBarPartsFollowTheWidth)
{
    RECT client;
    GetClientRect(frame_, &client);
    int edges[4] = {};
    SendMessageA(g_app.statusBar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], client.right - 375);
    EXPECT_EQ(edges[1], client.right - 250);
    EXPECT_EQ(edges[2], client.right - 125);
}

TEST_F(FrameTest, MenuBarHasTheSevenMenusInOrder)
{
    HMENU menu = GetMenu(frame_);
    const char* names[] = {"&File", "&Edit", "&Command", "&Utilities", "&Tools", "&Windows", "&Help"};
    ASSERT_EQ(GetMenuItemCount(menu), 7);
    for (UINT i = 0; i < 7; ++i) EXPECT_EQ(MenuText(menu, i), names[i]);
}

// Calls `visit` with every command item of `menu` and its submenus.
void ForEachCommandItem(HMENU menu, const std::function<void(HMENU, int position, UINT id)>& visit)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            ForEachCommandItem(sub, visit);
            continue;
        }
        UINT id = GetMenuItemID(menu, i);
        if (id != 0 && id != static_cast<UINT>(-1)) visit(menu, i, id);  // not a separator
    }
}

// Every command a menu item or a built-in shortcut can send is routed.
TEST_F(FrameTest, EveryMenuItemAndShortcutIsRouted)
{
    ForEachCommandItem(GetMenu(frame_), [](HMENU menu, int position, UINT id) {
        EXPECT_NE(FindCommandRoute(id), nullptr) << MenuText(menu, position) << " (" << id << ")";
    });
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), "TAVO");
    ACCEL entries[128];
    int count = CopyAcceleratorTableA(table, entries, 128);
    ASSERT_GT(count, 10);
    for (int i = 0; i < count; ++i) {
        EXPECT_NE(FindCommandRoute(entries[i].cmd), nullptr) << entries[i].cmd;
        // Delete must keep deleting the next character in the editor.
        EXPECT_FALSE((entries[i].fVirt & FVIRTKEY) && entries[i].key == VK_DELETE);
    }
    for (UINT id : std::initializer_list<UINT>{IDM_KEYWORD_FIRST, IDM_KEYWORD_LAST, IDM_CONTROL_CHAR_LAST,
                                              IDM_USER_COMMAND_LAST, IDM_UTILITY_LAST, IDM_LIST_PROGRAMS,
                                              IDM_TEXT_COLOR, IDM_ALIGN_RIGHT})
        EXPECT_NE(FindCommandRoute(id), nullptr) << id;
    for (UINT id : {1u, 5u, 33u, 705u, 40u, 62u, 91u, 1699u, static_cast<UINT>(IDM_FIRST_MDI_CHILD)})
        EXPECT_EQ(FindCommandRoute(id), nullptr) << id;
}

TEST_F(FrameTest, SpecialCharactersSubmenuRunsFromCtrlAtToCtrlUnderscore)
{
    HMENU tools = GetSubMenu(GetMenu(frame_), 4);
    HMENU special = nullptr;
    for (int i = 0; i < GetMenuItemCount(tools); ++i)
        if (GetSubMenu(tools, i)) special = GetSubMenu(tools, i);
    ASSERT_NE(special, nullptr);
    ASSERT_EQ(GetMenuItemCount(special), 32);
    EXPECT_EQ(MenuText(special, 0), "Ctrl+&@");
    EXPECT_EQ(GetMenuItemID(special, 7), 1407u);
    EXPECT_EQ(MenuText(special, 7), "Ctrl+&G");
    EXPECT_EQ(MenuText(special, 28), "Ctrl+&\\");
    EXPECT_EQ(MenuText(special, 31), "Ctrl+&_");
}

TEST_F(FrameTest, EditMenuWithNoDocument)
{
    HMENU edit = GetSubMenu(GetMenu(frame_), 1);
    ASSERT_TRUE(OpenClipboard(frame_));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 6);
    memcpy(GlobalLock(text), "HELLO", 6);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();

    SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), MAKELPARAM(1, FALSE));
    for (UINT id : {IDM_UNDO, IDM_CUT, IDM_COPY, IDM_CLEAR}) EXPECT_TRUE(IsGrayed(edit, id)) << id;
    EXPECT_FALSE(IsGrayed(edit, IDM_PASTE));

    ASSERT_TRUE(OpenClipboard(frame_));
    EmptyClipboard();
    CloseClipboard();
    SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), MAKELPARAM(1, FALSE));
    EXPECT_TRUE(IsGrayed(edit, IDM_PASTE));
}

TEST_F(FrameTest, DocumentCommandsAreGrayUntilADocumentOpens)
{
    HMENU menu = GetMenu(frame_);
    for (UINT id : {IDM_SAVE, IDM_SAVE_WINDOWS_AS, IDM_SELECT_ALL}) EXPECT_TRUE(IsGrayed(menu, id)) << id;
    Command(IDM_NEW_APPLESOFT);
    for (UINT id : {IDM_SAVE, IDM_SAVE_WINDOWS_AS, IDM_SELECT_ALL}) EXPECT_FALSE(IsGrayed(menu, id)) << id;
    Command(IDM_CLOSE_ALL);
    SendMessageA(frame_, WM_NULL, 0, 0);  // the next message grays them again
    for (UINT id : {IDM_SAVE, IDM_SAVE_WINDOWS_AS, IDM_SELECT_ALL}) EXPECT_TRUE(IsGrayed(menu, id)) << id;
    EXPECT_FALSE(IsGrayed(menu, IDM_PASTE));  // Paste is left to the Edit menu's opening
}

TEST_F(FrameTest, QuitQuestionAnsweredNoKeepsTheFrame)
{
    boxes_->Expect(kQuestionCaption, IDNO);
    Command(IDM_EXIT);
    ASSERT_EQ(boxes_->Answered().size(), 1u);
    BoxSeen box = boxes_->Answered()[0];
    EXPECT_EQ(box.text, "Are you sure you want to Quit?");
    EXPECT_EQ(box.flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(IsWindow(frame_));
    EXPECT_TRUE(IsWindowVisible(frame_));
}

TEST_F(FrameTest, QuitQuestionAnsweredYesEndsTheLoopWithCodeZero)
{
    boxes_->Expect(kQuestionCaption, IDYES);
    int code = -1;
    EXPECT_TRUE(CloseFrame(&code));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(boxes_->Answered().size(), 1u);  // with no document only the quit question
}

TEST_F(FrameTest, ExitWithTwoModifiedDocumentsAsksForEachAndCancelKeepsTheSecond)
{
    g_settings.quitPrompt = "FALSE";
    Command(IDM_NEW_EDIT);
    Command(IDM_NEW_EDIT);
    int documents = 0;
    for (HWND child = GetWindow(g_app.mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == g_app.clipboardCarrier) continue;
        SendMessageA(GetWindow(child, GW_CHILD), EM_SETMODIFY, TRUE, 0);
        ++documents;
    }
    ASSERT_EQ(documents, 2);
    boxes_->Expect(kQuestionCaption, IDNO);
    boxes_->Expect(kQuestionCaption, IDCANCEL);
    EXPECT_FALSE(CloseFrame());
    ASSERT_EQ(boxes_->Answered().size(), 2u);
    EXPECT_EQ(boxes_->Answered()[0].text, "Save current changes in Untitled?");
    EXPECT_EQ(boxes_->Answered()[0].flags, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_TRUE(IsWindow(frame_));
    int left = 0;
    for (HWND child = GetWindow(g_app.mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (child != g_app.clipboardCarrier) ++left;
    EXPECT_EQ(left, 1);
}

TEST_F(FrameTest, QuitPromptInLowerCaseDoesNotAsk)
{
    g_settings.quitPrompt = "true";
    int code = -1;
    EXPECT_TRUE(CloseFrame(&code));
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(boxes_->Answered().empty());
}

TEST_F(FrameTest, EndOfSessionAsksButDoesNotDestroy)
{
    boxes_->Expect(kQuestionCaption, IDNO);
    EXPECT_EQ(SendMessageA(frame_, WM_QUERYENDSESSION, 0, 0), FALSE);
    boxes_->Expect(kQuestionCaption, IDYES);
    EXPECT_EQ(SendMessageA(frame_, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_TRUE(IsWindow(frame_));
}

TEST_F(FrameTest, CloseAllWithNoDocumentSucceeds)
{
    EXPECT_NE(Command(IDM_CLOSE_ALL), 0);
    Command(IDM_CASCADE);  // the window commands do nothing harmful without documents
    Command(IDM_TILE);
    Command(IDM_ARRANGE);
    EXPECT_TRUE(IsWindow(frame_));
}

TEST_F(FrameTest, AboutBoxShowsNameAndVersion)
{
    boxes_->Expect("About TAVO", IDOK);
    Command(IDM_ABOUT);
    ASSERT_EQ(boxes_->Answered().size(), 1u);
    const std::vector<std::string> texts = boxes_->Answered()[0].texts;
    auto has = [&](const char* t) { return std::find(texts.begin(), texts.end(), t) != texts.end(); };
    std::string all;
    for (const std::string& t : texts) all += "[" + t + "]";
    SCOPED_TRACE(all);
    EXPECT_TRUE(has("TAVO"));
    EXPECT_TRUE(has("Version"));
    EXPECT_TRUE(has("0.27"));
}

// A command without its work stays greyed in the menu and the toolbar, even
// after a document's opening enables the document commands, and does
// nothing when its shortcut or id arrives anyway.
TEST_F(FrameTest, UnbuiltCommandsAreGrayedEverywhereAndDoNothing)
{
    Command(IDM_NEW_APPLESOFT);
    HMENU menu = GetMenu(frame_);
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(menu, i)), MAKELPARAM(i, FALSE));
    ForEachCommandItem(menu, [](HMENU sub, int position, UINT id) {
        if (FindCommandRoute(id) && !CommandIsBuilt(id))
            EXPECT_TRUE(GetMenuState(sub, position, MF_BYPOSITION) & MF_GRAYED) << MenuText(sub, position);
    });
    EXPECT_FALSE(IsGrayed(menu, IDM_SAVE));
    EXPECT_FALSE(IsGrayed(menu, IDM_OPEN));

    int buttons = static_cast<int>(SendMessageA(g_app.toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < buttons; ++i) {
        TBBUTTON button = {};
        SendMessageA(g_app.toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if (button.idCommand == 0) continue;
        UINT id = static_cast<UINT>(button.idCommand);
        EXPECT_EQ(SendMessageA(g_app.toolbar, TB_ISBUTTONENABLED, id, 0) != 0, CommandIsBuilt(id)) << id;
    }
    EXPECT_EQ(IsWindowEnabled(g_app.fontNameBox) != 0, CommandIsBuilt(IDC_FONT_NAME_BOX));

    for (UINT id : std::initializer_list<UINT>{IDM_PRINT, IDM_WORD_WRAP, IDM_REMOVE_SPACES, IDM_FIND_NEXT, 1400,
                                              1431, 1200, 1307, 1501, 1698, 701, 708, IDM_RUN_PROGRAM})
        if (!CommandIsBuilt(id)) EXPECT_EQ(Command(id), 0) << id;
    PumpMessages();
    EXPECT_TRUE(boxes_->Unexpected().empty());
    EXPECT_TRUE(IsWindow(frame_));
}

TEST_F(FrameTest, FontBoxesKeepToTheirRoomAndTipsFollowWrappedButtons)
{
    auto check = [&] {
        RECT name = {}, size = {}, bold = {};
        GetWindowRect(g_app.fontNameBox, &name);
        GetWindowRect(g_app.fontSizeBox, &size);
        SendMessageA(g_app.toolbar, TB_GETRECT, IDM_BOLD, reinterpret_cast<LPARAM>(&bold));
        MapWindowPoints(g_app.toolbar, nullptr, reinterpret_cast<POINT*>(&bold), 2);
        RECT overlap = {};
        // Never over each other or over the bold button, wherever the rows wrap.
        EXPECT_FALSE(IntersectRect(&overlap, &name, &size));
        EXPECT_FALSE(IntersectRect(&overlap, &size, &bold));
        EXPECT_FALSE(IntersectRect(&overlap, &name, &bold));
        EXPECT_GT(name.right - name.left, size.right - size.left);
        int tools = static_cast<int>(SendMessageA(g_app.toolTips, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < tools; ++i) {
            TOOLINFOA tool = {};
            tool.cbSize = sizeof tool;
            ASSERT_TRUE(SendMessageA(g_app.toolTips, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool)));
            RECT button = {};
            SendMessageA(g_app.toolbar, TB_GETITEMRECT, tool.uId, reinterpret_cast<LPARAM>(&button));
            EXPECT_TRUE(EqualRect(&tool.rect, &button)) << "tip of button " << tool.uId;
        }
    };
    check();
    RECT frame = {};
    GetWindowRect(frame_, &frame);
    // Narrow enough for the toolbar to wrap its buttons onto more rows.
    MoveWindow(frame_, frame.left, frame.top, 260, 400, TRUE);
    PumpMessages();
    RECT wrapped = {};
    SendMessageA(g_app.toolbar, TB_GETRECT, IDM_ALIGN_RIGHT, reinterpret_cast<LPARAM>(&wrapped));
    EXPECT_GT(wrapped.top, 0);
    check();
}

}  // namespace
