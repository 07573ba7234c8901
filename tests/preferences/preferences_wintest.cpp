// The Preferences sheet end to end: a helper thread finds the real sheet and
// its colour and font dialogs by caption and works their controls while the
// test thread sits in the sheet's modal loop; then the settings file and the
// settings in memory are read back.
#include <windows.h>
#include <colordlg.h>
#include <commctrl.h>
#include <dlgs.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "resources/resource.h"
#include "shell/app.h"
#include "shell/settings.h"
#include "support/app_fixture.h"

namespace {

constexpr DWORD kWaitMilliseconds = 10000;
constexpr int kApplyButton = 0x3021;  // the sheet's "Apply"
enum Page { kGeneral, kEditor, kApplesoft };

HWND WaitForBox(const std::string& caption)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMilliseconds; Sleep(10)) {
        for (HWND box : TopLevelWindowsOf(GetCurrentProcessId(), "#32770")) {
            char text[64] = {};
            GetWindowTextA(box, text, sizeof text);
            if (caption == text && GetWindow(box, GW_CHILD)) return box;
        }
    }
    return nullptr;
}

bool WaitGone(HWND box)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMilliseconds; Sleep(10))
        if (!IsWindow(box) || !IsWindowVisible(box)) return true;
    return false;
}

// Works the open sheet from the helper thread. Clicks that open a dialog are
// posted, so the helper is free to answer it.
class Sheet {
public:
    explicit Sheet(HWND sheet) : sheet_(sheet) {}
    HWND Show(Page page)
    {
        SendMessageA(sheet_, PSM_SETCURSEL, page, 0);
        return reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    static void Click(HWND page, int control) { SendMessageA(GetDlgItem(page, control), BM_CLICK, 0, 0); }
    static bool Checked(HWND page, int control) { return IsDlgButtonChecked(page, control) == BST_CHECKED; }
    static bool Enabled(HWND page, int control) { return IsWindowEnabled(GetDlgItem(page, control)); }
    bool ApplyEnabled() const { return IsWindowEnabled(GetDlgItem(sheet_, kApplyButton)); }
    // The tip the page shows over `control`; empty for none.
    static std::string Tip(HWND page, int control)
    {
        char text[256] = {};
        // Tip windows are hidden until they show: found among all windows of their class.
        for (HWND tips = nullptr; !text[0] && (tips = FindWindowExA(nullptr, tips, TOOLTIPS_CLASSA, nullptr));) {
            DWORD process = 0;
            GetWindowThreadProcessId(tips, &process);
            if (process != GetCurrentProcessId()) continue;
            TOOLINFOA tool = {};
            tool.cbSize = sizeof tool;
            tool.hwnd = page;
            tool.uId = static_cast<UINT_PTR>(control);
            tool.lpszText = text;
            SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        }
        return text;
    }
    // The colour dialog behind a button: the colour typed into its red,
    // green and blue fields, optionally added to the custom colours, then OK.
    static bool PickColour(HWND page, int button, COLORREF colour, bool addCustom = false)
    {
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, button)));
        HWND dialog = WaitForBox("Color");
        if (!dialog) return false;
        SetDlgItemInt(dialog, COLOR_RED, GetRValue(colour), FALSE);
        SetDlgItemInt(dialog, COLOR_GREEN, GetGValue(colour), FALSE);
        SetDlgItemInt(dialog, COLOR_BLUE, GetBValue(colour), FALSE);
        if (addCustom) SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(COLOR_ADD, BN_CLICKED), 0);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return WaitGone(dialog);
    }
    // Apply is sent, so that it is done on return; OK and Cancel end the sheet.
    void Apply() { SendMessageA(sheet_, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0); }
    bool Press(int button)
    {
        PostMessageA(sheet_, PSM_PRESSBUTTON, button, 0);
        return WaitGone(sheet_);
    }

private:
    HWND sheet_;
};

class PreferencesTest : public AppTest {
protected:
    void PrepareStartFolder() override
    {
        boxes_->Ignore("Preferences");
        boxes_->Ignore("Color");
        boxes_->Ignore("Font");
        // DelPrompt in lower case reads as off, in the program and in the sheet.
        WriteFileText(IniPath(), "[Prompts]\r\nQuitPrompt=FALSE\r\nDelPrompt=true\r\n"
                                 "[General]\r\nPrintBlack=TRUE\r\nHiLightGotoLine=TRUE\r\nMatchCaseFind=FALSE\r\n"
                                 "[Display]\r\nSTDFont=TRUE\r\nA2Font=FALSE\r\nOtherFont=FALSE\r\n"
                                 "FontName=Courier New\r\nFontSize=9\r\nFontColor=0\r\nBkgrndColor=FFFFFF\r\n"
                                 "FontItalic=FALSE\r\nFontBold=FALSE\r\nFontUnderline=FALSE\r\n"
                                 "RetainFormat=TRUE\r\nWordWrap=FALSE\r\nStopDuplicates=FALSE\r\n"
                                 "[SyntaxColor]\r\nSyntaxColor=TRUE\r\nRemColor=FF\r\nQuoteColor=BB0000\r\n"
                                 "TokenColor=BB00\r\nSingleColor=BB00BB\r\n");
    }

    // Opens the sheet and runs `drive` on a helper thread until the sheet is closed.
    void WithSheet(const std::function<void(Sheet&)>& drive)
    {
        std::thread helper([&] {
            HWND sheet = WaitForBox("Preferences");
            if (!sheet) {
                ADD_FAILURE() << "no Preferences sheet";
                return;
            }
            Sheet driver(sheet);
            drive(driver);
            if (IsWindow(sheet) && IsWindowVisible(sheet)) {
                ADD_FAILURE() << "the sheet was left open";
                PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            }
        });
        Command(IDM_PREFERENCES);
        helper.join();
    }

    void ExpectKeys(const std::vector<IniEntry>& expected)
    {
        for (const IniEntry& entry : expected)
            EXPECT_EQ(Setting(entry.section.c_str(), entry.key.c_str()), entry.value) << entry.key;
    }

};

COLORREF TextColourAt(HWND editor, LONG position)
{
    CHARRANGE one = {position, position + 1};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
    return format.crTextColor;
}

// EM_SETBKGNDCOLOR answers the colour it replaces.
COLORREF Background(HWND editor)
{
    COLORREF colour = static_cast<COLORREF>(SendMessageA(editor, EM_SETBKGNDCOLOR, 0, 0));
    SendMessageA(editor, EM_SETBKGNDCOLOR, 0, colour);
    return colour;
}

TEST_F(PreferencesTest, CancelLeavesFileAndMemoryAsTheyWere)
{
    HWND editor = UnmodifiedDocumentWith(IDM_NEW_APPLESOFT, "10 REM HI");
    std::string before = ReadFileText(IniPath());
    Settings kept = g_settings;
    WithSheet([](Sheet& sheet) {
        HWND general = sheet.Show(kGeneral);
        EXPECT_FALSE(Sheet::Checked(general, IDC_PREFS_DELETE_PROMPT));  // "true" is off, as the program reads it
        EXPECT_TRUE(Sheet::Checked(general, IDC_PREFS_HILIGHT_GOTO_LINE));
        EXPECT_FALSE(Sheet::Checked(general, IDC_PREFS_QUIT_PROMPT));
        EXPECT_FALSE(sheet.ApplyEnabled());
        Sheet::Click(general, IDC_PREFS_QUIT_PROMPT);
        EXPECT_TRUE(sheet.ApplyEnabled());
        HWND editorPage = sheet.Show(kEditor);
        EXPECT_TRUE(Sheet::Checked(editorPage, IDC_PREFS_RETAIN_RTF));
        Sheet::Click(editorPage, IDC_PREFS_APPLE_FONT);
        EXPECT_TRUE(Sheet::PickColour(editorPage, IDC_PREFS_BACKGROUND_COLOR, RGB(0, 0, 128), true));
        EXPECT_TRUE(Sheet::PickColour(editorPage, IDC_PREFS_FONT_COLOR, RGB(0, 128, 0)));
        HWND applesoft = sheet.Show(kApplesoft);
        EXPECT_TRUE(Sheet::Checked(applesoft, IDC_PREFS_SYNTAX_COLOR));
        Sheet::Click(applesoft, IDC_PREFS_SYNTAX_COLOR);
        EXPECT_TRUE(Sheet::PickColour(applesoft, IDC_PREFS_REM_COLOR, RGB(1, 2, 3)));
        EXPECT_TRUE(sheet.Press(PSBTN_CANCEL));
    });
    EXPECT_EQ(ReadFileText(IniPath()), before);
    EXPECT_EQ(g_settings.delPrompt, "true");  // not even upper-cased
    EXPECT_EQ(g_settings.quitPrompt, kept.quitPrompt);
    EXPECT_EQ(g_settings.a2Font, kept.a2Font);
    EXPECT_EQ(g_settings.backgroundColour, kept.backgroundColour);
    EXPECT_EQ(g_settings.fontColor, kept.fontColor);
    EXPECT_EQ(g_settings.remColor, kept.remColor);
    EXPECT_EQ(g_settings.syntaxColorText, "TRUE");
    EXPECT_EQ(g_settings.syntaxColor, kept.syntaxColor);
    EXPECT_EQ(Background(editor), 0xFFFFFFu);
    EXPECT_FALSE(SendMessageA(editor, EM_GETMODIFY, 0, 0));
}

TEST_F(PreferencesTest, OkWithOnlyTheGeneralPageShownStoresItsSixKeys)
{
    std::vector<IniEntry> before = ReadIniEntries(IniPath());
    WithSheet([](Sheet& sheet) {
        HWND general = sheet.Show(kGeneral);
        Sheet::Click(general, IDC_PREFS_QUIT_PROMPT);
        Sheet::Click(general, IDC_PREFS_PRINT_BLACK);
        EXPECT_TRUE(sheet.Press(PSBTN_OK));
    });
    std::vector<IniEntry> after = ReadIniEntries(IniPath());
    std::vector<IniEntry> changed;
    for (const IniEntry& entry : after)
        if (std::find(before.begin(), before.end(), entry) == before.end()) changed.push_back(entry);
    // The file had no WriteImagesDirectly: it read as on, and is stored so.
    // DelPrompt "true" read as off, showed as off, and stays off.
    EXPECT_EQ(changed, (std::vector<IniEntry>{{"Prompts", "QuitPrompt", "TRUE"},
                                              {"Prompts", "DelPrompt", "FALSE"},
                                              {"Prompts", "WriteImagesDirectly", "TRUE"},
                                              {"General", "PrintBlack", "FALSE"}}));
    EXPECT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(Setting("General", "MatchCaseFind"), "FALSE");
    EXPECT_EQ(g_settings.quitPrompt, "TRUE");
    EXPECT_EQ(g_settings.delPrompt, "FALSE");
    EXPECT_EQ(g_settings.printBlack, "FALSE");
    EXPECT_EQ(Setting("Display", "RetainFormat"), "TRUE");  // the Editor page was never shown
}

// A box that cannot act is greyed, with a tip that says why: Retain RTF
// always, the delete question while deletes are typed into the emulator.
TEST_F(PreferencesTest, BoxesThatCannotActAreGreyedWithTheirReason)
{
    WithSheet([](Sheet& sheet) {
        HWND general = sheet.Show(kGeneral);
        EXPECT_TRUE(Sheet::Enabled(general, IDC_PREFS_DELETE_PROMPT));
        EXPECT_EQ(Sheet::Tip(general, IDC_PREFS_DELETE_PROMPT), "");
        Sheet::Click(general, IDC_PREFS_WRITE_IMAGES);
        EXPECT_FALSE(Sheet::Enabled(general, IDC_PREFS_DELETE_PROMPT));
        EXPECT_EQ(Sheet::Tip(general, IDC_PREFS_DELETE_PROMPT),
                  "A delete typed into the emulator always asks: it acts on the disk used last.");
        HWND editor = sheet.Show(kEditor);
        EXPECT_FALSE(Sheet::Enabled(editor, IDC_PREFS_RETAIN_RTF));
        EXPECT_NE(Sheet::Tip(editor, IDC_PREFS_RETAIN_RTF).find("formatting is always kept"), std::string::npos);
        EXPECT_TRUE(sheet.Press(PSBTN_CANCEL));
    });
}

// Apply stores the Editor page at once and Cancel afterwards takes nothing
// back; the open document keeps its text colours, the next one follows.
TEST_F(PreferencesTest, EditorApplyReachesNewDocumentsAndTheActiveBackground)
{
    HWND editor = UnmodifiedDocumentWith(IDM_NEW_APPLESOFT, "10 PRINT \"A\"");
    COLORREF plain = TextColourAt(editor, 0);
    COLORREF quote = TextColourAt(editor, 9);
    WithSheet([](Sheet& sheet) {
        HWND page = sheet.Show(kEditor);
        EXPECT_TRUE(Sheet::Checked(page, IDC_PREFS_STANDARD_FONT));
        EXPECT_FALSE(Sheet::Enabled(page, IDC_PREFS_CHOOSE_FONT));
        Sheet::Click(page, IDC_PREFS_OTHER_FONT);
        EXPECT_TRUE(Sheet::Enabled(page, IDC_PREFS_CHOOSE_FONT));
        Sheet::Click(page, IDC_PREFS_APPLE_FONT);
        EXPECT_FALSE(Sheet::Enabled(page, IDC_PREFS_CHOOSE_FONT));
        Sheet::Click(page, IDC_PREFS_WORD_WRAP);
        Sheet::Click(page, IDC_PREFS_RETAIN_RTF);
        EXPECT_TRUE(Sheet::PickColour(page, IDC_PREFS_FONT_COLOR, RGB(0, 0, 255)));
        EXPECT_TRUE(Sheet::PickColour(page, IDC_PREFS_BACKGROUND_COLOR, RGB(0, 128, 0), true));
        sheet.Apply();
        EXPECT_FALSE(sheet.ApplyEnabled());
        EXPECT_TRUE(sheet.Press(PSBTN_CANCEL));
    });
    ExpectKeys({{"Display", "STDFont", "FALSE"},
                {"Display", "A2Font", "TRUE"},
                {"Display", "OtherFont", "FALSE"},
                {"Display", "FontName", "A2like"},
                {"Display", "FontSize", "12"},
                {"Display", "WordWrap", "TRUE"},
                {"Display", "RetainFormat", "FALSE"},
                {"Display", "FontColor", "FF0000"},  // blue: red is the low byte
                {"Display", "BkgrndColor", "8000"},
                {"Display", "CustBkgrndColor[0]", "8000"},
                {"Display", "CustFontColor[0]", "0"}});  // written with the font colour's dialog
    EXPECT_EQ(g_settings.fontColor, 0xFF0000u);
    EXPECT_EQ(g_settings.fontColorText, "FF0000");
    EXPECT_EQ(GetMenuState(g_app.menu, IDM_WORD_WRAP, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));

    EXPECT_EQ(Background(editor), 0x008000u);
    EXPECT_EQ(TextColourAt(editor, 0), plain);
    EXPECT_EQ(TextColourAt(editor, 9), quote);
    EXPECT_FALSE(SendMessageA(editor, EM_GETMODIFY, 0, 0));

    HWND next = UnmodifiedDocumentWith(IDM_NEW_APPLESOFT, "");
    EXPECT_EQ(g_settings.currentFontName, "A2like");
    EXPECT_EQ(g_settings.currentFontSize, "12");
    EXPECT_EQ(Background(next), 0x008000u);
    SendMessageA(next, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("X"));
    EXPECT_EQ(TextColourAt(next, 0), 0xFF0000u);
}

TEST_F(PreferencesTest, ApplesoftColoursAndTheOtherFontAreStoredOnOk)
{
    std::string face;
    WithSheet([&face](Sheet& sheet) {
        HWND page = sheet.Show(kApplesoft);
        Sheet::Click(page, IDC_PREFS_SYNTAX_COLOR);
        EXPECT_TRUE(Sheet::PickColour(page, IDC_PREFS_QUOTE_COLOR, RGB(0x12, 0x34, 0x56)));
        // A second pick starts from the first.
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_PREFS_QUOTE_COLOR, BN_CLICKED), 0);
        HWND colour = WaitForBox("Color");
        ASSERT_NE(colour, nullptr);
        EXPECT_EQ(GetDlgItemInt(colour, COLOR_BLUE, nullptr, FALSE), 0x56u);
        PostMessageA(colour, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ASSERT_TRUE(WaitGone(colour));

        HWND editor = sheet.Show(kEditor);
        Sheet::Click(editor, IDC_PREFS_OTHER_FONT);
        PostMessageA(editor, WM_COMMAND, MAKEWPARAM(IDC_PREFS_CHOOSE_FONT, BN_CLICKED), 0);
        HWND font = WaitForBox("Font");
        ASSERT_NE(font, nullptr);
        char name[LF_FACESIZE] = {};
        SendDlgItemMessageA(font, cmb1, CB_SETCURSEL, 0, 0);
        SendDlgItemMessageA(font, cmb1, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(name));
        SendMessageA(font, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(font, cmb1)));
        face = name;
        SetDlgItemTextA(font, cmb3, "14");
        SendMessageA(font, WM_COMMAND, MAKEWPARAM(cmb3, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(font, cmb3)));
        CheckDlgButton(font, chx2, BST_CHECKED);
        SendMessageA(font, WM_COMMAND, MAKEWPARAM(chx2, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(font, chx2)));
        PostMessageA(font, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ASSERT_TRUE(WaitGone(font));
        EXPECT_TRUE(sheet.Press(PSBTN_OK));
    });
    EXPECT_FALSE(face.empty());
    ExpectKeys({{"SyntaxColor", "SyntaxColor", "FALSE"},
                {"SyntaxColor", "QuoteColor", "563412"},
                {"SyntaxColor", "RemColor", "FF"},
                {"Display", "CustFontColor[0]", "<absent>"},  // the Applesoft page's are never stored
                {"Display", "OtherFont", "TRUE"},
                {"Display", "STDFont", "FALSE"},
                {"Display", "FontName", face},
                {"Display", "FontSize", "14"},
                {"Display", "FontUnderline", "TRUE"},
                {"Display", "FontItalic", "FALSE"}});
    EXPECT_EQ(g_settings.syntaxColor, 0);
    EXPECT_EQ(g_settings.quoteColor, 0x563412u);
    EXPECT_EQ(g_settings.fontName, face);
}

}  // namespace
