// What the Preferences sheet's pages show and what OK or Apply makes of it.
// Each page keeps its own state from the moment it is shown; nothing reaches
// the settings, in memory or in the file, before OK or Apply, so Cancel
// leaves everything as it was. Portable: the pages themselves are Win32
// (preferences_sheet.cpp, editor_page.cpp, applesoft_page.cpp).
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/settings/settings_table.h"
#include "resources/resource.h"

// A check box or radio button and the flag it shows. A page shows a flag on
// when its text is "TRUE" in any case; OK stores "TRUE" or "FALSE".
struct FlagControl {
    int control;
    std::string Settings::*flag;
    bool fromFile = false;  // shown as the settings file has it now, not as loaded
};

// The General page's check boxes, in the order OK stores them.
inline constexpr FlagControl kGeneralFlags[] = {
    {IDC_PREFS_QUIT_PROMPT, &Settings::quitPrompt},
    {IDC_PREFS_DELETE_PROMPT, &Settings::delPrompt},
    {IDC_PREFS_HILIGHT_GOTO_LINE, &Settings::hiLightGotoLine},
    {IDC_PREFS_MATCH_CASE_FIND, &Settings::matchCaseFind},
    {IDC_PREFS_PRINT_BLACK, &Settings::printBlack},
    {IDC_PREFS_WRITE_IMAGES, &Settings::writeImagesDirectly},
};

// The Editor page's "Default Font" buttons, in the order OK stores them. A
// built-in font replaces face, size and styles; "Other" stores what the font
// dialog chose.
struct DefaultFontButton {
    FlagControl button;
    const char* faceName;  // null for "Other"
    const char* pointSize;
};
inline constexpr DefaultFontButton kDefaultFonts[] = {
    {{IDC_PREFS_STANDARD_FONT, &Settings::stdFont}, kStandardFontName, kStandardFontSize},
    {{IDC_PREFS_APPLE_FONT, &Settings::a2Font}, "A2like", "12"},
    {{IDC_PREFS_OTHER_FONT, &Settings::otherFont}, nullptr, nullptr},
};
inline constexpr size_t kOtherFontButton = 2;

// The Editor page's check boxes, in the order OK stores them.
inline constexpr FlagControl kEditorFlags[] = {
    {IDC_PREFS_RETAIN_RTF, &Settings::retainFormat},
    {IDC_PREFS_WORD_WRAP, &Settings::wordWrap, true},
    {IDC_PREFS_STOP_DUPLICATES, &Settings::stopDuplicates},
};

// The Applesoft page: its check box and its colour buttons, the colours in
// the order OK stores them.
inline constexpr FlagControl kSyntaxColourFlag = {IDC_PREFS_SYNTAX_COLOR, &Settings::syntaxColorText, true};
inline constexpr FlagControl kCheckBeforeRunFlag = {IDC_PREFS_CHECK_BEFORE_RUN, &Settings::checkBeforeRun};
struct ColourButton {
    int control;
    uint32_t Settings::*colour;
};
inline constexpr ColourButton kSyntaxColours[] = {
    {IDC_PREFS_REM_COLOR, &Settings::remColor},
    {IDC_PREFS_QUOTE_COLOR, &Settings::quoteColor},
    {IDC_PREFS_TOKEN_COLOR, &Settings::tokenColor},
    {IDC_PREFS_SINGLE_COLOR, &Settings::singleColor},
};

inline constexpr int kBoldWeight = 700;  // the one font weight stored as bold
using CustomColours = std::array<uint32_t, kCustomColourCount>;

// The font chosen for "Other" in the font dialog.
struct ChosenFont {
    std::string faceName;
    int tenthsOfPoint = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
};

// A colour with the 16 custom colours its dialog offers; each is stored only
// when a dialog changed it.
struct ColourChoice {
    uint32_t colour = 0;
    CustomColours custom{};
    bool colourChanged = false;
    bool customChanged = false;
};

struct GeneralPage {
    std::array<bool, std::size(kGeneralFlags)> flags{};
};

struct EditorPage {
    std::array<bool, std::size(kDefaultFonts)> fonts{};
    std::array<bool, std::size(kEditorFlags)> flags{};
    std::optional<ChosenFont> otherFont;
    ColourChoice fontColour;  // also what the font dialog's colour changes
    ColourChoice background;
};

struct ApplesoftPage {
    bool syntaxColour = false;
    bool checkBeforeRun = false;
    std::array<uint32_t, std::size(kSyntaxColours)> colours{};
    CustomColours custom{};  // the font colour's custom colours, offered but never stored
};

// A flag as a page shows it.
bool FlagShownOn(std::string_view text);
bool FlagShownOn(const FlagControl& control, const Settings& settings, const SettingReader& readFile);
// Custom colour texts parsed; a text that is not a colour gives black.
CustomColours ParseCustomColours(const std::string (&texts)[kCustomColourCount]);

// A page as it shows the settings in force; `readFile` reads the settings
// file for the flags shown from it.
GeneralPage LoadGeneralPage(const Settings& settings, const SettingReader& readFile);
EditorPage LoadEditorPage(const Settings& settings, const SettingReader& readFile);
ApplesoftPage LoadApplesoftPage(const Settings& settings, const SettingReader& readFile);

// OK or Apply: the page's state made settings, and the keys to store in the
// order they are stored.
SettingWrites ApplyGeneralPage(const GeneralPage& page, Settings& settings);
SettingWrites ApplyEditorPage(const EditorPage& page, Settings& settings);
SettingWrites ApplyApplesoftPage(const ApplesoftPage& page, Settings& settings);
