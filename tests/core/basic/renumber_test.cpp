// Renumbering: which numbers follow and which are left, the refusals, and
// every real program renumbered and tokenized against its own tokens with
// the new numbers put where the ROM reads a line number.
#include "core/basic/renumber.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/basic/applesoft_listing.h"
#include "core/basic/applesoft_tokenizer.h"
#include "core/basic/applesoft_tokens.h"
#include "core/basic/integer_listing.h"
#include "core/basic/integer_tokenizer.h"
#include "core/basic/integer_tokens.h"
#include "tests/support/shared_data.h"

using namespace shared_data;

namespace {

constexpr BasicLanguage kA = BasicLanguage::Applesoft;
constexpr BasicLanguage kI = BasicLanguage::Integer;

std::vector<std::string> Left(const Renumbering& result)
{
    std::vector<std::string> left;
    for (const ReferenceLeft& reference : result.left) left.push_back(DescribeReferenceLeft(reference));
    return left;
}

using Bytes = std::vector<uint8_t>;
using Map = std::map<long, long>;

long Mapped(const Map& map, long number)
{
    const auto found = map.find(number);
    return found == map.end() ? number : found->second;
}

// The Applesoft program with the new numbers where LINGET reads one: after
// GOTO and GOSUB (a list after ON), THEN, LIST (two, by - or ,), RUN and DEL.
Bytes ApplesoftRenumbered(const Bytes& program, const Map& map)
{
    Bytes out;
    for (size_t at = 0; at + 4 <= program.size() && (program[at] | program[at + 1]) != 0;) {
        size_t end = at + 4;
        while (end < program.size() && program[end] != 0) ++end;
        const long number = Mapped(map, program[at + 2] | (program[at + 3] << 8));
        out.insert(out.end(), {0, 0, static_cast<uint8_t>(number & 0xFF), static_cast<uint8_t>(number >> 8)});
        const size_t record = out.size() - 4;
        bool on = false, quoted = false, data = false, remark = false;
        int numbersToCome = 0;  // numbers the last token still takes
        uint8_t separator = 0;
        for (size_t k = at + 4; k < end;) {
            const uint8_t b = program[k];
            const bool digit = b >= '0' && b <= '9';
            if (numbersToCome > 0 && digit && !quoted && !data && !remark) {
                long value = 0;
                for (; k < end && program[k] >= '0' && program[k] <= '9'; ++k) value = value * 10 + (program[k] - '0');
                const std::string digits = std::to_string(Mapped(map, value));
                out.insert(out.end(), digits.begin(), digits.end());
                numbersToCome = k < end && (program[k] == ',' || program[k] == separator) ? numbersToCome - 1 : 0;
                if (numbersToCome > 0) out.push_back(program[k++]);
                continue;
            }
            out.push_back(b);
            ++k;
            if (quoted || remark) { quoted = quoted && b != '"'; continue; }
            if (b == '"') { quoted = true; continue; }
            if (data) { data = b != ':'; continue; }
            numbersToCome = numbersToCome > 0 && (b == ',' || b == separator) ? numbersToCome : 0;
            separator = 0;
            if (b == ':') on = false;
            if (b == kTokenOn) on = true;
            if (b == kTokenRem) remark = true;
            if (b == kTokenData) data = true;
            if (b == kTokenGoto || b == kTokenGosub) numbersToCome = on ? 1000 : 1;
            if (b == kTokenThen && k < end && program[k] >= '0' && program[k] <= '9') numbersToCome = 1;
            if (b == kTokenList) numbersToCome = 2, separator = kTokenMinus;  // LIST a-b or a,b
            if (b == kTokenDel) numbersToCome = 2;
            if (b == kTokenRun) numbersToCome = 1;
        }
        out.push_back(0);
        const int link = kApplesoftLoadAddress + static_cast<int>(out.size());
        out[record] = static_cast<uint8_t>(link & 0xFF);
        out[record + 1] = static_cast<uint8_t>(link >> 8);
        at = end + 1;
    }
    out.insert(out.end(), {0, 0});
    return out;
}

// The Integer BASIC program with the new numbers in the constants that stand
// alone after GOTO, GOSUB, THEN, LIST, RUN and DEL and their range's comma.
Bytes IntegerRenumbered(const Bytes& program, const Map& map)
{
    Bytes out = program;
    for (size_t at = 0; at + 3 < out.size() && out[at] > 4;) {
        const size_t end = at + out[at] - 1;
        const long number = Mapped(map, out[at + 1] | (out[at + 2] << 8));
        out[at + 1] = static_cast<uint8_t>(number & 0xFF);
        out[at + 2] = static_cast<uint8_t>(number >> 8);
        bool text = false, afterToken = true;
        for (size_t k = at + 3; k < end;) {
            const uint8_t b = out[k];
            if (b < kHighBit) {
                text = b == kRem || b == kOpenQuote || (text && b != kCloseQuote);
                afterToken = true;
                const bool takesLine = b == kGoto || b == kGosub || b == kThenLine || b == kListRange ||
                                       b == kListComma || b == kRunLine || b == kDel || b == kDelComma;
                const size_t after = k + 4;
                if (takesLine && after <= end && out[k + 1] >= kFirstDigit && out[k + 1] <= kLastDigit &&
                    (after == end || out[after] == kColon || out[after] == kListComma || out[after] == kDelComma)) {
                    const long value = Mapped(map, out[k + 2] | (out[k + 3] << 8));
                    out[k + 1] = static_cast<uint8_t>(std::to_string(value)[0] | kHighBit);
                    out[k + 2] = static_cast<uint8_t>(value & 0xFF);
                    out[k + 3] = static_cast<uint8_t>(value >> 8);
                    k = after;
                    continue;
                }
                ++k;
            } else {
                k += !text && afterToken && b >= kFirstDigit && b <= kLastDigit ? 3 : 1;
                afterToken = false;
            }
        }
        at = end + 1;
    }
    return out;
}

}  // namespace

TEST(Renumber, FollowsEveryReferenceAndListsWhatItLeaves)
{
    struct Row {
        const char* name;
        BasicLanguage language;
        const char* text;
        RenumberRequest request;
        const char* renumbered;
        std::vector<std::string> left;
    };
    const Row rows[] = {
        {"jumps, ON lists, ONERR and IF without THEN", kA,
         "10 GOTO 20\r20 GOSUB 30:IF X THEN 10\r30 ON X GOTO 10,20,30:ON Y GOSUB 30\r40 ONERR GOTO 30\r50 IF X GOTO 10\r",
         {0, LONG_MAX, 100, 5},
         "100 GOTO 105\r105 GOSUB 110:IF X THEN 100\r110 ON X GOTO 100,105,110:ON Y GOSUB 110\r115 ONERR GOTO 110\r"
         "120 IF X GOTO 100\r",
         {}},
        {"LIST ranges, RUN and DEL", kA, "10 LIST 10,20:LIST 10-20:LIST -20:LIST 20-\r20 RUN 10:DEL 10,20",
         {0, LONG_MAX, 1, 1}, "1 LIST 1,2:LIST 1-2:LIST -2:LIST 2-\r2 RUN 1:DEL 1,2", {}},
        {"strings, REM, DATA and lower case untouched; spacing kept", kA,
         "10 PRINT \"GOTO 10\": GO TO 1 0 :REM GOTO 10\n20 DATA 10,GOTO 10:goto 10: G O S U B 20\n",
         {0, LONG_MAX, 100, 100},
         "100 PRINT \"GOTO 10\": GO TO 100 :REM GOTO 10\n200 DATA 10,GOTO 10:goto 10: G O S U B 200\n", {}},
        {"only the range moves; every line end kept", kA, "10 GOTO 30\r\n20 GOTO 40\n30 END\r40 GOTO 20\r\n50 END",
         {20, 30, 21, 1}, "10 GOTO 22\r\n21 GOTO 40\n22 END\r40 GOTO 21\r\n50 END", {}},
        {"numbers that stay keep their spelling", kA, "10 GOTO 010\r20 GOTO 2 0\r", {}, "10 GOTO 010\r20 GOTO 2 0\r",
         {}},
        {"computed, partly read and missing targets", kA,
         "10 GOTO 10+X:GOSUB 99\r20 GOTO X\r30 ON X GOTO 20,77\r40 LIST 15\rRUN 20",
         {0, LONG_MAX, 100, 10}, "100 GOTO 100+X:GOSUB 99\r110 GOTO X\r120 ON X GOTO 110,77\r130 LIST 15\rRUN 110",
         {"line 100: GOTO 100+X: Applesoft goes to line 100 and ignores +X",
          "line 100: GOSUB 99: there is no line 99, left as it is", "line 110: GOTO X: no line number, left as it is",
          "line 120: GOTO 77: there is no line 77, left as it is",
          "line 130: LIST 15: there is no line 15, left as it is"}},
        {"Integer: GOTO, GOSUB, THEN, LIST, DEL and RUN", kI,
         "10 GOTO 20\n20 GOSUB 30: IF X THEN 10\n30 IF X THEN GOTO 20\n40 LIST 10,30: DEL 20,30: RUN 10\n",
         {0, LONG_MAX, 100, 100},
         "100 GOTO 200\n200 GOSUB 300: IF X THEN 100\n300 IF X THEN GOTO 200\n400 LIST 100,300: DEL 200,300: RUN 100\n",
         {}},
        {"Integer: computed targets, text and refused lines", kI,
         "10 GOTO X*10\n20 GOSUB 10+5\n30 PRINT \"GOTO 10\": REM GOTO 10\n40 X=\n50 GOTO 99", {0, LONG_MAX, 1, 1},
         "1 GOTO X*10\n2 GOSUB 10+5\n3 PRINT \"GOTO 10\": REM GOTO 10\n4 X=\n5 GOTO 99",
         {"line 1: GOTO X*10: a computed line, left as it is", "line 2: GOSUB 10+5: a computed line, left as it is",
          "line 4: SYNTAX ERR: the line's references are left as they are",
          "line 5: GOTO 99: there is no line 99, left as it is"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Renumbering result = RenumberProgram(row.text, row.language, row.request);
        EXPECT_EQ(result.refusal, Message::None);
        EXPECT_EQ(result.text, row.renumbered);
        EXPECT_EQ(Left(result), row.left);
        for (const ReferenceLeft& left : result.left)
            EXPECT_LT(left.offset, result.text.size());
        // The edits alone make the new text from the old.
        std::string edited = row.text;
        for (auto edit = result.edits.rbegin(); edit != result.edits.rend(); ++edit)
            edited.replace(edit->at, edit->end - edit->at, edit->text);
        EXPECT_EQ(edited, result.text);
    }
    EXPECT_EQ(RenumberProgram("10 GOTO 20\r20 END", kA, {0, LONG_MAX, 5, 5}).left.size(), 0u);
    // Where each is in the new text.
    EXPECT_EQ(RenumberProgram("5 GOTO 99\r", kA).left[0].offset, 8u);
    EXPECT_EQ(RenumberProgram("1 END\n5 X=\n", kI).left[0].offset, 7u);
}

TEST(Renumber, RefusesAndChangesNothing)
{
    struct Row {
        BasicLanguage language;
        const char* text;
        RenumberRequest request;
        const char* message;
    };
    const Row rows[] = {
        {kA, "10 END\r20 END", {0, LONG_MAX, 63990, 10},
         "Renumbering would give line 20 a number past 63999, the last line number allowed!"},
        {kI, "10 END\n20 END", {0, LONG_MAX, 32767, 1},
         "Renumbering would give line 20 a number past 32767, the last line number allowed!"},
        {kA, "10 END\r20 END\r30 END", {20, LONG_MAX, 5, 10}, "Renumbering would move line 20 onto or past line 10!"},
        {kA, "10 END\r20 END\r30 END", {10, 20, 25, 5}, "Renumbering would move line 20 onto or past line 30!"},
        {kA, "20 END\r10 END", {}, "Line 10 is out of order or typed twice: renumbering needs the lines in order!"},
        {kI, "10 END\n10 PRINT", {}, "Line 10 is out of order or typed twice: renumbering needs the lines in order!"},
        {kA, "10 END\r20 END", {0, LONG_MAX, 10, 0},
         "Renumbering needs a first number of 0 or more and a step of 1 or more!"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        const Renumbering result = RenumberProgram(row.text, row.language, row.request);
        EXPECT_EQ(ComposeMessage(result.refusal, result.refusalText, result.refusalValue).text, row.message);
        EXPECT_TRUE(result.text.empty());
        EXPECT_TRUE(result.changes.empty());
    }
}

TEST(Renumber, RealProgramsKeepEveryByteButTheLineNumbers)
{
    auto programs = ReadJsonLines("programs/programs.jsonl");
    if (!programs) GTEST_SKIP() << "no shared programs";
    int renumbered = 0;
    for (const JsonRecord& program : *programs) {
        const std::string& file = program.at("file");
        SCOPED_TRACE(file);
        const auto bytes = ReadBytes("programs/" + file);
        ASSERT_TRUE(bytes);
        const bool applesoft = program.at("language") == "applesoft";
        const int start = program.at("dos33_length_header") == "true" ? 2 : 0;
        const int load = start == 2 ? kApplesoftLoadAddress : std::stoi(program.at("load_address"));
        std::string text;
        if (applesoft) ListApplesoft(start, static_cast<int>(bytes->size()), text, *bytes, load);
        else ListIntegerBasic(start, static_cast<int>(bytes->size()), text, *bytes, 0);
        const Renumbering result = RenumberProgram(text, applesoft ? kA : kI, {0, LONG_MAX, 2, 3});
        // RENUMBER's machine code after its end lists as lines out of order.
        if (file == "applesoft/diskii_dos33test__RENUMBER.dos33") {
            EXPECT_EQ(result.refusal, Message::RenumberLinesOutOfOrder);
            continue;
        }
        ASSERT_EQ(result.refusal, Message::None) << result.refusalText;
        Map map;
        for (const LineNumberChange& change : result.changes) map[change.from] = change.to;
        if (applesoft) {
            const Bytes before = TokenizeApplesoft(text, kApplesoftLoadAddress, ApplesoftText::Listing);
            const Bytes after = TokenizeApplesoft(result.text, kApplesoftLoadAddress, ApplesoftText::Listing);
            EXPECT_EQ(after, ApplesoftRenumbered(before, map));
        } else {
            EXPECT_EQ(TokenizeIntegerBasic(result.text), IntegerRenumbered(TokenizeIntegerBasic(text), map));
        }
        ++renumbered;
    }
    EXPECT_EQ(renumbered, 119);
}
