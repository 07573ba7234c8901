// The settings file: first run, rewriting a damaged file, values in memory
// and the window rectangle.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/startup.h"
#include "core/settings/setting_values.h"
#include "shell/app.h"
#include "shell/settings.h"
#include "support/app_fixture.h"

namespace {

// The first-run file, key by key in writing order, as the program's users know it.
std::vector<IniEntry> FirstRunFile(const std::string& startFolder)
{
    return {
        {"Data", "Version", "0.27"},
        {"General", "HiLightGotoLine", "TRUE"},
        {"General", "MatchCaseFind", "FALSE"},
        {"General", "PrintBlack", "TRUE"},
        {"General", "ClientScroll", "FALSE"},
        {"Prompts", "QuitPrompt", "TRUE"},
        {"Prompts", "DelPrompt", "TRUE"},
        {"Prompts", "OpenDir", "TRUE"},
        {"Prompts", "WriteImagesDirectly", "TRUE"},
        {"Directories", "Src", startFolder},
        {"Display", "BkgrndColor", "FFFFFF"},
        {"Display", "STDFont", "TRUE"},
        {"Display", "A2Font", "FALSE"},
        {"Display", "OtherFont", "FALSE"},
        {"Display", "FontName", "Courier New"},
        {"Display", "FontSize", "9"},
        {"Display", "FontColor", "000000"},
        {"Display", "FontItalic", "FALSE"},
        {"Display", "FontBold", "FALSE"},
        {"Display", "FontUnderline", "FALSE"},
        {"Display", "RetainFormat", "TRUE"},
        {"Display", "WordWrap", "FALSE"},
        {"Display", "StopDuplicates", "FALSE"},
        {"Display", "Tab", "5"},
        {"Display", "NumTabs", "20"},
        {"SyntaxColor", "SyntaxColor", "TRUE"},
        {"SyntaxColor", "RemColor", "0000FF"},
        {"SyntaxColor", "QuoteColor", "BB0000"},
        {"SyntaxColor", "TokenColor", "00BB00"},
        {"SyntaxColor", "SingleColor", "BB00BB"},
        {"Emulators", "Number", "6"},
        {"Emulators", "Name[1]", "Enhanced Apple //e Emulator"},
        {"Emulators", "Name[2]", "Apple //e Emulator"},
        {"Emulators", "Name[3]", "Apple ][ Emulator"},
        {"Emulators", "Name[4]", "Apple ][+ Emulator"},
        {"Emulators", "Name[5]", "Pravets 82 Emulator"},
        {"Emulators", "Name[6]", "Pravets 8A Emulator"},
        {"Utilities", "Number", "0"},
    };
}

class FirstRunTest : public AppTest {};

TEST_F(FirstRunTest, CreatesExactlyTheDefaultKeys)
{
    EXPECT_EQ(ReadIniEntries(IniPath()), FirstRunFile(folder_->path()));
    EXPECT_EQ(SettingsPath(), folder_->path() + "\\TAVO.ini");
    EXPECT_EQ(g_app.helpPath, BuildFolder() + "\\TAVOHelp.chm");  // none in the start folder
    EXPECT_EQ(g_settings.sourceDirectory, folder_->path());
    // An empty Utilities list and no Commands: nothing appended to either menu.
    HMENU menu = GetMenu(frame_);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 2)), 4);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 3)), 3);
}

TEST_F(FirstRunTest, ValuesAreParsedIntoMemory)
{
    EXPECT_EQ(g_settings.fontName, "Courier New");
    EXPECT_EQ(g_settings.fontSize, "9");
    EXPECT_EQ(g_settings.currentFontSize, "9");
    EXPECT_EQ(g_settings.backgroundColour, 0xFFFFFFu);
    EXPECT_EQ(g_settings.remColor, RGB(255, 0, 0));  // "0000FF": red is the low byte
    EXPECT_EQ(g_settings.quoteColor, RGB(0, 0, 0xBB));  // "BB0000", dark blue
    EXPECT_EQ(g_settings.tokenColor, RGB(0, 0xBB, 0));
    EXPECT_EQ(g_settings.syntaxColor, 1);
    EXPECT_EQ(g_settings.emulatorCount, 6);
    EXPECT_TRUE(g_app.gotoHighlightDefault);
    EXPECT_FALSE(g_app.matchCaseDefault);
}

TEST_F(FirstRunTest, DefaultRectangleIsHalfTheScreenAtTheCorner)
{
    RECT r;
    GetWindowRect(frame_, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN) / 2);
}

TEST_F(FirstRunTest, RectangleSurvivesARestart)
{
    g_settings.quitPrompt = "FALSE";
    MoveWindow(frame_, 31, 47, 702, 455, TRUE);
    ASSERT_TRUE(CloseFrame());
    EXPECT_EQ(Setting("MainWindowSize", "Left"), "31");
    EXPECT_EQ(Setting("MainWindowSize", "Top"), "47");
    EXPECT_EQ(Setting("MainWindowSize", "Wide"), "702");
    EXPECT_EQ(Setting("MainWindowSize", "High"), "455");

    ASSERT_NE(Start(), nullptr);
    RECT r;
    GetWindowRect(frame_, &r);
    EXPECT_EQ(r.left, 31);
    EXPECT_EQ(r.top, 47);
    EXPECT_EQ(r.right, 31 + 702);
    EXPECT_EQ(r.bottom, 47 + 455);
}

// A file that lost only its QuitPrompt is rewritten with the defaults, while
// keys outside the defaults survive.
class DamagedFileTest : public AppTest {
    void PrepareStartFolder() override
    {
        WriteFileText(IniPath(),
                      "[Display]\r\nFontName=Arial\r\nCustFontColor[3]=FF\r\n"
                      "[Utilities]\r\nNumber=0\r\n"
                      "[Commands]\r\nNumber=2\r\nCMD[1]=Catalog\\tF5\r\nCMD[1]Script=CATALOG\r\n"
                      "CMD[1]Accelerator=VIRTKEY $74\r\nCMD[2]=Run it\r\nCMD[2]Accelerator=0\r\n"
                      "[MainWindowSize]\r\nLeft=20\r\nTop=30\r\nWide=0\r\nHigh=400\r\n");
    }
};

TEST_F(DamagedFileTest, DefaultsAreRewrittenAndOtherKeysSurvive)
{
    EXPECT_EQ(Setting("Prompts", "QuitPrompt"), "TRUE");
    EXPECT_EQ(Setting("Display", "FontName"), "Courier New");
    EXPECT_EQ(Setting("Utilities", "Number"), "0");
    EXPECT_EQ(Setting("Display", "CustFontColor[3]"), "FF");
    EXPECT_EQ(Setting("Commands", "CMD[1]Script"), "CATALOG");
    EXPECT_EQ(Setting("MainWindowSize", "Left"), "20");
    EXPECT_EQ(g_settings.custFontColor[3], "FF");
    EXPECT_EQ(g_settings.custFontColor[4], "TRUE");  // absent keys read as "TRUE" at start-up
}

TEST_F(DamagedFileTest, ZeroWidthGivesTheDefaultRectangle)
{
    RECT r;
    GetWindowRect(frame_, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN) / 2);
}

// A saved rectangle that lies off the screen, or whose numbers overflow when
// added, is brought onto the work area, so it is also saved back there.
class SavedRectangleTest : public AppTest {
    bool StartsInSetUp() const override { return false; }
};

TEST_F(SavedRectangleTest, FrameOpensOnTheWorkArea)
{
    RECT area;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    struct Row {
        const char* name;
        const char* left;
        const char* top;
        const char* wide;
        const char* high;
        RECT expected;
    } rows[] = {
        {"far off to the top left", "-100000", "-100000", "640", "480",
         {area.left, area.top, area.left + 640, area.top + 480}},
        {"past the right and bottom", "5000", "4000", "640", "480",
         {area.right - 640, area.bottom - 480, area.right, area.bottom}},
        {"the largest numbers", "2147483647", "2147483647", "2147483647", "2147483647", area},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteFileText(IniPath(), std::string("[Prompts]\r\nQuitPrompt=FALSE\r\n[MainWindowSize]\r\nLeft=") + row.left +
                                     "\r\nTop=" + row.top + "\r\nWide=" + row.wide + "\r\nHigh=" + row.high + "\r\n");
        ASSERT_NE(Start(), nullptr);
        RECT r;
        GetWindowRect(frame_, &r);
        EXPECT_EQ(r.left, row.expected.left);
        EXPECT_EQ(r.top, row.expected.top);
        EXPECT_EQ(r.right, row.expected.right);
        EXPECT_EQ(r.bottom, row.expected.bottom);
        ASSERT_TRUE(CloseFrame());
        EXPECT_EQ(Setting("MainWindowSize", "Left"), std::to_string(row.expected.left));
        EXPECT_EQ(Setting("MainWindowSize", "Wide"), std::to_string(row.expected.right - row.expected.left));
    }
}

class AbsentKeysTest : public AppTest {
    void PrepareStartFolder() override
    {
        WriteFileText(IniPath(), "[Prompts]\r\nQuitPrompt=FALSE\r\n[Display]\r\nFontColor=8000\r\n"
                                 "FontName=A face name far longer than thirty-one characters\r\n");
    }
};

TEST_F(AbsentKeysTest, AbsentKeysReadAsTRUEAndNumbersAsZero)
{
    // The file has a QuitPrompt, so nothing is rewritten.
    EXPECT_EQ(Setting("Display", "FontSize"), "<absent>");
    EXPECT_EQ(g_settings.fontSize, "TRUE");
    EXPECT_EQ(ParseDecimal(g_settings.fontSize), 0);
    EXPECT_EQ(g_settings.printBlack, "TRUE");
    EXPECT_EQ(g_settings.fontColor, 0x008000u);  // dark green
    EXPECT_EQ(g_settings.backgroundColour, 0u);       // "TRUE" is not hexadecimal
    EXPECT_EQ(g_settings.emulatorCount, 0);
    EXPECT_EQ(g_settings.fontName, "A face name far longer than thi");  // cut to its 31-character slot
    EXPECT_EQ(g_settings.sourceDirectory, "TRUE");
}

// A drive root ends with a backslash already; no second one is added.
class DriveRootTest : public AppTest {
    bool StartsInSetUp() const override { return false; }
};

TEST_F(DriveRootTest, SettingsPathHasNoDoubleSeparator)
{
    // The test scripts map R: to a scratch folder of the build tree.
    const std::string root = "R:\\";
    if (GetDriveTypeA(root.c_str()) == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "drive R: is not mapped";
    const std::string ini = root + "TAVO.ini";
    const std::string help = root + "TAVOHelp.chm";
    DeleteFileA(ini.c_str());
    WriteFileText(help, "");
    ASSERT_TRUE(SetCurrentDirectoryA(root.c_str()));
    ASSERT_NE(Start(), nullptr);
    EXPECT_EQ(SettingsPath(), ini);
    EXPECT_EQ(g_app.helpPath, help);
    EXPECT_EQ(g_settings.sourceDirectory, root);
    EXPECT_EQ(ReadFileText(ini).substr(0, 6), "[Data]");
    g_settings.quitPrompt = "FALSE";
    EXPECT_TRUE(CloseFrame());
    SetCurrentDirectoryA("C:\\");
    DeleteFileA(ini.c_str());
    DeleteFileA(help.c_str());
}

}  // namespace
