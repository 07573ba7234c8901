// Lone line feeds become carriage return and line feed, across pieces.
#include "core/text/line_ends.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Expand(const std::vector<std::string>& pieces)
{
    std::string all;
    bool afterCarriageReturn = false;
    for (const std::string& piece : pieces) {
        std::string out(2 * piece.size(), '?');
        out.resize(ExpandLoneLineFeeds(piece.data(), piece.size(), out.data(), afterCarriageReturn));
        all += out;
    }
    return all;
}

TEST(LineEnds, LoneLineFeedsOnlyAndNeverTwiceAcrossPieces)
{
    EXPECT_EQ(Expand({"10 A\n20 B\n"}), "10 A\r\n20 B\r\n");
    EXPECT_EQ(Expand({"10 A\r\n20 B\r\n"}), "10 A\r\n20 B\r\n");
    EXPECT_EQ(Expand({"10 A\r20 B\r"}), "10 A\r20 B\r");  // Apple text keeps its returns
    EXPECT_EQ(Expand({"\n\n\r\n\r\r\n"}), "\r\n\r\n\r\n\r\r\n");
    // A carriage return ends one piece, its line feed starts the next.
    EXPECT_EQ(Expand({"10 A\r", "\n20 B\n", "", "\n"}), "10 A\r\n20 B\r\n\r\n");
    EXPECT_EQ(Expand({"\n", "\n"}), "\r\n\r\n");
    EXPECT_EQ(Expand({"x"}), "x");
}

TEST(LineEnds, OnlyCrLfPairsSurviveARichTextStream)
{
    for (const char* text : {"", "10 A", "10 A\r\n20 B\r\n"}) EXPECT_TRUE(OnlyCrLfLineEnds(text)) << text;
    for (const char* text : {"10 A\r20 B", "10 A\n", "\r\n\r", "\n\r"}) EXPECT_FALSE(OnlyCrLfLineEnds(text)) << text;
}

}  // namespace
