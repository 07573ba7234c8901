// The settings schema: the first-run file and where a load puts each value.
#include "core/settings/settings_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

namespace {

using File = std::map<std::pair<std::string, std::string>, std::string>;

Settings Load(const File& file)
{
    Settings s;
    LoadSettingRows(s, [&file](const char* section, const char* key, std::string_view missing) {
        auto found = file.find({section, key});
        return found == file.end() ? std::string(missing) : found->second;
    });
    return s;
}

File FirstRunFile()
{
    File file;
    for (const DefaultSetting& d : FirstRunDefaults("C:\\Start")) file[{d.section, d.key}] = d.value;
    return file;
}

}  // namespace

TEST(SettingsTable, FirstRunFileLoadsAsItsValues)
{
    Settings s = Load(FirstRunFile());
    EXPECT_EQ(s.sourceDirectory, "C:\\Start");
    EXPECT_EQ(s.fontName, "Courier New");
    EXPECT_EQ(s.currentFontName, "Courier New");
    EXPECT_EQ(s.currentFontSize, "9");
    EXPECT_EQ(s.backgroundColour, 0xFFFFFFu);
    EXPECT_EQ(s.fontColor, 0u);
    EXPECT_EQ(s.remColor, 0x0000FFu);  // red is the low byte
    EXPECT_EQ(s.quoteColor, 0xBB0000u);
    EXPECT_EQ(s.tokenColor, 0x00BB00u);
    EXPECT_EQ(s.singleColor, 0xBB00BBu);
    EXPECT_EQ(s.syntaxColor, 1);
    EXPECT_EQ(s.emulatorCount, 6);
    EXPECT_EQ(s.numTabs, "20");
    EXPECT_EQ(s.custFontColor[15], "TRUE");  // never written: absent keys read as "TRUE"
    EXPECT_EQ(Load({}).quitPrompt, "INI not");  // the first-run probe, cut to its slot
    // Not in the first-run file, and off in any file that lacks it.
    EXPECT_EQ(s.checkBeforeRun, "FALSE");
    EXPECT_EQ(Load({}).checkBeforeRun, "FALSE");
}

// Each key's own name as its value shows which slot it reached, cut to the slot.
TEST(SettingsTable, EveryKeyLandsInItsOwnSlot)
{
    Settings s;
    LoadSettingRows(s, [](const char*, const char* key, std::string_view) { return std::string(key); });
    const std::pair<const std::string&, const char*> slots[] = {
        {s.quitPrompt, "QuitPro"},      {s.hiLightGotoLine, "HiLight"}, {s.matchCaseFind, "MatchCa"},
        {s.printBlack, "PrintBl"},      {s.clientScroll, "ClientS"},    {s.delPrompt, "DelProm"},
        {s.openDir, "OpenDir"},         {s.sourceDirectory, "Src"},     {s.stdFont, "STDFont"},
        {s.a2Font, "A2Font"},           {s.otherFont, "OtherFo"},       {s.fontName, "FontName"},
        {s.fontSize, "FontSize"},       {s.fontColorText, "FontColor"}, {s.fontItalic, "FontIta"},
        {s.fontBold, "FontBol"},        {s.fontUnderline, "FontUnd"},   {s.retainFormat, "RetainF"},
        {s.wordWrap, "WordWra"},        {s.stopDuplicates, "StopDup"},  {s.tab, "Tab"},
        {s.numTabs, "NumTabs"},         {s.syntaxColorText, "SyntaxC"}, {s.custBkgrndColor[0], "CustBkgrn"},
        {s.custFontColor[15], "CustFontC"}, {s.writeImagesDirectly, "WriteIm"},
    };
    for (const auto& [slot, expected] : slots) EXPECT_EQ(slot, expected);
}

TEST(SettingsTable, NoKeyIsListedTwice)
{
    std::set<std::pair<std::string, std::string>> seen;
    for (const SettingRow& row : SettingRows()) EXPECT_TRUE(seen.insert({row.section, row.key}).second) << row.key;
}
