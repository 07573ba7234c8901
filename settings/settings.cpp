// Loading the settings file; every value is text in an INI file read and
// written only through the private-profile calls.
#include "settings/settings.h"

#include <cstdio>
#include <string>

#include "app/app.h"
#include "resources/report_error.h"
#include "resources/resource.h"
#include "settings/setting_values.h"

Settings g_settings;

namespace {

constexpr int kReadBufferChars = 260;

std::string Indexed(const char* format, int n)
{
    char key[48];
    std::snprintf(key, sizeof key, format, n);
    return key;
}

void AppendUtilities(HWND frame)
{
    int count = ParseDecimal(ReadSetting("Utilities", "Number", kAbsentKeyText));
    if (count <= 0 || !frame) return;
    HMENU menu = GetSubMenu(GetMenu(frame), MENU_POSITION_UTILITIES);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (int n = 1; n <= count; ++n) {
        UINT flags = MF_STRING;
        if (ParseFlag(ReadSetting("Utilities", Indexed("Utility[%i]AutoRun", n).c_str(), kAbsentKeyText))) {
            SendMessageA(frame, WM_COMMAND, IDM_UTILITY_FIRST - 1 + n, 0);
            flags |= MF_CHECKED;
        }
        std::string name = ReadSetting("Utilities", Indexed("Utility[%i]", n).c_str(), kAbsentKeyText);
        if (!AppendMenuA(menu, flags, IDM_UTILITY_FIRST - 1 + n, name.c_str())) ReportError(Message::UtilitiesMenuInit);
        DrawMenuBar(frame);
    }
}

void AppendCommands(HWND frame)
{
    int count = ParseDecimal(ReadSetting("Commands", "Number", kAbsentKeyText));
    if (count == 0 || !frame) return;
    HMENU menu = GetSubMenu(GetMenu(frame), MENU_POSITION_COMMAND);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (int n = 1; n <= count; ++n) {
        std::string text = MenuTextWithTabs(ReadSetting("Commands", Indexed("CMD[%i]", n).c_str(), kAbsentKeyText));
        if (!AppendMenuA(menu, MF_STRING, IDM_USER_COMMAND_FIRST - 1 + n, text.c_str())) ReportError(Message::CommandsMenuInit);
        DrawMenuBar(frame);
    }
}

}  // namespace

std::string ReadSetting(const char* section, const char* key, std::string_view missing)
{
    char value[kReadBufferChars] = {};
    std::string fallback(missing);
    GetPrivateProfileStringA(section, key, fallback.c_str(), value, sizeof value, g_app.settingsPath.c_str());
    return value;
}

void WriteSetting(const char* section, const char* key, const char* value)
{
    WritePrivateProfileStringA(section, key, value, g_app.settingsPath.c_str());
}

void WriteDefaultSettings()
{
    MessageBeep(MB_OK);
    for (const DefaultSetting& d : FirstRunDefaults(g_app.startDirectory))
        WriteSetting(d.section.c_str(), d.key.c_str(), d.value.c_str());
}

void LoadSettings(HWND frame)
{
    Settings& s = g_settings;
    s.quitPrompt = ReadSetting("Prompts", "QuitPrompt", kMissingKeyText);
    if (s.quitPrompt == kMissingKeyText) {
        WriteDefaultSettings();
        s.quitPrompt = ReadSetting("Prompts", "QuitPrompt", kMissingKeyText);
    }
    s.quitPrompt = FitSlot(s.quitPrompt, kFlagSlotChars);

    auto shortSlot = [](const char* section, const char* key) {
        return FitSlot(ReadSetting(section, key, kAbsentKeyText), kFlagSlotChars);
    };
    s.hiLightGotoLine = shortSlot("General", "HiLightGotoLine");
    s.matchCaseFind = shortSlot("General", "MatchCaseFind");
    s.printBlack = shortSlot("General", "PrintBlack");
    s.clientScroll = shortSlot("General", "ClientScroll");
    s.delPrompt = shortSlot("Prompts", "DelPrompt");
    s.openDir = shortSlot("Prompts", "OpenDir");
    g_app.sourceDirectory = FitSlot(ReadSetting("Directories", "Src", kAbsentKeyText), kPathSlotChars);
    s.stdFont = shortSlot("Display", "STDFont");
    s.a2Font = shortSlot("Display", "A2Font");
    s.otherFont = shortSlot("Display", "OtherFont");
    s.fontName = FitSlot(ReadSetting("Display", "FontName", kAbsentKeyText), kFontNameSlotChars);
    s.fontSize = FitSlot(ReadSetting("Display", "FontSize", kAbsentKeyText), kFontSizeSlotChars);
    s.currentFontName = s.fontName;
    s.currentFontSize = s.fontSize;
    s.fontItalic = shortSlot("Display", "FontItalic");
    s.fontBold = shortSlot("Display", "FontBold");
    s.fontUnderline = shortSlot("Display", "FontUnderline");
    s.fontColorText = FitSlot(ReadSetting("Display", "FontColor", kAbsentKeyText), kColourSlotChars);
    s.fontColor = ParseColour(s.fontColorText);
    s.stopDuplicates = shortSlot("Display", "StopDuplicates");
    s.retainFormat = shortSlot("Display", "RetainFormat");
    s.wordWrap = shortSlot("Display", "WordWrap");
    s.tab = shortSlot("Display", "Tab");
    s.numTabs = shortSlot("Display", "NumTabs");
    g_app.backgroundColour = ParseColour(ReadSetting("Display", "BkgrndColor", kAbsentKeyText));
    for (int i = 0; i < 16; ++i) {
        s.custBkgrndColor[i] = FitSlot(ReadSetting("Display", Indexed("CustBkgrndColor[%i]", i).c_str(), kAbsentKeyText),
                                       kCustomColourSlotChars);
        s.custFontColor[i] = FitSlot(ReadSetting("Display", Indexed("CustFontColor[%i]", i).c_str(), kAbsentKeyText),
                                     kCustomColourSlotChars);
    }
    s.syntaxColorText = shortSlot("SyntaxColor", "SyntaxColor");
    s.syntaxColor = ParseFlag(s.syntaxColorText) ? 1 : 0;
    s.remColor = ParseColour(ReadSetting("SyntaxColor", "RemColor", kAbsentKeyText));
    s.quoteColor = ParseColour(ReadSetting("SyntaxColor", "QuoteColor", kAbsentKeyText));
    s.tokenColor = ParseColour(ReadSetting("SyntaxColor", "TokenColor", kAbsentKeyText));
    s.singleColor = ParseColour(ReadSetting("SyntaxColor", "SingleColor", kAbsentKeyText));
    s.emulatorCount = ParseDecimal(ReadSetting("Emulators", "Number", kAbsentKeyText));

    AppendUtilities(frame);
    AppendCommands(frame);
}
