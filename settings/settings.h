// The settings file TAVO.ini and the values loaded from it at start-up.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// Text slots as loaded; flags keep their text so that a reader can apply its
// own test (most want exactly "TRUE", Run edited Program anything but "FALSE").
struct Settings {
    std::string quitPrompt;
    std::string hiLightGotoLine, matchCaseFind, printBlack, clientScroll;
    std::string delPrompt, openDir;
    std::string stdFont, a2Font, otherFont;
    std::string fontName, fontSize;
    // `CurrentFontName` and `CurrentFontSize`: what new text gets; they follow
    // the font boxes and the selection between document creations.
    std::string currentFontName, currentFontSize;
    std::string fontItalic, fontBold, fontUnderline;
    std::string fontColorText;
    std::string stopDuplicates, retainFormat, wordWrap;
    std::string tab, numTabs;
    std::string custBkgrndColor[16];
    std::string custFontColor[16];
    std::string syntaxColorText;
    int syntaxColor = 0;  // 1 when colouring is on
    COLORREF fontColor = 0;
    COLORREF remColor = 0, quoteColor = 0, tokenColor = 0, singleColor = 0;
    int emulatorCount = 0;
};

extern Settings g_settings;

// Reads every start-up key into g_settings (creating the file with its
// defaults on a first run). With a frame it also appends the Utilities and
// Commands entries to their menus and launches the AutoRun utilities.
void LoadSettings(HWND frame);
void WriteDefaultSettings();

// Direct access for readers and writers outside the start-up load.
std::string ReadSetting(const char* section, const char* key,
                        std::string_view missing = "INI not found!");
void WriteSetting(const char* section, const char* key, const char* value);
