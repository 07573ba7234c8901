// The Applesoft token table and listing, on programs built here.
#include "core/basic/applesoft_listing.h"
#include "core/basic/applesoft_tokens.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct Line {
    int number;
    Bytes contents;  // without the terminator
};

constexpr int kAt0801 = 0x0801;

// Line records chained from `address`, then the zero end-of-program link.
Bytes Records(int address, const std::vector<Line>& lines)
{
    Bytes out;
    for (const Line& line : lines) {
        const int next = address + 4 + static_cast<int>(line.contents.size()) + 1;
        out.insert(out.end(), {uint8_t(next), uint8_t(next >> 8), uint8_t(line.number), uint8_t(line.number >> 8)});
        out.insert(out.end(), line.contents.begin(), line.contents.end());
        out.push_back(0);
        address = next;
    }
    out.insert(out.end(), {0, 0});
    return out;
}

// As DOS 3.3 stores it: the program's length ahead of it.
Bytes WithLengthHeader(const Bytes& program)
{
    Bytes out{uint8_t(program.size()), uint8_t(program.size() >> 8)};
    out.insert(out.end(), program.begin(), program.end());
    return out;
}

struct Listed {
    bool standard;
    std::string text;
};

Listed ListProdos(const Bytes& file, int loadAddress = kAt0801)
{
    Listed result;
    result.standard = ListApplesoft(0, static_cast<int>(file.size()), result.text, file, loadAddress);
    return result;
}

Listed ListDos33(const Bytes& file, int bound)
{
    Listed result;
    result.standard = ListApplesoft(2, bound, result.text, file, kAt0801);
    return result;
}

// 10 HOME : PRINT "HI"
const Line kHomePrintHi{10, {0x97, 0x3A, 0xBA, 0x22, 0x48, 0x49, 0x22}};

}  // namespace

TEST(ApplesoftTokens, SpellingsWithTheirPunctuation)
{
    struct Row {
        int token;
        const char* name;
    };
    const Row rows[] = {
        {0x80, "END"},    {0x8A, "PR#"},    {0x8B, "IN#"},     {0x92, "HCOLOR="}, {0x98, "ROT="},
        {0x99, "SCALE="}, {0xA0, "COLOR="}, {0xA3, "HIMEM:"},  {0xA4, "LOMEM:"},  {0xA9, "SPEED="},
        {0xAF, "&"},      {0xC0, "TAB("},   {0xC3, "SPC("},    {0xC8, "+"},       {0xC9, "-"},
        {0xCA, "*"},      {0xCB, "/"},      {0xCC, "^"},       {0xCD, "AND"},     {0xCE, "OR"},
        {0xCF, ">"},      {0xD0, "="},      {0xD1, "<"},       {0xD7, "SCRN("},   {0xE4, "STR$"},
        {0xE7, "CHR$"},   {0xE8, "LEFT$"},  {0xE9, "RIGHT$"},  {0xEA, "MID$"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_STREQ(kApplesoftTokens[row.token - 0x80], row.name);
    }
}

TEST(ApplesoftTokens, EveryEntryIsOneUpperCaseWordAndEntry107IsEmpty)
{
    for (int k = 0; k < kApplesoftTokenCount; ++k) {
        SCOPED_TRACE(k);
        const size_t length = strnlen(kApplesoftTokens[k], kApplesoftTokenWidth);
        ASSERT_GT(length, 0u);
        ASSERT_LT(length, size_t(kApplesoftTokenWidth));  // NUL-terminated inside its 10 bytes
        for (size_t c = 0; c < length; ++c) {
            EXPECT_NE(kApplesoftTokens[k][c], ' ');
            EXPECT_FALSE(kApplesoftTokens[k][c] >= 'a' && kApplesoftTokens[k][c] <= 'z');
        }
    }
    for (int c = 0; c < kApplesoftTokenWidth; ++c)
        EXPECT_EQ(kApplesoftTokens[107][c], 0);
}

TEST(ApplesoftListing, WorkedExamples)
{
    struct Row {
        const char* name;
        std::vector<Line> lines;
        std::string expected;
    };
    const Row rows[] = {
        {"keyword brings its own spaces", {kHomePrintHi}, "10  HOME : PRINT \"HI\"\r"},
        {"THEN followed by GOTO", {{20, {0xAD, 'X', 0xC4, 0xAB, '1', '0'}}}, "20  IF X THEN  GOTO 10\r"},
        {"operators are tokens too", {{30, {'X', 0xD0, '1', 0xC8, '1'}}}, "30 X = 1 + 1\r"},
        {"line number 0 with contents", {{0, {0x97}}}, "0  HOME \r"},
        {"number and first two content bytes zero", {{0, {0, 0, 'A'}}}, " A\r"},
        {"largest line number", {{65535, {0x80}}}, "65535  END \r"},
        {"raw control characters and lower case kept",
         {{40, {0xB2, 0x04, 0x07, 0x0D, 'a', 0x7F}}},
         "40  REM \x04\x07\ra\x7F\r"},
        {"several lines", {kHomePrintHi, {20, {0xBA}}}, "10  HOME : PRINT \"HI\"\r20  PRINT \r"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Listed listed = ListProdos(Records(kAt0801, row.lines));
        EXPECT_TRUE(listed.standard);
        EXPECT_EQ(listed.text, row.expected);
    }
}

TEST(ApplesoftListing, LoadAddressComesFromTheCaller)
{
    Listed listed = ListProdos(Records(0x4001, {kHomePrintHi, {20, {0x80}}}), 0x4001);
    EXPECT_TRUE(listed.standard);
    EXPECT_EQ(listed.text, "10  HOME : PRINT \"HI\"\r20  END \r");
}

TEST(ApplesoftListing, AppendsToTheOutput)
{
    Bytes file = Records(kAt0801, {{20, {0xBA}}});
    std::string text = "before\r";
    EXPECT_TRUE(ListApplesoft(0, static_cast<int>(file.size()), text, file, kAt0801));
    EXPECT_EQ(text, "before\r20  PRINT \r");
}

TEST(ApplesoftListing, ZeroBytesAfterTheEndLinkListAsSingleSpaces)
{
    // Only the bound ends the scan; each record read there is four zero bytes.
    struct Row {
        int extraZeros;  // after the end-of-program link
        std::string tail;
    };
    const Row rows[] = {{0, ""}, {1, ""}, {2, " \r"}, {5, " \r"}, {6, " \r \r"}, {8, " \r \r"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.extraZeros);
        Bytes file = Records(kAt0801, {{20, {0xBA}}});
        file.resize(file.size() + row.extraZeros, 0);
        Listed listed = ListProdos(file);
        EXPECT_TRUE(listed.standard);
        EXPECT_EQ(listed.text, "20  PRINT \r" + row.tail);
    }
}

TEST(ApplesoftListing, Dos33LengthHeaderSetsTheBound)
{
    Bytes program = Records(kAt0801, {kHomePrintHi, {20, {0xBA}}});
    Bytes file = WithLengthHeader(program);
    file.resize(512, 0xEE);  // the rest of the sectors read; never listed

    Listed whole = ListDos33(file, 512);
    EXPECT_TRUE(whole.standard);
    EXPECT_EQ(whole.text, "10  HOME : PRINT \"HI\"\r20  PRINT \r");

    // A header that ends after the first record cuts the listing there.
    const int firstRecord = 4 + 7 + 1;
    file[0] = firstRecord + 2;
    file[1] = 0;
    Listed cut = ListDos33(file, 512);
    EXPECT_TRUE(cut.standard);
    EXPECT_EQ(cut.text, "10  HOME : PRINT \"HI\"\r");
}

TEST(ApplesoftListing, Dos33ProgramSavedFromAnotherAddress)
{
    for (int savedAt : {kAt0801, 0x4001, 0x0C01}) {
        SCOPED_TRACE(savedAt);
        Bytes file = WithLengthHeader(Records(savedAt, {kHomePrintHi, {20, {0xBA}}, {30, {0x80}}}));
        Listed listed = ListDos33(file, static_cast<int>(file.size()));
        EXPECT_TRUE(listed.standard);
        EXPECT_EQ(listed.text, "10  HOME : PRINT \"HI\"\r20  PRINT \r30  END \r");
    }
    // A first line holding a zero byte of its own still lists from $0801.
    Bytes file = WithLengthHeader(Records(kAt0801, {{10, {'A', 0, 'B'}}, {20, {0x80}}}));
    Listed listed = ListDos33(file, static_cast<int>(file.size()));
    EXPECT_TRUE(listed.standard);
    EXPECT_EQ(listed.text, "10 AB\r20  END \r");
}

TEST(ApplesoftListing, NonStandardProgramsKeepThePartialListing)
{
    struct Row {
        const char* name;
        Bytes file;
        std::string expected;
    };
    Bytes truncated = Records(kAt0801, {kHomePrintHi, {20, {0xBA, '1', '2', '3'}}});
    truncated.resize(truncated.size() - 4);  // cut inside line 20: its '3', terminator, end link
    const Row rows[] = {
        {"token $EB", Records(kAt0801, {kHomePrintHi, {20, {0x97, 0xEB, 'A'}}, {30, {0x80}}}),
         "10  HOME : PRINT \"HI\"\r20  HOME \r"},
        {"token $FF first", Records(kAt0801, {{20, {0xFF}}}), "20 \r"},
        {"record runs past the bound", truncated, "10  HOME : PRINT \"HI\"\r20  PRINT 12\r"},
        {"program loaded elsewhere than the caller says", Records(0x4001, {{20, {0xBA}}}), ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Listed listed = ListProdos(row.file);
        EXPECT_FALSE(listed.standard);
        if (!row.expected.empty())
            EXPECT_EQ(listed.text, row.expected);
        ASSERT_FALSE(listed.text.empty());
        EXPECT_EQ(listed.text.back(), '\r');
    }
}

TEST(ApplesoftListing, LinkBelowTheRecordListsTheNumberAndGoesOnFourBytesLater)
{
    // Record 10's link points below itself; the scan takes that link as the base
    // for the record four bytes on.
    const int base = 0x0700;
    const int second = base + 4 + 1 + 1;  // line 20 holding HOME
    Bytes file{uint8_t(base), uint8_t(base >> 8), 10, 0, uint8_t(second), uint8_t(second >> 8), 20, 0, 0x97, 0, 0, 0};
    Listed listed = ListProdos(file);
    EXPECT_TRUE(listed.standard);
    EXPECT_EQ(listed.text, "10 \r20  HOME \r");
}

TEST(ApplesoftListing, ShortInputsListNothing)
{
    for (size_t size : {0u, 1u, 3u}) {
        SCOPED_TRACE(size);
        Bytes file(size, 0x41);
        Listed listed = ListProdos(file);
        EXPECT_TRUE(listed.standard);
        EXPECT_EQ(listed.text, "");
        Listed dos = ListDos33(file, static_cast<int>(size));
        EXPECT_TRUE(dos.standard);
        EXPECT_EQ(dos.text, "");
    }
    // DOS 3.3 header of an empty program (what NEW then SAVE leaves).
    Listed empty = ListDos33({2, 0, 0, 0}, 256);
    EXPECT_TRUE(empty.standard);
    EXPECT_EQ(empty.text, "");
}

TEST(ApplesoftListing, NeverReadsAtOrPastTheBound)
{
    // The number test looks two bytes past the line number; here they lie past
    // the bound and the end of the input, and count as zero.
    Bytes file{0x04, 0x08, 0x00, 0x00};
    Listed listed = ListProdos(file);
    EXPECT_EQ(listed.text, " \r");

    Bytes oneMore{0x05, 0x08, 0x00, 0x00, 0x41};
    EXPECT_EQ(ListProdos(oneMore).text, "0 \r");

    // A bound beyond the input is cut to the input.
    Bytes program = Records(kAt0801, {{20, {0xBA}}});
    std::string text;
    EXPECT_TRUE(ListApplesoft(0, 1 << 20, text, program, kAt0801));
    EXPECT_EQ(text, "20  PRINT \r");

    // A DOS 3.3 header claiming more than the input holds.
    Bytes header = WithLengthHeader(Records(kAt0801, {{20, {0xBA, 'A'}}}));
    header[1] = 0x40;
    header.resize(header.size() - 4);
    std::string cut;
    EXPECT_FALSE(ListApplesoft(2, 1 << 20, cut, header, kAt0801));
    EXPECT_EQ(cut, "20  PRINT \r");
}

TEST(ApplesoftListing, LongKeywordsOutgrowSixCharactersPerByte)
{
    // Lines of HCOLOR= tokens list nine characters per byte, far past the six
    // per byte plus 10000 that a fixed buffer would have held for this file.
    std::vector<Line> lines;
    for (int number = 1; number <= 40; ++number)
        lines.push_back({number, Bytes(240, 0x92)});
    Listed listed = ListProdos(Records(kAt0801, lines));
    EXPECT_TRUE(listed.standard);
    std::string expected;
    for (int number = 1; number <= 40; ++number) {
        expected += std::to_string(number) + " ";
        for (int k = 0; k < 240; ++k)
            expected += " HCOLOR= ";
        expected += "\r";
    }
    EXPECT_EQ(listed.text, expected);
    EXPECT_GT(listed.text.size(), 6 * (40 * 245 + 2) + 10000u);
}

TEST(ApplesoftListing, CharacterRunsOfEveryLength)
{
    // Runs of plain characters of every length up to 20, each ending at a token
    // or at the line's end.
    for (int length = 1; length <= 20; ++length) {
        SCOPED_TRACE(length);
        Bytes run;
        std::string text;
        for (int k = 0; k < length; ++k) {
            run.push_back(static_cast<uint8_t>('A' + k));
            text += static_cast<char>('A' + k);
        }
        Bytes contents = run;
        contents.push_back(0xBA);
        contents.insert(contents.end(), run.begin(), run.end());
        Listed listed = ListProdos(Records(kAt0801, {{5, contents}}));
        EXPECT_TRUE(listed.standard);
        EXPECT_EQ(listed.text, "5 " + text + " PRINT " + text + "\r");
    }
}
