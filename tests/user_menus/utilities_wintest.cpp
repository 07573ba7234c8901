// The Utilities menu as a user drives it: a utility added through the dialog
// (Browse included), shown in the menu and the settings file, launched,
// switched to AutoRun and removed; Launch; and the entries that must not run.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "support/app_fixture.h"

namespace {

constexpr char kAddCaption[] = "TAVO: Add Utility to Utilities menu:";
constexpr char kRemoveCaption[] = "TAVO: Remove Utility from Utilities menu:";
constexpr int kResourceItems = 3;  // Edit Utilities Menu, a separator, Launch

std::string BuildFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The launched program works on its own: wait for what it leaves behind.
bool Appears(const std::string& path)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(20))
        if (Exists(path)) return true;
    return false;
}

std::string MenuText(HMENU menu, int position)
{
    char text[256] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

std::string FieldText(HWND dialog, int id)
{
    char text[260] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class UtilitiesTest : public AppTest {
protected:
    void PrepareStartFolder() override
    {
        WriteFileText(IniPath(), "[Prompts]\r\nQuitPrompt=FALSE\r\n[Utilities]\r\nNumber=0\r\n");
        // A path with a space, and the program an unquoted one would start instead.
        tool_ = folder_->File("marker tool.exe");
        decoy_ = folder_->File("marker.exe");
        const std::string marker = BuildFolder() + "\\tools\\marker_utility.exe";
        CopyFileA(marker.c_str(), tool_.c_str(), FALSE);
        CopyFileA(marker.c_str(), decoy_.c_str(), FALSE);
    }
    HMENU Utilities() { return GetSubMenu(GetMenu(frame_), MENU_POSITION_UTILITIES); }
    std::string tool_, decoy_;
};

TEST_F(UtilitiesTest, AddRunToggleAndRemoveAUtility)
{
    ASSERT_TRUE(Exists(tool_));
    std::string keptAfterCancel, chosen;
    boxes_->Expect(kAddCaption, [](HWND add) {
        SetDlgItemTextA(add, IDC_UTILITY_PATH, "typed by hand");
        Press(add, IDC_UTILITY_BROWSE);
    });
    boxes_->Expect("Get utility filename: ", [&](HWND browse) {
        PressThen(browse, IDCANCEL, [&](HWND add) {
            keptAfterCancel = FieldText(add, IDC_UTILITY_PATH);
            Press(add, IDC_UTILITY_BROWSE);
        });
    });
    boxes_->Expect("Get utility filename: ", [&](HWND browse) {
        HWND add = GetWindow(browse, GW_OWNER);
        ChooseFileName(browse, tool_);
        for (DWORD start = GetTickCount(); IsWindow(browse) && GetTickCount() - start < 10000;) Sleep(5);
        chosen = FieldText(add, IDC_UTILITY_PATH);
        Press(add, IDOK);  // no name yet
    });
    boxes_->Expect(kErrorCaption, [](HWND box) {
        PressThen(box, IDOK, [](HWND add) {
            SetDlgItemTextA(add, IDC_UTILITY_NAME, "Marker");
            Press(add, IDOK);
        });
    });
    Command(IDM_ADD_UTILITY);
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_EQ(keptAfterCancel, "typed by hand");
    EXPECT_EQ(chosen, tool_);
    EXPECT_EQ(boxes_->Answered()[3].text, "You must enter both a \n utility name and a file path!");

    EXPECT_EQ(Setting("Utilities", "Number"), "1");
    EXPECT_EQ(Setting("Utilities", "Utility[1]"), "Marker");
    EXPECT_EQ(Setting("Utilities", "Utility[1]Path"), tool_);
    EXPECT_EQ(Setting("Utilities", "Utility[1]AutoRun"), "FALSE");
    ASSERT_EQ(GetMenuItemCount(Utilities()), kResourceItems + 2);
    EXPECT_TRUE(GetMenuState(Utilities(), kResourceItems, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(MenuText(Utilities(), kResourceItems + 1), "Marker");
    EXPECT_EQ(GetMenuItemID(Utilities(), kResourceItems + 1), 1000u);
    EXPECT_FALSE(GetMenuState(Utilities(), 1000, MF_BYCOMMAND) & MF_CHECKED);

    // The path with a space starts that program, not the one named by its first word.
    Command(1000);
    ASSERT_TRUE(Appears(tool_ + ".ran"));
    EXPECT_EQ(ReadFileText(tool_ + ".ran"), "\"" + tool_ + "\"");
    EXPECT_FALSE(Exists(decoy_ + ".ran"));

    boxes_->Expect(kRemoveCaption, [](HWND remove) {
        SendDlgItemMessageA(remove, IDC_UTILITY_LIST, CB_SETCURSEL, 0, 0);
        Press(remove, IDC_UTILITY_TOGGLE);
    });
    Command(IDM_REMOVE_UTILITY);
    EXPECT_EQ(Setting("Utilities", "Utility[1]AutoRun"), "TRUE");
    EXPECT_TRUE(GetMenuState(Utilities(), 1000, MF_BYCOMMAND) & MF_CHECKED);

    boxes_->Expect(kRemoveCaption, [](HWND remove) { Press(remove, IDOK); });  // nothing chosen
    boxes_->Expect(kErrorCaption, IDOK);
    boxes_->Expect(kRemoveCaption, [](HWND remove) {
        SendDlgItemMessageA(remove, IDC_UTILITY_LIST, CB_SETCURSEL, 0, 0);
        Press(remove, IDOK);
    });
    Command(IDM_REMOVE_UTILITY);
    Command(IDM_REMOVE_UTILITY);
    EXPECT_EQ(boxes_->Answered()[6].text, "No item selected!");
    EXPECT_EQ(Setting("Utilities", "Number"), "0");
    EXPECT_EQ(Setting("Utilities", "Utility[1]"), "<absent>");
    EXPECT_EQ(Setting("Utilities", "Utility[1]Path"), "<absent>");
    EXPECT_EQ(GetMenuItemCount(Utilities()), kResourceItems);

    boxes_->Expect(kErrorCaption, IDOK);
    Command(IDM_REMOVE_UTILITY);
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_EQ(boxes_->Answered().back().text, "There are no utilities to remove!");
}

TEST_F(UtilitiesTest, LaunchStartsTheChosenProgram)
{
    boxes_->Expect("Pick a file to launch:", [&](HWND launch) { ChooseFileName(launch, tool_); });
    Command(IDM_LAUNCH);
    ASSERT_TRUE(Appears(tool_ + ".ran"));
    EXPECT_FALSE(Exists(decoy_ + ".ran"));
}

// A full list refuses another entry with a message; an entry without a path
// is reported, not tried as a command line.
class FullUtilitiesTest : public AppTest {
    void PrepareStartFolder() override
    {
        std::string text = "[Prompts]\r\nQuitPrompt=FALSE\r\n[Utilities]\r\nNumber=199\r\n"
                           "Utility[1]=No path\r\nUtility[1]AutoRun=FALSE\r\n";
        for (int n = 2; n <= 199; ++n)
            text += "Utility[" + std::to_string(n) + "]AutoRun=FALSE\r\n";
        WriteFileText(IniPath(), text);
    }
};

TEST_F(FullUtilitiesTest, TheTwoHundredthIsRefusedAndAMissingPathIsNotRun)
{
    boxes_->Expect(kAddCaption, [](HWND add) {
        SetDlgItemTextA(add, IDC_UTILITY_NAME, "One too many");
        SetDlgItemTextA(add, IDC_UTILITY_PATH, "C:\\tool.exe");
        Press(add, IDOK);
    });
    boxes_->Expect(kErrorCaption, [](HWND box) { PressThen(box, IDOK, [](HWND add) { Press(add, IDCANCEL); }); });
    Command(IDM_ADD_UTILITY);
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_EQ(boxes_->Answered()[1].text, "The Utilities menu is full: it holds no more than 199 utilities!");
    EXPECT_EQ(Setting("Utilities", "Number"), "199");
    EXPECT_EQ(Setting("Utilities", "Utility[200]"), "<absent>");

    boxes_->Expect(kErrorCaption, IDOK);
    Command(1000);
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_EQ(boxes_->Answered().back().text, "Could not launch No path");  // no "GetLastError" box first
}

}  // namespace
