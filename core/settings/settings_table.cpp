// The settings file's rows: section, key, first-run value and slot.
#include "core/settings/settings_table.h"

#include <cstdlib>
#include <cstring>

#include "core/settings/setting_values.h"
#include "resources/resource.h"

namespace {

using Text = std::string Settings::*;

// Flags, "Tab" and "NumTabs" share the short slot of 7 characters.
constexpr SettingSlot Short(Text text) { return {.text = text, .chars = kShortSlotChars}; }
constexpr SettingSlot Slot(Text text, size_t chars) { return {.text = text, .chars = chars}; }
constexpr SettingSlot Colour(uint32_t Settings::*colour) { return {.colour = colour}; }
constexpr SettingSlot Decimal(int Settings::*decimal) { return {.decimal = decimal}; }
constexpr SettingSlot NotLoaded() { return {}; }

constexpr const char* kDefaultEmulatorNames[] = {
    "Enhanced Apple //e Emulator", "Apple //e Emulator", "Apple ][ Emulator",
    "Apple ][+ Emulator",          "Pravets 82 Emulator", "Pravets 8A Emulator",
};

// The order of the rows is the order of the first-run file.
constexpr SettingRow kRows[] = {
    {kDataSection, "Version", {TAVO_VERSION_TEXT}, NotLoaded()},
    {kGeneralSection, "HiLightGotoLine", {"TRUE"}, Short(&Settings::hiLightGotoLine)},
    {kGeneralSection, "MatchCaseFind", {"FALSE"}, Short(&Settings::matchCaseFind)},
    {kGeneralSection, "PrintBlack", {"TRUE"}, Short(&Settings::printBlack)},
    {kGeneralSection, "ClientScroll", {"FALSE"}, Short(&Settings::clientScroll)},
    {kPromptsSection, "QuitPrompt", {"TRUE"}, Short(&Settings::quitPrompt)},
    {kPromptsSection, "DelPrompt", {"TRUE"}, Short(&Settings::delPrompt)},
    {kPromptsSection, "OpenDir", {"TRUE"}, Short(&Settings::openDir)},
    {kPromptsSection, "WriteImagesDirectly", {"TRUE"}, Short(&Settings::writeImagesDirectly)},
    {kPromptsSection, "CheckBeforeRun", kNotWritten, Short(&Settings::checkBeforeRun), "FALSE"},
    {kDirectoriesSection, "Src", kStartDirectory, Slot(&Settings::sourceDirectory, kPathSlotChars)},
    {kDisplaySection, "BkgrndColor", {"FFFFFF"}, Colour(&Settings::backgroundColour)},
    {kDisplaySection, "STDFont", {"TRUE"}, Short(&Settings::stdFont)},
    {kDisplaySection, "A2Font", {"FALSE"}, Short(&Settings::a2Font)},
    {kDisplaySection, "OtherFont", {"FALSE"}, Short(&Settings::otherFont)},
    {kDisplaySection, "FontName", {kStandardFontName}, Slot(&Settings::fontName, kFontNameSlotChars)},
    {kDisplaySection, "FontSize", {kStandardFontSize}, Slot(&Settings::fontSize, kFontSizeSlotChars)},
    {kDisplaySection, "FontColor", {"000000"},
     {.text = &Settings::fontColorText, .chars = kColourSlotChars, .colour = &Settings::fontColor}},
    {kDisplaySection, "FontItalic", {"FALSE"}, Short(&Settings::fontItalic)},
    {kDisplaySection, "FontBold", {"FALSE"}, Short(&Settings::fontBold)},
    {kDisplaySection, "FontUnderline", {"FALSE"}, Short(&Settings::fontUnderline)},
    {kDisplaySection, "RetainFormat", {"TRUE"}, Short(&Settings::retainFormat)},
    {kDisplaySection, "WordWrap", {"FALSE"}, Short(&Settings::wordWrap)},
    {kDisplaySection, "StopDuplicates", {"FALSE"}, Short(&Settings::stopDuplicates)},
    {kDisplaySection, "Tab", {"5"}, Short(&Settings::tab)},
    {kDisplaySection, "NumTabs", {"20"}, Short(&Settings::numTabs)},
    {kDisplaySection, "CustBkgrndColor[%i]", kNotWritten,
     {.texts = &Settings::custBkgrndColor, .chars = kCustomColourSlotChars}},
    {kDisplaySection, "CustFontColor[%i]", kNotWritten,
     {.texts = &Settings::custFontColor, .chars = kCustomColourSlotChars}},
    {kSyntaxColorSection, "SyntaxColor", {"TRUE"},
     {.text = &Settings::syntaxColorText, .chars = kShortSlotChars, .flag = &Settings::syntaxColor}},
    {kSyntaxColorSection, "RemColor", {"0000FF"}, Colour(&Settings::remColor)},
    {kSyntaxColorSection, "QuoteColor", {"BB0000"}, Colour(&Settings::quoteColor)},
    {kSyntaxColorSection, "TokenColor", {"00BB00"}, Colour(&Settings::tokenColor)},
    {kSyntaxColorSection, "SingleColor", {"BB00BB"}, Colour(&Settings::singleColor)},
    {kEmulatorsSection, "Number", {"6"}, Decimal(&Settings::emulatorCount)},
    {kEmulatorsSection, kEmulatorNameKey, {.texts = kDefaultEmulatorNames}, NotLoaded()},
    {kUtilitiesSection, kUtilityCountKey, {"0"}, NotLoaded()},
    {kUtilitiesSection, kUtilityNameKey, kNotWritten, NotLoaded()},
    {kUtilitiesSection, kUtilityPathKey, kNotWritten, NotLoaded()},
    {kUtilitiesSection, kUtilityAutoRunKey, kNotWritten, NotLoaded()},
    {kCommandsSection, kCommandCountKey, kNotWritten, NotLoaded()},
    {kCommandsSection, kCommandNameKey, kNotWritten, NotLoaded()},
    {kCommandsSection, kCommandAcceleratorKey, kNotWritten, NotLoaded()},
    {kCommandsSection, kCommandScriptKey, kNotWritten, NotLoaded()},
    {kMainWindowSection, kWindowLeftKey, kNotWritten, NotLoaded()},
    {kMainWindowSection, kWindowTopKey, kNotWritten, NotLoaded()},
    {kMainWindowSection, kWindowWideKey, kNotWritten, NotLoaded()},
    {kMainWindowSection, kWindowHighKey, kNotWritten, NotLoaded()},
    {kDirectoriesSection, kLastImageKey, kNotWritten, NotLoaded()},
};

bool IsFirstRunProbe(const SettingRow& row)
{
    return std::strcmp(row.section, kFirstRunProbeSection) == 0 && std::strcmp(row.key, kFirstRunProbeKey) == 0;
}

// A colour or number is parsed from the text slot when the row keeps one,
// otherwise from the whole value read.
void Store(const SettingSlot& slot, const std::string& value, Settings& s)
{
    std::string_view parsed = value;
    if (slot.text) {
        s.*slot.text = FitSlot(value, slot.chars);
        parsed = s.*slot.text;
    }
    if (slot.colour) s.*slot.colour = ParseColour(parsed);
    if (slot.decimal) s.*slot.decimal = ParseDecimal(parsed);
    if (slot.flag) s.*slot.flag = ParseFlag(parsed) ? 1 : 0;
}

template <typename Member>
const SettingRow& FindRow(Member SettingSlot::*field, Member member)
{
    for (const SettingRow& row : kRows)
        if (row.slot.*field == member) return row;
    std::abort();  // a member without a row: the tests of every writer catch it
}

}  // namespace

std::span<const SettingRow> SettingRows() { return kRows; }

const SettingRow& RowOf(std::string Settings::*text) { return FindRow(&SettingSlot::text, text); }
const SettingRow& RowOf(uint32_t Settings::*colour) { return FindRow(&SettingSlot::colour, colour); }
const SettingRow& RowOf(std::string (Settings::*texts)[kCustomColourCount])
{
    return FindRow(&SettingSlot::texts, texts);
}

SettingWrite WriteOf(const Settings& s, std::string Settings::*text)
{
    const SettingRow& row = RowOf(text);
    return {row.section, row.key, s.*text};
}

SettingWrite WriteOf(const Settings& s, uint32_t Settings::*colour)
{
    const SettingRow& row = RowOf(colour);
    return {row.section, row.key, FormatColour(s.*colour)};
}

SettingWrites WritesOf(const Settings& s, std::string (Settings::*texts)[kCustomColourCount])
{
    const SettingRow& row = RowOf(texts);
    SettingWrites writes;
    for (int i = 0; i < kCustomColourCount; ++i) writes.push_back({row.section, IndexedKey(row.key, i), (s.*texts)[i]});
    return writes;
}

std::vector<DefaultSetting> FirstRunDefaults(std::string_view startDirectory)
{
    std::vector<DefaultSetting> defaults;
    for (const SettingRow& row : kRows) {
        if (row.firstRun.startDirectory) defaults.push_back({row.section, row.key, std::string(startDirectory)});
        else if (row.firstRun.text) defaults.push_back({row.section, row.key, row.firstRun.text});
        for (size_t i = 0; i < row.firstRun.texts.size(); ++i)
            defaults.push_back({row.section, IndexedKey(row.key, static_cast<int>(i) + 1), row.firstRun.texts[i]});
    }
    return defaults;
}

void LoadSettingRows(Settings& s, const SettingReader& read)
{
    for (const SettingRow& row : kRows) {
        const SettingSlot& slot = row.slot;
        if (slot.texts) {
            for (int i = 0; i < kCustomColourCount; ++i)
                (s.*slot.texts)[i] = FitSlot(read(row.section, IndexedKey(row.key, i).c_str(), kAbsentKeyText),
                                             slot.chars);
            continue;
        }
        if (!slot.text && !slot.colour && !slot.decimal) continue;
        const std::string_view absent = row.absent ? row.absent : kAbsentKeyText;
        Store(slot, read(row.section, row.key, IsFirstRunProbe(row) ? kMissingKeyText : absent), s);
    }
    s.currentFontName = s.fontName;
    s.currentFontSize = s.fontSize;
}
