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
