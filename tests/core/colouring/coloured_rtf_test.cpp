// Rich text for a coloured replacement: each colour once in the table, a
// line break of any kind one paragraph, RTF's own characters escaped.
#include "core/colouring/coloured_rtf.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

TEST(ColouredRtf, ColoursParagraphsAndEscapes)
{
    const std::string text = "AB\r\nC\\{}\xE9\nD";
    const std::vector<uint32_t> colours = {0xFF, 0xFF, 0, 0, 0xFF0000, 0, 0, 0, 0, 0, 0xFF};
    RtfFont font{"Courier New", 0, 20, true, false, false};
    EXPECT_EQ(ColouredRtf(text, colours, font),
              "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset0 Courier New;}}"
              "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green0\\blue0;}\\f0\\fs20\\b "
              "\\cf1 AB\\par\n\\cf2 C\\cf3 \\\\\\{\\}\\'e9\\par\n\\cf1 D}");
}

TEST(ColouredRtf, FewerColoursThanCharactersStopsTheText)
{
    EXPECT_EQ(ColouredRtf("ABC", std::vector<uint32_t>{0}, RtfFont{"F", 0, 18}),
              "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset0 F;}}{\\colortbl;\\red0\\green0\\blue0;}\\f0\\fs18 \\cf1 A}");
}

TEST(ColouredRtf, TabStopsGoToEveryParagraph)
{
    const std::vector<long> stops = {720, 1440};
    EXPECT_EQ(ColouredRtf("A\tB", std::vector<uint32_t>{0, 0, 0}, RtfFont{"F", 0, 18}, stops),
              "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset0 F;}}{\\colortbl;\\red0\\green0\\blue0;}"
              "\\pard\\tx720\\tx1440\\f0\\fs18 \\cf1 A\\tab B}");
}

// Colours read back from a control's rich text, as far as it agrees with
// the text: Wine's own writing, this writer's, and where reading stops.
TEST(ColouredRtf, ColoursShownReadBack)
{
    constexpr uint32_t kAuto = 0xFFFFFFFF, kBlack = 0, kGreen = 0x00BB00, kRed = 0x0000FF;
    const std::string wine =
        "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0{\\fonttbl{\\f0\\fcharset0 Courier\\'20New;}}\r\n"
        "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green187\\blue0;\\red255\\green0\\blue0;}\r\n"
        "{\\*\\generator Wine Riched20 2.0;}\r\n"
        "\\pard\\sl-240\\slmult1\\tx525 \\cf1\\lang1033\\fs18\\f0 10 \\cf2 IF\\cf1  X\\par\r\n"
        "20 \\cf3 \\{\\}\\'e9\\tab\\cf0 A\\plain B}";
    struct Case {
        std::string rtf, text;
        std::vector<uint32_t> shown;
    } cases[] = {
        {wine, "10 IF X\r20 {}\xE9\tAB",
         {kBlack, kBlack, kBlack, kGreen, kGreen, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kRed, kRed, kRed,
          kRed, kAuto, kAuto}},
        {wine, "10 IF X\r\n20", {kBlack, kBlack, kBlack, kGreen, kGreen, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack}},
        {wine, "10 IF Y", {kBlack, kBlack, kBlack, kGreen, kGreen, kBlack}},  // the texts part at Y
        {"{\\rtf1 {\\colortbl;\\red1\\green2\\blue3;}\\cf1 A\\u233?B}", "A\xE9", {0x030201}},
    };
    for (const Case& c : cases) EXPECT_EQ(ColoursShownInRtf(c.rtf, c.text, kAuto), c.shown) << c.text;

    const std::string text = "AB\r\nC\\{}\xE9\nD\tE";
    const std::vector<uint32_t> colours = {1, 1, 1, 1, 2, 3, 3, 3, 3, 3, 4, 4, 4};
    EXPECT_EQ(ColoursShownInRtf(ColouredRtf(text, colours, RtfFont{"F", 0, 18}), text, kAuto), colours);
}
