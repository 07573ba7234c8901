// The listings against real programs and against what other tools, and the
// Integer BASIC ROM itself, list for them. Another tool's spacing may differ from
// ours; where it does, the comparison drops the blanks (outside and inside
// quotes alike) and keeps everything else: line numbers, keywords, text.
#include "core/basic/applesoft_listing.h"
#include "core/basic/integer_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/shared_data.h"

using namespace shared_data;

namespace {

constexpr int kAt0801 = 0x0801;

struct Listed {
    bool ok;
    std::string text;
};

Listed ListProgram(const JsonRecord& program, const std::vector<uint8_t>& bytes)
{
    const bool dos33 = program.at("dos33_length_header") == "true";
    const int start = dos33 ? 2 : 0;
    Listed listed;
    if (program.at("language") == "applesoft") {
        const int load = dos33 ? kAt0801 : std::stoi(program.at("load_address"));
        listed.ok = ListApplesoft(start, static_cast<int>(bytes.size()), listed.text, bytes, load);
    } else {
        listed.ok = ListIntegerBasic(start, static_cast<int>(bytes.size()), listed.text, bytes, 0);
    }
    return listed;
}

// The line numbers at the start of each listing line, in order.
std::vector<long> LineNumbers(const std::string& listing, char end)
{
    std::vector<long> numbers;
    for (const std::string& line : SplitLines(listing, end)) {
        size_t k = line.find_first_not_of(' ');
        if (k != std::string::npos && std::isdigit(static_cast<unsigned char>(line[k])))
            numbers.push_back(std::stol(line.substr(k)));
    }
    return numbers;
}

// The escapes of the a2kit vectors: \xNN stands for that byte; any other
// backslash is itself.
std::string DecodeEscapes(const std::string& text)
{
    std::string out;
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\\' && k + 3 < text.size() && text[k + 1] == 'x' && std::isxdigit(static_cast<unsigned char>(text[k + 2])) &&
            std::isxdigit(static_cast<unsigned char>(text[k + 3]))) {
            out += static_cast<char>(std::stoi(text.substr(k + 2, 2), nullptr, 16));
            k += 3;
        } else {
            out += text[k];
        }
    }
    return out;
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Integer BASIC lists a character with the high bit set as itself without it,
// and leaves out control characters in strings, which other tools and the ROM's
// LIST print.
std::string IntegerCharacters(const std::string& text)
{
    std::string out;
    for (char c : text) {
        const unsigned char plain = static_cast<unsigned char>(c) & 0x7F;
        if (plain >= 0x20 || c == '\n')
            out += static_cast<char>(plain);
    }
    return out;
}

}  // namespace

TEST(RealPrograms, EveryProgramListsInLineOrder)
{
    // Two programs are not plain Applesoft: RENUMBER carries machine code after
    // its end-of-program link (inside its DOS length), and BIN.BAS keeps bytes of
    // $EB and above in a REM. Both list up to there and report it.
    const std::string nonStandard[] = {"applesoft/diskii_dos33test__RENUMBER.dos33",
                                       "applesoft/dos33fsprogs_appleiibot__BIN.BAS.dos33"};
    auto programs = ReadJsonLines("programs/programs.jsonl");
    if (!programs)
        GTEST_SKIP() << "no shared programs";
    int listed = 0;
    for (const JsonRecord& program : *programs) {
        const std::string& file = program.at("file");
        SCOPED_TRACE(file);
        auto bytes = ReadBytes("programs/" + file);
        ASSERT_TRUE(bytes);
        const bool applesoft = program.at("language") == "applesoft";
        const char end = applesoft ? '\r' : '\n';
        Listed listing = ListProgram(program, *bytes);
        if (!listing.text.empty())
            EXPECT_EQ(listing.text.back(), end);
        ++listed;
        if (std::find(std::begin(nonStandard), std::end(nonStandard), file) != std::end(nonStandard)) {
            EXPECT_FALSE(listing.ok);
            continue;
        }
        EXPECT_TRUE(listing.ok);
        EXPECT_EQ(listing.text.find(applesoft ? '\n' : '\r'), std::string::npos);
        std::vector<long> numbers = LineNumbers(listing.text, end);
        EXPECT_EQ(numbers.empty(), listing.text.empty());
        for (size_t k = 1; k < numbers.size(); ++k)
            EXPECT_LT(numbers[k - 1], numbers[k]);
    }
    EXPECT_EQ(listed, 120);
}

TEST(RealPrograms, ApplesoftVectorsOfOtherTools)
{
    // These tools space keywords as we do, so the comparison is exact once their
    // line feeds are ours and their notation for control characters is undone.
    int compared = 0;
    for (const char* file : {"disks/a2kit/expected/applesoft_detokenize_vectors.jsonl",
                             "disks/diskii/expected/detokenize_vectors.jsonl"}) {
        auto vectors = ReadJsonLines(file);
        if (!vectors)
            continue;
        for (const JsonRecord& vector : *vectors) {
            if (vector.at("dialect") != "applesoft")
                continue;
            SCOPED_TRACE(vector.at("name"));
            std::vector<uint8_t> bytes = FromHex(vector.at("tokens_hex"));
            // Line ends first: an escape may stand for a line feed inside a line.
            std::string expected = DecodeEscapes(
                Replace(Replace(vector.at("expected"), "\xC2\xAB" "ctrl-D\xC2\xBB", "\x04"), "\n", "\r"));
            std::string text;
            EXPECT_TRUE(ListApplesoft(0, static_cast<int>(bytes.size()), text, bytes, kAt0801));
            EXPECT_EQ(text, expected);
            ++compared;
        }
    }
    if (compared == 0)
        GTEST_SKIP() << "no shared vectors";
    EXPECT_EQ(compared, 41);
}

TEST(RealPrograms, IntegerVectorsOfOtherTools)
{
    int compared = 0;
    for (const char* file : {"disks/a2kit/expected/integer_detokenize_vectors.jsonl",
                             "disks/diskii/expected/detokenize_vectors.jsonl"}) {
        auto vectors = ReadJsonLines(file);
        if (!vectors)
            continue;
        for (const JsonRecord& vector : *vectors) {
            if (vector.at("dialect") != "integer")
                continue;
            SCOPED_TRACE(vector.at("name"));
            std::vector<uint8_t> bytes = FromHex(vector.at("tokens_hex"));
            std::string expected = DecodeEscapes(Replace(vector.at("expected"), "\xC2\xAB" "ctrl-D\xC2\xBB", "\x04"));
            if (!expected.empty() && expected.back() != '\n')
                expected += '\n';  // diskii's listing leaves out the last line feed
            std::string text;
            EXPECT_TRUE(ListIntegerBasic(0, static_cast<int>(bytes.size()), text, bytes, 0));
            EXPECT_EQ(WithoutBlanks(text), WithoutBlanks(IntegerCharacters(expected)));
            ++compared;
        }
    }
    if (compared == 0)
        GTEST_SKIP() << "no shared vectors";
    EXPECT_EQ(compared, 26);
}

TEST(RealPrograms, IntegerListingMatchesTheRomListOfIntTest)
{
    auto rom = ReadText("disks/ciderpress2/expected/INT_TEST.LIST.txt");
    auto program = ReadBytes("programs/integer/ciderpress2_dos-files__INT_TEST.dos33");
    if (!rom || !program)
        GTEST_SKIP() << "no INT TEST";
    std::string text;
    EXPECT_TRUE(ListIntegerBasic(2, static_cast<int>(program->size()), text, *program, 0));
    std::vector<std::string> ours = SplitLines(text, '\n');
    std::vector<std::string> theirs = SplitLines(*rom, '\n');
    ASSERT_EQ(ours.size(), 30u);
    ASSERT_EQ(ours.size(), theirs.size());
    for (size_t k = 0; k < ours.size(); ++k) {
        SCOPED_TRACE(theirs[k]);
        EXPECT_EQ(WithoutBlanks(ours[k]), WithoutBlanks(IntegerCharacters(theirs[k])));
    }
}

TEST(RealPrograms, ApplesoftListingsMatchTheTokenizedSources)
{
    // The appleiibot programs were tokenized from these sources, typed without
    // blanks and with ? for PRINT.
    auto programs = ReadJsonLines("programs/programs.jsonl");
    if (!programs)
        GTEST_SKIP() << "no shared programs";
    int compared = 0;
    for (const JsonRecord& program : *programs) {
        const std::string& file = program.at("file");
        const std::string prefix = "applesoft/dos33fsprogs_appleiibot__";
        if (file.rfind(prefix, 0) != 0)
            continue;
        const std::string name = file.substr(prefix.size(), file.size() - prefix.size() - 6);
        auto source = ReadText("disks/dos33fsprogs/sources/appleiibot/" + name + ".txt");
        if (!source)
            continue;
        SCOPED_TRACE(name);
        auto bytes = ReadBytes("programs/" + file);
        ASSERT_TRUE(bytes);
        Listed listing = ListProgram(program, *bytes);
        EXPECT_TRUE(listing.ok);

        // Upper-case the source, drop its blanks and line ends, and spell ? as
        // PRINT where it is a statement (outside quotes and REM text).
        std::string typed;
        bool quoted = false;
        bool remark = false;
        for (size_t k = 0; k < source->size(); ++k) {
            char c = static_cast<char>(std::toupper(static_cast<unsigned char>((*source)[k])));
            if (c == '\n' || c == '\r') {
                quoted = remark = false;
                continue;
            }
            if (c == ' ' || c == '\t')
                continue;
            if (c == '"' && !remark)
                quoted = !quoted;
            if (!quoted && !remark && typed.size() >= 2 && typed.substr(typed.size() - 2) == "RE" && c == 'M')
                remark = true;
            if (c == '?' && !quoted && !remark)
                typed += "PRINT";
            else
                typed += c;
        }
        std::string ours;
        for (char c : Replace(listing.text, "\r", ""))
            ours += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(WithoutBlanks(ours), typed);
        ++compared;
    }
    if (compared == 0)
        GTEST_SKIP() << "no shared sources";
    EXPECT_EQ(compared, 35);
}
