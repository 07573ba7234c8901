// The record of applied colours: which characters an edit leaves known, and
// the fewest changes that bring lines to the scanner's colours.
#include "core/colouring/colour_record.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr uint32_t P = 1, K = 2, S = 3, Q = 4, R = 5, U = kUnknownColour;
const ColourPalette kPalette = {P, K, S, Q, R};

ColourRecord Recorded(const std::string& text, uint32_t colour)
{
    return {text, std::vector<uint32_t>(text.size(), colour)};
}

TEST(ColourRecord, AnEditLeavesOnlyWhatItTouchedUnknown)
{
    ColourRecord record = {"AB\rCD", {P, K, P, Q, R}};
    EXPECT_EQ(FollowText(record, "AB\rXCD"), (TextRange{3, 4}));  // typed
    EXPECT_EQ(record.colours, (std::vector<uint32_t>{P, K, P, U, Q, R}));
    EXPECT_EQ(FollowText(record, "AB\rCD"), (TextRange{3, 3}));  // deleted: nothing unknown is left
    EXPECT_EQ(record.colours, (std::vector<uint32_t>{P, K, P, Q, R}));
    EXPECT_EQ(FollowText(record, "ZZ"), (TextRange{0, 2}));  // replaced whole
    EXPECT_EQ(record.colours, (std::vector<uint32_t>{U, U}));
    EXPECT_EQ(FollowText(record, ""), (TextRange{0, 0}));
    EXPECT_TRUE(record.colours.empty());
}

// Known edits carry the colour of the first character they replace; a
// position lands after an edit's new text, or inside it no further than the
// new text goes.
TEST(ColourRecord, KnownEditsKeepTheColoursAndMovePositions)
{
    ColourRecord record = {"10 GOTO 20\r20 END", {P, P, P, K, K, K, K, P, S, S, P, Q, Q, P, K, K, K}};
    const std::vector<TextEdit> edits = {{0, 2, "100"}, {8, 10, "5"}, {11, 13, "105"}};
    FollowEdits(record, edits);
    EXPECT_EQ(record.text, "100 GOTO 5\r105 END");
    EXPECT_EQ(record.colours, (std::vector<uint32_t>{P, P, P, P, K, K, K, K, P, S, P, Q, Q, Q, P, K, K, K}));
    const std::pair<size_t, size_t> positions[] = {{0, 0}, {1, 1}, {2, 3}, {3, 4}, {9, 10}, {10, 10}, {17, 18}};
    for (const auto& [before, after] : positions) EXPECT_EQ(PositionAfterEdits(before, edits), after) << before;
}

TEST(ColourRecord, AnEditInARunOfRepeatsMakesTheWholeRunUnknown)
{
    // "AAA" to "AAAA": which A is new cannot be told, nor does it matter.
    ColourRecord record = {"XAAAY", {P, K, Q, R, P}};
    EXPECT_EQ(FollowText(record, "XAAAAY"), (TextRange{1, 5}));
    EXPECT_EQ(record.colours, (std::vector<uint32_t>{P, U, U, U, U, P}));
    record = {"ABAB.", {K, K, Q, Q, P}};
    EXPECT_EQ(FollowText(record, "ABABAB."), (TextRange{0, 6}));
    EXPECT_EQ(record.colours.back(), P);
}

TEST(ColourRecord, LinesAroundTakeWholeLinesWithTheirCarriageReturns)
{
    const std::string text = "10 A\r\n20 B\r\n30 C";
    EXPECT_EQ(LinesAround(text, {7, 8}), (TextRange{5, 11}));   // inside the second line ("\n20 B\r")
    EXPECT_EQ(LinesAround(text, {4, 4}), (TextRange{0, 5}));    // at a carriage return: its own line
    EXPECT_EQ(LinesAround(text, {2, 13}), (TextRange{0, 16}));  // across lines, to the end of the text
    EXPECT_EQ(LinesAround(text, {16, 16}), (TextRange{11, 16}));
    EXPECT_EQ(LinesAround("", {0, 0}), (TextRange{0, 0}));
}

TEST(ColourRecord, WantedColoursAreTheScannersWithPlainBetween)
{
    const std::string text = "X\r10 PRINT \"A\"+B:REM C\r";
    const std::vector<uint32_t> wanted = WantedColours(text, {2, static_cast<int>(text.size())}, kPalette);
    const std::vector<uint32_t> expected = {P, P, P, K, K, K, K, K, P, Q, Q, Q, S, P, P, K, K, K, R, R, P};
    EXPECT_EQ(wanted, expected);
}

TEST(ColourRecord, ChangesSkipWhatIsKnownRightAndLookAtWhatIsUnknown)
{
    ColourRecord record = {"ABCDEFG", {P, K, K, U, P, Q, U}};
    const std::vector<uint32_t> wanted = {K, K, K, K, Q, Q, Q};
    const std::vector<ColourChange> changes = ChangesToColour(record, 0, wanted);
    EXPECT_EQ(changes, (std::vector<ColourChange>{{{0, 1}, K, false}, {{3, 4}, K, true}, {{4, 5}, Q, false},
                                                  {{6, 7}, Q, true}}));
    EXPECT_EQ(record.colours, wanted);
    EXPECT_TRUE(ChangesToColour(record, 0, wanted).empty());  // a second pass has nothing to do
    // Offset into the text; wanted colours past the text's end are ignored.
    EXPECT_EQ(ChangesToColour(record, 5, {P, P, P}), (std::vector<ColourChange>{{{5, 7}, P, false}}));
}

TEST(ColourRecord, TypingALineChangesOnlyTheNewCharacters)
{
    // A line coloured once, then a key: one change at most, for the new character.
    ColourRecord record = Recorded("", U);
    std::string text = "10 PRINT";
    FollowText(record, text);
    ChangesToColour(record, 0, WantedColours(text, {0, 8}, kPalette));
    text += " A";
    const TextRange changed = FollowText(record, text);
    const TextRange lines = LinesAround(text, changed);
    EXPECT_EQ(ChangesToColour(record, lines.from, WantedColours(text, lines, kPalette)),
              (std::vector<ColourChange>{{{8, 10}, P, true}}));
}

// Each key's selection before and after, and the text's lengths, give the
// replaced range; figures no such edit could leave give nothing.
TEST(ColourRecord, AnEditAtTheSelectionIsToldByItsSelectionsAndLengths)
{
    struct Case {
        const char* what;
        TextRange before, after;
        int lengthBefore, lengthAfter;
        std::optional<SelectionEdit> edit;
    } cases[] = {
        {"a key typed", {5, 5}, {6, 6}, 10, 11, SelectionEdit{5, 5, 6}},
        {"a key over a selection", {2, 5}, {3, 3}, 10, 8, SelectionEdit{2, 5, 3}},
        {"Backspace", {5, 5}, {4, 4}, 10, 9, SelectionEdit{4, 5, 4}},
        {"Delete", {5, 5}, {5, 5}, 10, 9, SelectionEdit{5, 6, 5}},
        {"Ctrl+Backspace, a word", {9, 9}, {6, 6}, 10, 7, SelectionEdit{6, 9, 6}},
        {"a paste at the end", {10, 10}, {14, 14}, 10, 14, SelectionEdit{10, 10, 14}},
        {"the caret past the text", {5, 5}, {12, 12}, 10, 11, std::nullopt},
        {"more gone than there was", {5, 5}, {0, 0}, 10, 1, std::nullopt},
        {"a selection past what changed", {2, 9}, {3, 3}, 10, 9, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EditAtSelection(c.before, c.after, c.lengthBefore, c.lengthAfter), c.edit) << c.what;

    ColourRecord record = {"10 AB\r", {P, P, P, K, K, P}};
    EXPECT_EQ(FollowEdit(record, {4, 5, 6}, "XY"), (TextRange{4, 6}));
    EXPECT_EQ(record.text, "10 AXY\r");
    EXPECT_EQ(record.colours, (std::vector<uint32_t>{P, P, P, K, U, U, P}));
    EXPECT_FALSE(FollowEdit(record, {4, 5, 6}, "X"));  // the control gave less than the edit says
    EXPECT_EQ(record.text, "10 AXY\r");
}

// A typed character's colour comes from its line scanned with it in place.
TEST(ColourRecord, ATypedCharacterTakesTheColourItsLineGivesIt)
{
    EXPECT_EQ(ColourOfTyped("10 GOT\r20 X", 6, 'O', kPalette, BasicLanguage::Applesoft), K);  // completes a keyword
    EXPECT_EQ(ColourOfTyped("10 GOTO\r20 X", 7, ' ', kPalette, BasicLanguage::Applesoft), P);  // a space after one
    EXPECT_EQ(ColourOfTyped("10 PRINT \"A\r", 11, 'B', kPalette, BasicLanguage::Applesoft), Q);  // inside a string
    EXPECT_EQ(ColourOfTyped("10 A\r20 B", 10, '+', kPalette, BasicLanguage::Integer), S);  // at the end, Integer BASIC
}

}  // namespace
