// The Preferences pages' own state: loaded from the settings, stored by OK.
#include "core/settings/preferences.h"

#include "core/settings/setting_values.h"
#include "core/text/ascii.h"

namespace {

const char* FlagText(bool on) { return on ? "TRUE" : "FALSE"; }

void StoreFlag(Settings& s, std::string Settings::*flag, bool on, SettingWrites& writes)
{
    s.*flag = FlagText(on);
    writes.push_back(WriteOf(s, flag));
}

template <size_t N>
std::array<bool, N> LoadFlags(const FlagControl (&controls)[N], const Settings& s, const SettingReader& readFile)
{
    std::array<bool, N> on{};
    for (size_t i = 0; i < N; ++i) on[i] = FlagShownOn(controls[i], s, readFile);
    return on;
}

// Face and size, then the styles in the order italic, bold, underline.
void StoreFont(Settings& s, std::string_view faceName, std::string_view pointSize, bool italic, bool bold,
               bool underline, SettingWrites& writes)
{
    s.fontName = FitSlot(faceName, kFontNameSlotChars);
    s.fontSize = FitSlot(pointSize, kFontSizeSlotChars);
    writes.push_back(WriteOf(s, &Settings::fontName));
    writes.push_back(WriteOf(s, &Settings::fontSize));
    StoreFlag(s, &Settings::fontItalic, italic, writes);
    StoreFlag(s, &Settings::fontBold, bold, writes);
    StoreFlag(s, &Settings::fontUnderline, underline, writes);
}

void StoreCustomColours(Settings& s, std::string (Settings::*texts)[kCustomColourCount],
                        const CustomColours& colours, SettingWrites& writes)
{
    for (int i = 0; i < kCustomColourCount; ++i) (s.*texts)[i] = FormatColour(colours[i]);
    for (SettingWrite& write : WritesOf(s, texts)) writes.push_back(std::move(write));
}

}  // namespace

// Ticked exactly when the program treats the flag as on: a box that showed
// "true" ticked would turn it on at the next OK.
bool FlagShownOn(std::string_view text) { return ParseFlag(text); }

bool FlagShownOn(const FlagControl& control, const Settings& s, const SettingReader& readFile)
{
    if (!control.fromFile) return FlagShownOn(s.*control.flag);
    const SettingRow& row = RowOf(control.flag);
    return FlagShownOn(readFile(row.section, row.key, kMissingKeyText));
}

CustomColours ParseCustomColours(const std::string (&texts)[kCustomColourCount])
{
    CustomColours colours{};
    for (int i = 0; i < kCustomColourCount; ++i) colours[i] = ParseColour(texts[i]);
    return colours;
}

GeneralPage LoadGeneralPage(const Settings& s, const SettingReader& readFile)
{
    return {LoadFlags(kGeneralFlags, s, readFile)};
}

EditorPage LoadEditorPage(const Settings& s, const SettingReader& readFile)
{
    EditorPage page;
    for (size_t i = 0; i < std::size(kDefaultFonts); ++i) page.fonts[i] = FlagShownOn(kDefaultFonts[i].button, s, readFile);
    page.flags = LoadFlags(kEditorFlags, s, readFile);
    page.fontColour = {s.fontColor, ParseCustomColours(s.custFontColor)};
    page.background = {s.backgroundColour, ParseCustomColours(s.custBkgrndColor)};
    return page;
}

ApplesoftPage LoadApplesoftPage(const Settings& s, const SettingReader& readFile)
{
    ApplesoftPage page;
    page.syntaxColour = FlagShownOn(kSyntaxColourFlag, s, readFile);
    page.checkBeforeRun = FlagShownOn(kCheckBeforeRunFlag, s, readFile);
    for (size_t i = 0; i < std::size(kSyntaxColours); ++i) page.colours[i] = s.*kSyntaxColours[i].colour;
    page.custom = ParseCustomColours(s.custFontColor);
    return page;
}

SettingWrites ApplyGeneralPage(const GeneralPage& page, Settings& s)
{
    SettingWrites writes;
    for (size_t i = 0; i < std::size(kGeneralFlags); ++i) StoreFlag(s, kGeneralFlags[i].flag, page.flags[i], writes);
    return writes;
}

SettingWrites ApplyEditorPage(const EditorPage& page, Settings& s)
{
    SettingWrites writes;
    // The colours were picked before OK, so they come first.
    if (page.fontColour.colourChanged) {
        s.fontColor = page.fontColour.colour;
        s.fontColorText = FormatColour(s.fontColor);
        writes.push_back(WriteOf(s, &Settings::fontColorText));
    }
    if (page.fontColour.customChanged)
        StoreCustomColours(s, &Settings::custFontColor, page.fontColour.custom, writes);
    if (page.background.colourChanged) {
        s.backgroundColour = page.background.colour;
        writes.push_back(WriteOf(s, &Settings::backgroundColour));
    }
    if (page.background.customChanged)
        StoreCustomColours(s, &Settings::custBkgrndColor, page.background.custom, writes);

    for (size_t i = 0; i < std::size(kDefaultFonts); ++i) {
        const DefaultFontButton& font = kDefaultFonts[i];
        bool on = page.fonts[i];
        if (on && font.faceName) StoreFont(s, font.faceName, font.pointSize, false, false, false, writes);
        if (on && i == kOtherFontButton && page.otherFont) {
            const ChosenFont& chosen = *page.otherFont;
            StoreFont(s, chosen.faceName, FormatDecimal(chosen.tenthsOfPoint / 10), chosen.italic,
                      chosen.weight == kBoldWeight, chosen.underline, writes);
        }
        StoreFlag(s, font.button.flag, on, writes);
    }
    for (size_t i = 0; i < std::size(kEditorFlags); ++i) StoreFlag(s, kEditorFlags[i].flag, page.flags[i], writes);
    return writes;
}

SettingWrites ApplyApplesoftPage(const ApplesoftPage& page, Settings& s)
{
    SettingWrites writes;
    StoreFlag(s, kSyntaxColourFlag.flag, page.syntaxColour, writes);
    s.syntaxColor = page.syntaxColour ? 1 : 0;
    for (size_t i = 0; i < std::size(kSyntaxColours); ++i) {
        s.*kSyntaxColours[i].colour = page.colours[i];
        writes.push_back(WriteOf(s, kSyntaxColours[i].colour));
    }
    StoreFlag(s, kCheckBeforeRunFlag.flag, page.checkBeforeRun, writes);
    return writes;
}
