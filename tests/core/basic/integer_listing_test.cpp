// The Integer BASIC listing, on programs built here.
#include "core/basic/integer_listing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct Line {
    int number;
    Bytes contents;  // without the end-of-line token
};

// Token bytes used below.
constexpr uint8_t kEnd = 0x01, kColon = 0x03, kEq = 0x16, kThen = 0x24, kQuote = 0x28, kUnquote = 0x29,
                  kPeek = 0x2E, kMinus = 0x36, kLen = 0x3B, kDollar = 0x40, kComma = 0x65, kRem = 0x5D,
                  kGoto = 0x5F, kIf = 0x60, kPrint = 0x62, kPoke = 0x64, kLet = 0x71, kOpen = 0x3F,
                  kClose = 0x72, kNodsp = 0x79, kDsp = 0x7C;

// A high-bit character and a constant as Integer BASIC stores them.
constexpr uint8_t Ch(char c) { return static_cast<uint8_t>(c | 0x80); }
Bytes Num(int value) { return {Ch(char('0' + value % 10)), uint8_t(value), uint8_t(value >> 8)}; }

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes Program(const std::vector<Line>& lines)
{
    Bytes out;
    for (const Line& line : lines) {
        out.push_back(static_cast<uint8_t>(3 + line.contents.size() + 1));
        out.push_back(static_cast<uint8_t>(line.number));
        out.push_back(static_cast<uint8_t>(line.number >> 8));
        out.insert(out.end(), line.contents.begin(), line.contents.end());
        out.push_back(kEnd);
    }
    return out;
}

Bytes WithLengthHeader(const Bytes& program)
{
    return Cat({{uint8_t(program.size()), uint8_t(program.size() >> 8)}, program});
}

struct Listed {
    bool complete;
    std::string text;
};

Listed ListProdos(const Bytes& file)
{
    Listed result;
    result.complete = ListIntegerBasic(0, static_cast<int>(file.size()), result.text, file, 0x0801);
    return result;
}

}  // namespace

TEST(IntegerListing, SpacingRules)
{
    struct Row {
        const char* name;
        Bytes contents;
        std::string expected;
    };
    const Row rows[] = {
        {"space after a colon, none before it",
         {kPrint, Ch('X'), kColon, kGoto, Ch('1'), 10, 0},
         "10 PRINT X: GOTO 10"},
        {"colon before a name drops its space", Cat({{Ch('A'), kLet}, Num(1), {kColon, Ch('B'), kLet}, Num(2)}),
         "10 A=1:B=2"},
        {"digit after a letter stays in the name", Cat({{Ch('A'), Ch('1'), kLet}, Num(5)}), "10 A1=5"},
        {"digit right after IF starts a constant",
         Cat({{kIf}, Num(1), {kEq}, Num(2), {kThen, kPrint}, Num(3)}),
         "10 IF 1=2 THEN PRINT 3"},
        {"digit right after a colon is a character", Cat({{Ch('A'), kLet}, Num(1), {kColon, Ch('5')}}), "10 A=1:5"},
        {"negative constant", Cat({{Ch('X'), kLet, kMinus}, Num(32767)}), "10 X=-32767"},
        {"largest constant", Cat({{Ch('X'), kLet}, Num(65535)}), "10 X=65535"},
        {"LEN( gets a space", {Ch('X'), kLet, kLen, Ch('A'), kDollar, kClose}, "10 X= LEN(A$)"},
        {"LEN( right after IF does not", {kIf, kLen, Ch('A'), kDollar, kClose, kThen, Ch('1'), 10, 0},
         "10 IF LEN(A$) THEN 10"},
        {"PEEK gets a space", Cat({{kPoke}, Num(0), {kComma, kPeek, kOpen}, Num(1), {kClose}}),
         "10 POKE 0, PEEK (1)"},
        {"PEEK right after IF does not", Cat({{kIf, kPeek, kOpen}, Num(1), {kClose, kThen}, Num(10)}),
         "10 IF PEEK (1) THEN 10"},
        {"digits inside a string are characters", {kPrint, kQuote, Ch('1'), Ch('2'), Ch('3'), kUnquote},
         "10 PRINT \"123\""},
        {"digits inside REM are characters", {kRem, Ch('5'), Ch('6'), Ch(':'), Ch('7')}, "10 REM 56:7"},
        {"high-bit control characters dropped from strings",
         {kPrint, kQuote, 0x84, Ch('A'), 0x87, 0x9F, Ch('B'), kUnquote},
         "10 PRINT \"AB\""},
        {"text ends at the closing quote",
         Cat({{kPrint, kQuote, Ch('A'), kUnquote, kColon, Ch('B'), kLet}, Num(7)}),
         "10 PRINT \"A\":B=7"},
        {"NODSP and DSP as LIST shows them", {kNodsp, Ch('X'), kColon, kDsp, Ch('X')}, "10 NODSP X: DSP X"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Listed listed = ListProdos(Program({{10, row.contents}}));
        EXPECT_TRUE(listed.complete);
        EXPECT_EQ(listed.text, row.expected + "\n");
    }
}

TEST(IntegerListing, LinesEndWithALineFeedAlone)
{
    Bytes file = Program({{10, {kPrint}}, {20, {0x51}}, {65535, {kRem, Ch('X')}}});
    Listed listed = ListProdos(file);
    EXPECT_TRUE(listed.complete);
    EXPECT_EQ(listed.text, "10 PRINT \n20 END \n65535 REM X\n");
}

TEST(IntegerListing, Dos33LengthHeader)
{
    Bytes program = Program({{10, {kPrint}}, {20, {0x51}}});
    Bytes file = WithLengthHeader(program);
    file.resize(256, 0x00);  // the rest of the sector; a zero length byte if it were read

    std::string text;
    EXPECT_TRUE(ListIntegerBasic(2, 256, text, file, 0));
    EXPECT_EQ(text, "10 PRINT \n20 END \n");

    // Only the header counts: a shorter one stops the listing after line 10.
    file[0] = 5;
    text.clear();
    EXPECT_TRUE(ListIntegerBasic(2, 256, text, file, 0));
    EXPECT_EQ(text, "10 PRINT \n");

    // An empty program.
    text.clear();
    EXPECT_TRUE(ListIntegerBasic(2, 256, text, Bytes{0, 0}, 0));
    EXPECT_EQ(text, "");
}

TEST(IntegerListing, LinesRunningPastTheEndKeepThePartialLine)
{
    struct Row {
        const char* name;
        Bytes file;
        std::string expected;
    };
    Bytes good = Program({{10, {kPrint}}});
    Bytes cutContents = Program({{10, {kPrint}}, {20, {kPrint, Ch('A'), Ch('B')}}});
    cutContents.resize(cutContents.size() - 2);
    Bytes cutConstant = Program({{10, {kPrint}}, {20, Cat({{kGoto}, Num(300)})}});
    cutConstant.resize(cutConstant.size() - 2);
    const Row rows[] = {
        {"one header byte left", Cat({good, {9}}), "10 PRINT \n\n"},
        {"two header bytes left", Cat({good, {9, 20}}), "10 PRINT \n\n"},
        {"contents cut", cutContents, "10 PRINT \n20 PRINT A\n"},
        {"constant cut", cutConstant, "10 PRINT \n20 GOTO \n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Listed listed = ListProdos(row.file);
        EXPECT_FALSE(listed.complete);
        EXPECT_EQ(listed.text, row.expected);
    }

    // A DOS 3.3 header claiming more than the input holds.
    Bytes file = WithLengthHeader(Program({{10, {kPrint, Ch('A')}}}));
    file[1] = 0x10;
    file.pop_back();  // the input ends inside line 10
    std::string text;
    EXPECT_FALSE(ListIntegerBasic(2, 1 << 20, text, file, 0));
    EXPECT_EQ(text, "10 PRINT A\n");
}

TEST(IntegerListing, LengthBelowTheHeaderCannotStallTheScan)
{
    // A length byte of 0 lists the number alone and goes on after the three
    // header bytes.
    Bytes file = Cat({{0, 5, 0}, Program({{10, {kPrint}}})});
    Listed listed = ListProdos(file);
    EXPECT_TRUE(listed.complete);
    EXPECT_EQ(listed.text, "5 \n10 PRINT \n");
}

TEST(IntegerListing, EmptyInputAndOutputIsAppendedTo)
{
    Listed empty = ListProdos({});
    EXPECT_TRUE(empty.complete);
    EXPECT_EQ(empty.text, "");

    Bytes file = Program({{7, {kPrint}}});
    std::string text = "x\n";
    EXPECT_TRUE(ListIntegerBasic(0, static_cast<int>(file.size()), text, file, 0));
    EXPECT_EQ(text, "x\n7 PRINT \n");
}
