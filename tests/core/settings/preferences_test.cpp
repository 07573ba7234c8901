// The Preferences pages' state: what they show of the settings and which keys
// OK stores, in which order.
#include "core/settings/preferences.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {

using File = std::map<std::pair<std::string, std::string>, std::string>;

SettingReader Reader(const File& file)
{
    return [file](const char* section, const char* key, std::string_view missing) {
        auto found = file.find({section, key});
        return found == file.end() ? std::string(missing) : found->second;
    };
}

std::vector<std::string> Keys(const SettingWrites& writes)
{
    std::vector<std::string> keys;
    for (const SettingWrite& write : writes) keys.push_back(write.key + "=" + write.value);
    return keys;
}

}  // namespace

// A box is ticked exactly when the program reads the flag as on: "TRUE" and nothing else.
TEST(Preferences, FlagsShowAsTheProgramReadsThemAndTwoComeFromTheFile)
{
    Settings s;
    s.quitPrompt = "true";
    s.delPrompt = "TRUE ";
    s.printBlack = "TrUe";
    s.hiLightGotoLine = "TRUE";
    s.stopDuplicates = "TRUE";
    s.wordWrap = "TRUE";         // as loaded; the file now says otherwise
    s.syntaxColorText = "FALSE";
    File file = {{{"Display", "WordWrap"}, "FALSE"}, {{"SyntaxColor", "SyntaxColor"}, "TRUE"}};

    GeneralPage general = LoadGeneralPage(s, Reader(file));
    EXPECT_EQ(general.flags, (std::array<bool, 6>{false, false, true, false, false, false}));
    EditorPage editor = LoadEditorPage(s, Reader(file));
    EXPECT_EQ(editor.flags, (std::array<bool, 3>{false, false, true}));  // RetainFormat, WordWrap, StopDuplicates
    EXPECT_TRUE(LoadApplesoftPage(s, Reader(file)).syntaxColour);
    EXPECT_FALSE(LoadApplesoftPage(s, Reader({{{"SyntaxColor", "SyntaxColor"}, "true"}})).syntaxColour);
    // A key missing from the file shows off.
    EXPECT_FALSE(LoadApplesoftPage(s, Reader({})).syntaxColour);
    // Showing changes nothing in memory.
    EXPECT_EQ(s.quitPrompt, "true");
}

TEST(Preferences, ColoursStartFromTheSettingsWithBlackForTextThatIsNoColour)
{
    Settings s;
    s.fontColor = 0x123456;
    s.backgroundColour = 0xFFFFFF;
    s.remColor = 0xFF;
    for (std::string& text : s.custFontColor) text = "TRUE";  // never written
    s.custFontColor[3] = "8000";
    s.custBkgrndColor[15] = "ff0000";
    EditorPage editor = LoadEditorPage(s, Reader({}));
    EXPECT_EQ(editor.fontColour.colour, 0x123456u);
    EXPECT_EQ(editor.fontColour.custom[0], 0u);
    EXPECT_EQ(editor.fontColour.custom[3], 0x8000u);
    EXPECT_EQ(editor.background.custom[15], 0xFF0000u);
    ApplesoftPage applesoft = LoadApplesoftPage(s, Reader({}));
    EXPECT_EQ(applesoft.colours[0], 0xFFu);
    EXPECT_EQ(applesoft.custom[3], 0x8000u);  // the font colour's custom colours
}

TEST(Preferences, BuiltInFontsResetFaceSizeAndStyles)
{
    struct Row {
        const char* name;
        std::array<bool, 3> fonts;
        std::vector<std::string> keys;
    };
    const Row rows[] = {
        {"Standard", {true, false, false},
         {"FontName=Courier New", "FontSize=9", "FontItalic=FALSE", "FontBold=FALSE", "FontUnderline=FALSE",
          "STDFont=TRUE", "A2Font=FALSE", "OtherFont=FALSE", "RetainFormat=TRUE", "WordWrap=FALSE",
          "StopDuplicates=TRUE"}},
        {"Apple", {false, true, false},
         {"STDFont=FALSE", "FontName=A2like", "FontSize=12", "FontItalic=FALSE", "FontBold=FALSE",
          "FontUnderline=FALSE", "A2Font=TRUE", "OtherFont=FALSE", "RetainFormat=TRUE", "WordWrap=FALSE",
          "StopDuplicates=TRUE"}},
        // "Other" without a font chosen keeps the stored one.
        {"Other", {false, false, true},
         {"STDFont=FALSE", "A2Font=FALSE", "OtherFont=TRUE", "RetainFormat=TRUE", "WordWrap=FALSE",
          "StopDuplicates=TRUE"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Settings s;
        s.fontName = "Lucida";
        s.fontSize = "14";
        s.fontBold = "TRUE";
        EditorPage page;
        page.fonts = row.fonts;
        page.flags = {true, false, true};
        EXPECT_EQ(Keys(ApplyEditorPage(page, s)), row.keys);
        EXPECT_EQ(s.fontBold, row.fonts[2] ? "TRUE" : "FALSE");
        EXPECT_EQ(s.stdFont, row.fonts[0] ? "TRUE" : "FALSE");
        EXPECT_EQ(s.wordWrap, "FALSE");
    }
}

TEST(Preferences, OtherStoresTheChosenFontOnlyWhileChecked)
{
    Settings s;
    EditorPage page;
    page.fonts = {false, false, true};
    page.otherFont = ChosenFont{"Times New Roman", 105, 600, true, true};  // semibold is not bold
    std::vector<std::string> keys = Keys(ApplyEditorPage(page, s));
    EXPECT_EQ(std::vector<std::string>(keys.begin() + 2, keys.begin() + 8),
              (std::vector<std::string>{"FontName=Times New Roman", "FontSize=10", "FontItalic=TRUE",
                                        "FontBold=FALSE", "FontUnderline=TRUE", "OtherFont=TRUE"}));
    page.otherFont->weight = kBoldWeight;
    ApplyEditorPage(page, s);
    EXPECT_EQ(s.fontBold, "TRUE");
    // Chosen, then "Standard" checked before OK: the built-in font wins.
    page.fonts = {true, false, false};
    ApplyEditorPage(page, s);
    EXPECT_EQ(s.fontName, "Courier New");
    EXPECT_EQ(s.fontBold, "FALSE");
    // A face longer than the rich-edit limit is cut to 31 characters.
    page.fonts = {false, false, true};
    page.otherFont->faceName = std::string(40, 'F');
    ApplyEditorPage(page, s);
    EXPECT_EQ(s.fontName, std::string(31, 'F'));
}

TEST(Preferences, PickedColoursAreStoredAsColourTextOnlyWhenPicked)
{
    Settings s;
    s.fontColorText = "0";
    EditorPage page;
    EXPECT_EQ(ApplyEditorPage(page, s).size(), 6u);  // three fonts, three flags: no colour
    page.fontColour.colour = 0xFF0000;  // pure blue
    page.fontColour.colourChanged = true;
    page.background.colour = 0x008000;  // dark green
    page.background.colourChanged = page.background.customChanged = true;
    page.background.custom[1] = 0xFF;
    std::vector<std::string> keys = Keys(ApplyEditorPage(page, s));
    ASSERT_EQ(keys.size(), 6u + 2 + 16);
    EXPECT_EQ(keys[0], "FontColor=FF0000");
    EXPECT_EQ(keys[1], "BkgrndColor=8000");
    EXPECT_EQ(keys[2], "CustBkgrndColor[0]=0");
    EXPECT_EQ(keys[3], "CustBkgrndColor[1]=FF");
    EXPECT_EQ(keys[17], "CustBkgrndColor[15]=0");
    EXPECT_EQ(s.fontColor, 0xFF0000u);
    EXPECT_EQ(s.fontColorText, "FF0000");
    EXPECT_EQ(s.backgroundColour, 0x008000u);
    EXPECT_EQ(s.custBkgrndColor[1], "FF");
    EXPECT_EQ(s.custFontColor[1], "");  // the font colour's custom colours were not picked
}

TEST(Preferences, ApplesoftStoresTheFlagTheFourColoursThenCheckBeforeRun)
{
    Settings s;
    s.syntaxColor = 1;
    ApplesoftPage page;
    page.colours = {0xFF, 0xBB0000, 0xBB00, 0xABCDEF};
    SettingWrites writes = ApplyApplesoftPage(page, s);
    EXPECT_EQ(Keys(writes), (std::vector<std::string>{"SyntaxColor=FALSE", "RemColor=FF", "QuoteColor=BB0000",
                                                      "TokenColor=BB00", "SingleColor=ABCDEF",
                                                      "CheckBeforeRun=FALSE"}));
    for (size_t i = 0; i + 1 < writes.size(); ++i) EXPECT_EQ(writes[i].section, "SyntaxColor");
    EXPECT_EQ(writes.back().section, "Prompts");
    EXPECT_EQ(s.syntaxColor, 0);
    EXPECT_EQ(s.syntaxColorText, "FALSE");
    EXPECT_EQ(s.singleColor, 0xABCDEFu);
    page.syntaxColour = true;
    ApplyApplesoftPage(page, s);
    EXPECT_EQ(s.syntaxColor, 1);
}
