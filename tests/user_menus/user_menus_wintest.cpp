// The user's Utilities and Commands entries: appended once at start-up,
// AutoRun launched, accelerators merged, and every count bounded by the
// command ids the entries can have.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "shell/app.h"
#include "support/app_fixture.h"
#include "user_menus/accelerators.h"
#include "user_menus/edit_commands_dialog.h"

namespace {

std::string MenuText(HMENU menu, int position)
{
    char text[256] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

HMENU Submenu(HWND frame, int position) { return GetSubMenu(GetMenu(frame), position); }

int AcceleratorCount(HACCEL table) { return CopyAcceleratorTableA(table, nullptr, 0); }

int BuiltInAcceleratorCount()
{
    return AcceleratorCount(LoadAcceleratorsA(GetModuleHandleA(nullptr), TAVO_RESOURCE_NAME));
}

class CommandsTest : public AppTest {
    void PrepareStartFolder() override
    {
        WriteFileText(IniPath(), "[Prompts]\r\nQuitPrompt=FALSE\r\n"
                                 "[Commands]\r\nNumber=2\r\nCMD[1]=Catalog\\tF5\r\nCMD[1]Script=CATALOG\r\n"
                                 "CMD[1]Accelerator=VIRTKEY $74\r\nCMD[2]=Run it\r\nCMD[2]Accelerator=0\r\n");
    }
};

TEST_F(CommandsTest, CommandsAreAppendedWithTheirKeyHints)
{
    HMENU command = Submenu(frame_, MENU_POSITION_COMMAND);
    ASSERT_EQ(GetMenuItemCount(command), 4 + 1 + 2);
    EXPECT_EQ(GetMenuState(command, 4, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(MenuText(command, 5), "Catalog \tF5");
    EXPECT_EQ(GetMenuItemID(command, 5), 1501u);
    EXPECT_EQ(MenuText(command, 6), "Run it");
    EXPECT_EQ(GetMenuItemID(command, 6), 1502u);
}

TEST_F(CommandsTest, UserAcceleratorsFollowTheBuiltInOnes)
{
    int builtInCount = BuiltInAcceleratorCount();
    ASSERT_NE(g_app.accelerators.handle, nullptr);
    std::vector<ACCEL> entries(static_cast<size_t>(builtInCount) + 4);
    int count = CopyAcceleratorTableA(g_app.accelerators.handle, entries.data(), static_cast<int>(entries.size()));
    ASSERT_EQ(count, builtInCount + 1);  // CMD[2] has "0": no accelerator
    EXPECT_EQ(entries[count - 1].fVirt & ~0x80, FVIRTKEY);
    EXPECT_EQ(entries[count - 1].key, VK_F5);
    EXPECT_EQ(entries[count - 1].cmd, 1501);
}

// Only a table the program created is destroyed; the one loaded from the
// resources belongs to the system, whether it is replaced or the frame closes.
TEST_F(CommandsTest, TheResourceTableIsNeverDestroyed)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HACCEL resource = LoadAcceleratorsA(instance, TAVO_RESOURCE_NAME);
    ASSERT_GT(AcceleratorCount(resource), 0);

    AcceleratorTable rebuilt = BuildAcceleratorTable(instance, {resource, false});
    EXPECT_GT(AcceleratorCount(resource), 0);
    ASSERT_TRUE(rebuilt.created);
    HACCEL created = rebuilt.handle;
    AcceleratorTable again = BuildAcceleratorTable(instance, rebuilt);
    EXPECT_EQ(AcceleratorCount(created), 0);  // replaced, so destroyed
    ReleaseAcceleratorTable(again);

    ReleaseAcceleratorTable(g_app.accelerators);
    g_app.accelerators = {resource, false};
    ASSERT_TRUE(CloseFrame());
    EXPECT_GT(AcceleratorCount(resource), 0);
}

class EditCommandsTest : public AppTest {
    void PrepareStartFolder() override
    {
        WriteFileText(IniPath(), "[Prompts]\r\nQuitPrompt=FALSE\r\n[Commands]\r\nNumber=1\r\nCMD[1]=RUN\r\n"
                                 "CMD[1]Script=RUN\r\nCMD[1]Accelerator=0\r\n");
    }

protected:
    void Press(int id, const char* name, const char* script = "", const char* accelerator = "0")
    {
        SetDlgItemTextA(dialog_, IDC_EDITCMD_COMMAND, name);
        SetDlgItemTextA(dialog_, IDC_EDITCMD_SCRIPT, script);
        SetDlgItemTextA(dialog_, IDC_EDITCMD_ACCELERATOR, accelerator);
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
    }
    // The dialog, hidden: the watcher would close it as an unexpected box,
    // and passes over hidden windows.
    void OpenHiddenDialog()
    {
        boxes_.reset();
        Command(IDM_EDIT_COMMANDS);
        dialog_ = EditCommandsDialog();
        ASSERT_NE(dialog_, nullptr);
        ShowWindow(dialog_, SW_HIDE);
        boxes_ = std::make_unique<BoxWatcher>();
    }
    HWND dialog_ = nullptr;
};

// A name edits only the entry of that whole name (letters without case), a
// script's line breaks stay on the file's line, and menu and accelerators follow.
TEST_F(EditCommandsTest, AddChangeAndRemoveByWholeName)
{
    OpenHiddenDialog();
    Command(IDM_EDIT_COMMANDS);
    EXPECT_EQ(EditCommandsDialog(), dialog_);
    HMENU command = Submenu(frame_, MENU_POSITION_COMMAND);
    const int builtIn = BuiltInAcceleratorCount();

    boxes_->Expect(kErrorCaption, IDOK);  // Ctrl+K types a special character too
    Press(IDC_EDITCMD_APPLY, "RU", "10 A=1\r\n20 B=\\,r", "CONTROL VIRTKEY $4B");
    EXPECT_EQ(Setting("Commands", "Number"), "2");
    EXPECT_EQ(Setting("Commands", "CMD[1]"), "RUN");
    EXPECT_EQ(Setting("Commands", "CMD[2]Script"), "10 A=1\\r\\n20 B=\\\\,r");
    ASSERT_EQ(GetMenuItemCount(command), 4 + 1 + 2);
    EXPECT_EQ(MenuText(command, 6), "RU");
    EXPECT_EQ(AcceleratorCount(g_app.accelerators.handle), builtIn + 1);
    SendDlgItemMessageA(dialog_, IDC_EDITCMD_COMMAND, CB_SETCURSEL, 1, 0);
    SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_EDITCMD_COMMAND, CBN_SELCHANGE), 0);
    char script[256] = {};
    GetDlgItemTextA(dialog_, IDC_EDITCMD_SCRIPT, script, sizeof script);
    EXPECT_STREQ(script, "10 A=1\r\n20 B=\\,r");

    Press(IDC_EDITCMD_APPLY, "run", "CATALOG", "x");  // one character: no accelerator
    EXPECT_EQ(Setting("Commands", "Number"), "2");
    EXPECT_EQ(Setting("Commands", "CMD[1]"), "run");
    EXPECT_EQ(Setting("Commands", "CMD[1]Accelerator"), "0");
    EXPECT_EQ(MenuText(command, 5), "run");

    Press(IDC_EDITCMD_REMOVE, "R");
    EXPECT_EQ(Setting("Commands", "Number"), "2");
    Press(IDC_EDITCMD_REMOVE, "RUN");
    EXPECT_EQ(Setting("Commands", "Number"), "1");
    EXPECT_EQ(Setting("Commands", "CMD[1]"), "RU");
    EXPECT_EQ(Setting("Commands", "CMD[1]Accelerator"), "CONTROL VIRTKEY $4B");
    EXPECT_EQ(Setting("Commands", "CMD[2]Script"), "<absent>");
    ASSERT_EQ(GetMenuItemCount(command), 4 + 1 + 1);
    EXPECT_EQ(GetMenuItemID(command, 5), 1501u);
    std::vector<ACCEL> entries(static_cast<size_t>(builtIn) + 2);
    ASSERT_EQ(CopyAcceleratorTableA(g_app.accelerators.handle, entries.data(), builtIn + 2), builtIn + 1);
    EXPECT_EQ(entries[static_cast<size_t>(builtIn)].cmd, 1501);

    boxes_->Expect(kErrorCaption, IDOK);
    Press(IDOK, "");
    ASSERT_EQ(boxes_->Answered().size(), 2u);
    EXPECT_EQ(boxes_->Answered()[1].text, "You must enter a command name!");
    EXPECT_EQ(EditCommandsDialog(), dialog_);
    Press(IDOK, "RU", "CATALOG,r", "0");
    EXPECT_EQ(EditCommandsDialog(), nullptr);
    EXPECT_EQ(Setting("Commands", "CMD[1]Script"), "CATALOG,r");
    EXPECT_EQ(AcceleratorCount(g_app.accelerators.handle), builtIn);
}

// A key a built-in command keeps is refused and the entry waits for
// another; a special character's key goes to the command, which is said.
TEST_F(EditCommandsTest, TellsOfTheBuiltInKeys)
{
    OpenHiddenDialog();
    for (int i = 0; i < 3; ++i) boxes_->Expect(kErrorCaption, IDOK);
    Press(IDOK, "Mine", "CATALOG", "VIRTKEY $78");
    Press(IDC_EDITCMD_APPLY, "Mine", "CATALOG", "ALT VIRTKEY $25");
    EXPECT_EQ(EditCommandsDialog(), dialog_);
    EXPECT_EQ(Setting("Commands", "Number"), "1");
    Press(IDC_EDITCMD_APPLY, "Mine", "CATALOG", "CONTROL VIRTKEY $47");
    EXPECT_EQ(Setting("Commands", "CMD[2]Accelerator"), "CONTROL VIRTKEY $47");
    const std::vector<BoxSeen> boxes = boxes_->Answered();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "The key F9 (Edit > Go To Referenced Line) belongs to a command of TAVO's own, which "
                             "keeps it: choose another key for this command!");
    EXPECT_EQ(boxes[1].text, "The key Alt+Left (Edit > Jump Back) belongs to a command of TAVO's own, which keeps "
                             "it: choose another key for this command!");
    EXPECT_EQ(boxes[2].text, "The key Ctrl+G (Tools > Special Characters > Ctrl+G) now runs this command instead!");
}

// A utility marked AutoRun is launched at start-up; those that cannot start
// are named in one message 21, and still get their check marks. From the
// menu, a failure shows the system's text first.
class AutoRunTest : public AppTest {
    void PrepareStartFolder() override
    {
        WriteFileText(IniPath(), "[Prompts]\r\nQuitPrompt=FALSE\r\n[Utilities]\r\nNumber=2\r\n"
                                 "Utility[1]=Missing tool\r\nUtility[1]Path=C:\\no\\such\\tool.exe\r\n"
                                 "Utility[1]AutoRun=TRUE\r\nUtility[2]=Manual tool\r\n"
                                 "Utility[2]Path=C:\\no\\such\\other.exe\r\nUtility[2]AutoRun=true\r\n");
        boxes_->Expect(kErrorCaption, IDOK);
    }
};

TEST_F(AutoRunTest, FailedAutoRunReportsAndStillChecksTheItem)
{
    ASSERT_EQ(boxes_->Answered().size(), 1u);
    EXPECT_EQ(boxes_->Answered()[0].text, "Could not launch C:\\no\\such\\tool.exe");
    HMENU utilities = Submenu(frame_, MENU_POSITION_UTILITIES);
    ASSERT_EQ(GetMenuItemCount(utilities), 3 + 1 + 2);
    EXPECT_EQ(MenuText(utilities, 4), "Missing tool");
    EXPECT_TRUE(GetMenuState(utilities, 1000, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(utilities, 1001, MF_BYCOMMAND) & MF_CHECKED);  // only exactly "TRUE" counts
}

TEST_F(AutoRunTest, UtilityCommandLaunchesOrReports)
{
    boxes_->Expect("GetLastError", IDOK);
    boxes_->Expect(kErrorCaption, IDOK);
    Command(1001);
    ASSERT_EQ(boxes_->Answered().size(), 3u);
    EXPECT_EQ(boxes_->Answered()[1].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_FALSE(boxes_->Answered()[1].text.empty());
    EXPECT_EQ(boxes_->Answered()[2].text, "Could not launch C:\\no\\such\\other.exe");
}

// Hand-edited counts: the largest number the file can hold must neither hang
// the start nor give ids beyond the entries' ranges. Entry 200 is marked
// AutoRun; launching it would have sent the first keyword command (1200).
class HugeCountsTest : public AppTest {
    void PrepareStartFolder() override
    {
        std::string text = "[Prompts]\r\nQuitPrompt=FALSE\r\n[Commands]\r\nNumber=2147483647\r\n"
                           "[Utilities]\r\nNumber=2147483647\r\n";
        for (int n = 1; n <= 200; ++n) {
            std::string entry = "Utility[" + std::to_string(n) + "]";
            text += entry + "=Tool " + std::to_string(n) + "\r\n" + entry + "Path=C:\\no\\such\\tool.exe\r\n" +
                    entry + "AutoRun=" + (n == 200 ? "TRUE" : "FALSE") + "\r\n";
        }
        WriteFileText(IniPath(), text);
    }
};

TEST_F(HugeCountsTest, EntriesStopAtTheEndOfTheirIdRanges)
{
    HMENU utilities = Submenu(frame_, MENU_POSITION_UTILITIES);
    ASSERT_EQ(GetMenuItemCount(utilities), 3 + 1 + 199);
    EXPECT_EQ(MenuText(utilities, 3 + 1 + 198), "Tool 199");
    EXPECT_EQ(GetMenuItemID(utilities, 3 + 1 + 198), 1198u);
    HMENU command = Submenu(frame_, MENU_POSITION_COMMAND);
    ASSERT_EQ(GetMenuItemCount(command), 4 + 1 + 198);
    EXPECT_EQ(GetMenuItemID(command, 4 + 1 + 197), 1698u);
    // Absent accelerator texts mean none: only the built-in ones.
    EXPECT_EQ(AcceleratorCount(g_app.accelerators.handle), BuiltInAcceleratorCount());
}

class NegativeCountsTest : public AppTest {
    void PrepareStartFolder() override
    {
        WriteFileText(IniPath(), "[Prompts]\r\nQuitPrompt=FALSE\r\n[Commands]\r\nNumber=-4\r\n"
                                 "[Utilities]\r\nNumber=-2147483648\r\n");
    }
};

TEST_F(NegativeCountsTest, NegativeCountsMeanNoEntriesAndNoSeparator)
{
    EXPECT_EQ(GetMenuItemCount(Submenu(frame_, MENU_POSITION_COMMAND)), 4);
    EXPECT_EQ(GetMenuItemCount(Submenu(frame_, MENU_POSITION_UTILITIES)), 3);
}

}  // namespace
