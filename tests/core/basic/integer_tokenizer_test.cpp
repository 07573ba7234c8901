// The Integer BASIC tokenizer: each place a word or mark takes its own token
// in, the lines the ROM refuses, and every real program read back from its
// listing.
#include "core/basic/integer_tokenizer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/basic/integer_listing.h"
#include "core/basic/integer_tokens.h"
#include "core/disk/apple_path.h"
#include "core/disk/dos33.h"
#include "core/disk/file_type_codes.h"
#include "core/disk/image.h"
#include "core/disk/open_choice.h"
#include "core/disk/prodos.h"
#include "tests/support/shared_data.h"

using namespace shared_data;

namespace {

using Bytes = std::vector<uint8_t>;

// Expected tokens in a short notation: hex bytes for tokens, 'TEXT' for
// characters with the high bit, #N for a constant (its first digit as
// written, then the value).
Bytes Tokens(const std::string& notation)
{
    Bytes out;
    for (size_t k = 0; k < notation.size();) {
        const char c = notation[k];
        if (c == ' ') {
            ++k;
        } else if (c == '\'') {
            const size_t close = notation.find('\'', k + 1);
            for (size_t i = k + 1; i < close; ++i)
                out.push_back(static_cast<uint8_t>(notation[i] | 0x80));
            k = close + 1;
        } else if (c == '#') {
            const size_t end = notation.find(' ', k);
            const std::string digits = notation.substr(k + 1, end - k - 1);
            const int value = std::stoi(digits);
            out.insert(out.end(), {static_cast<uint8_t>(digits[0] | 0x80), static_cast<uint8_t>(value & 0xFF),
                                   static_cast<uint8_t>(value >> 8)});
            k = end == std::string::npos ? notation.size() : end;
        } else {
            out.push_back(static_cast<uint8_t>(std::stoul(notation.substr(k, 2), nullptr, 16)));
            k += 2;
        }
    }
    return out;
}

// The tokens of line 10 typed alone.
Bytes Line10(const std::string& contents)
{
    const Bytes program = TokenizeIntegerBasic("10 " + contents);
    if (program.size() < 4)
        return {};
    return Bytes(program.begin() + 3, program.end() - 1);
}

// What the listing keeps of a program: the characters below $A0 it leaves
// out of strings and remarks go, and each constant's lead byte is the first
// digit of the value it lists (a renumbered program keeps the first digit
// of the old number there). `drop` names lines left out altogether.
Bytes WhatTheListingKeeps(std::span<const uint8_t> program, const std::vector<int>& drop = {})
{
    Bytes out;
    for (size_t at = 0; at + 3 <= program.size() && program[at] >= 3;) {
        const size_t end = std::min(program.size(), at + program[at]);
        const int number = program[at + 1] | (program[at + 2] << 8);
        Bytes line(program.begin() + static_cast<std::ptrdiff_t>(at), program.begin() + static_cast<std::ptrdiff_t>(at + 3));
        bool inText = false;
        bool afterToken = true;
        for (size_t k = at + 3; k < end; ++k) {
            const uint8_t b = program[k];
            if (b < kHighBit) {
                inText = b == kRem || b == kOpenQuote || (inText && b != kCloseQuote && b != kColon);
                afterToken = b != kColon;
                line.push_back(b);
            } else if (b >= kFirstDigit && b <= kLastDigit && !inText && afterToken && k + 2 < end) {
                const int value = program[k + 1] | (program[k + 2] << 8);
                line.push_back(static_cast<uint8_t>(std::to_string(value)[0] | kHighBit));
                line.insert(line.end(), {program[k + 1], program[k + 2]});
                k += 2;
                afterToken = false;
            } else {
                if (b >= 0xA0)
                    line.push_back(b);
                afterToken = false;
            }
        }
        line[0] = static_cast<uint8_t>(line.size());
        if (std::find(drop.begin(), drop.end(), number) == drop.end())
            out.insert(out.end(), line.begin(), line.end());
        at = end;
    }
    return out;
}

struct Exception {
    const char* name;
    std::vector<int> refused;  // lines the listing cannot give back; empty: none of it
    const char* reason;
};

const Exception kExceptions[] = {
    {"S.F3D8", {}, "Integer's file type, but assembler source"},
    {"INT TEST", {280}, "a quote inside a string, put there by hand (its line 279 says so)"},
    {"color_demo_frags", {65535}, "line number 65535, above what the ROM takes"},
};

// The program's listing read back, against its bytes.
void ExpectRoundTrip(const std::string& name, std::span<const uint8_t> program)
{
    SCOPED_TRACE(name);
    std::string listing;
    ListIntegerBasic(0, static_cast<int>(program.size()), listing, program, 0);
    std::vector<IntegerNote> notes;
    const Bytes back = TokenizeIntegerBasic(listing, &notes);
    std::vector<int> refused;
    for (const IntegerNote& note : notes)
        refused.push_back(note.number);
    for (const Exception& exception : kExceptions) {
        if (name != exception.name)
            continue;
        if (exception.refused.empty()) {
            EXPECT_NE(back, WhatTheListingKeeps(program)) << exception.reason;
            return;
        }
        EXPECT_EQ(refused, exception.refused) << exception.reason;
        EXPECT_EQ(back, WhatTheListingKeeps(program, exception.refused));
        return;
    }
    EXPECT_EQ(refused, std::vector<int>{});
    EXPECT_EQ(back, WhatTheListingKeeps(program));
}

}  // namespace

TEST(IntegerTokenizer, EachPlaceHasItsToken)
{
    struct Row {
        const char* name;
        const char* typed;
        const char* tokens;
    };
    const Row rows[] = {
        {"= and # comparing numbers", "IF A=1 THEN B#2", "60 'A' 16 #1 24 'B' 17 #2"},
        {"= and # comparing strings", "IF A$=\"Y\" AND A$#B$ THEN 10", "60 'A' 40 39 28 'Y' 29 1D 'A' 40 3A 'B' 40 24 #10"},
        {"= assigning a number, an element", "LET A(2)=1:B=A(1)", "5E 'A' 2D #2 72 71 #1 03 'B' 71 'A' 2D #1 72"},
        {"= assigning a string", "A$=\"X\":B$=A$", "'A' 40 70 28 'X' 29 03 'B' 40 70 'A' 40"},
        {"= of FOR", "FOR I=1 TO 9 STEP 2:NEXT I,J", "55 'I' 56 #1 57 #9 58 #2 03 59 'I' 5A 'J'"},
        {"PRINT's , and ; before numbers, strings, nothing", "PRINT A,B,,C;D$;;;E$,\"F\"",
         "62 'A' 49 'B' 4A 49 'C' 45 'D' 40 47 47 45 'E' 40 48 28 'F' 29"},
        {"PRINT a string", "PRINT \"HI\";X;", "61 28 'HI' 29 46 'X' 47"},
        {"PRINT alone", "PRINT:PRINT", "63 03 63"},
        {"PRINT a string comparison", "PRINT A$=\"Y\"", "62 'A' 40 39 28 'Y' 29"},
        {"INPUT with a prompt", "INPUT \"N\",A$,B", "53 28 'N' 29 26 'A' 40 27 'B'"},
        {"INPUT a string", "INPUT A$", "52 'A' 40"},
        {"INPUT a number", "INPUT A(1),B$", "54 'A' 2D #1 72 26 'B' 40"},
        {"DIM a number, a string", "DIM A(5):DIM S$(9)", "4F 'A' 34 #5 72 03 4E 'S' 40 22 #9 72"},
        {"string slices", "B$=A$(1,2):C$=A$(3)", "'B' 40 70 'A' 40 2A #1 23 #2 72 03 'C' 40 70 'A' 40 2A #3 72"},
        {"function arguments", "X=PEEK(1)+SCRN(2,3)-LEN(A$)*ASC(\"A\")",
         "'X' 71 2E 3F #1 72 12 3D #2 3E #3 72 13 3B 'A' 40 72 14 3C 28 'A' 29 72"},
        {"parentheses, unary + - NOT", "X=-1--2+(+3)^NOT 4", "'X' 71 36 #1 13 36 #2 12 38 35 #3 72 20 37 #4"},
        {"operators", "X=1<2>3<=4>=5<>6 OR 7 MOD 8/9",
         "'X' 71 #1 1C #2 19 #3 1A #4 18 #5 1B #6 1E #7 1F #8 15 #9"},
        {"commas of POKE, PLOT, HLIN, VLIN", "POKE 1,2:PLOT 3,4:HLIN 5,6 AT 7:VLIN 8,9 AT 0",
         "64 #1 65 #2 03 67 #3 68 #4 03 69 #5 6A #6 6B #7 03 6C #8 6D #9 6E #0"},
        {"LIST alone, with one and two numbers", "LIST:LIST 10:LIST 10,20", "76 03 74 #10 03 74 #10 75 #20"},
        {"THEN before a line number", "IF X THEN 100", "60 'X' 24 #100"},
        {"THEN before a statement", "IF X THEN PRINT:Y=1", "60 'X' 25 63 03 'Y' 71 #1"},
        {"THEN before a name that is no statement", "IF X THEN Y", "60 'X' 24 'Y'"},
        {"GOTO and GOSUB to expressions", "GOTO 10*X:GOSUB N", "5F #10 14 'X' 03 5C 'N'"},
        {"constants keep their first digit", "X=0 07+32767", "'X' 71 B0 07 00 12 #32767"},
        {"names take digits", "X1=2", "'X1' 71 #2"},
        {"strings keep blanks, lower case, control characters", "PRINT \" a\x04\"", "61 28 A0 E1 84 29"},
        {"REM keeps its text but the listing's blank", "REM  A:B", "5D ' A:B'"},
        {"blanks count for nothing", "P R I N T X 1 ; 2 3", "62 'X1' 46 #23"},
        {"a name ends at a word that may follow it", "IF XTHEN 5:FOR I=ATOB", "60 'X' 24 #5 03 55 'I' 56 'A' 57 'B'"},
        {"a function word not followed by ( is a name", "X=RNDX(0)", "'X' 71 'RNDX' 2D #0 72"},
        {"DSP and NODSP", "DSP X:NODSP X:DSP A$", "7C 'X' 03 79 'X' 03 7B 'A' 40"},
        {"words alone", "TEXT:GR:END:RETURN:POP:TRACE:NOTRACE:CALL -936:COLOR=3:VTAB 1:TAB 2:PR#0:IN#1",
         "4B 03 4C 03 51 03 5B 03 77 03 7D 03 7A 03 4D 36 #936 03 66 #3 03 6F #1 03 50 #2 03 7E #0 03 7F #1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Line10(row.typed), Tokens(row.tokens));
    }
}

TEST(IntegerTokenizer, LinesTheRomRefuses)
{
    struct Row {
        std::string typed;
        IntegerNoteKind kind;
    };
    // Few characters, but each "+1" takes four bytes: 7 + 4 * 61 = 251 bytes
    // of tokens fill a line, one more does not fit.
    std::string longest = "10 XYZ=1";
    for (int k = 0; k < 61; ++k)
        longest += "+1";
    const Row rows[] = {
        {"10 PRINT \"A", IntegerNoteKind::SyntaxError},
        {"10 Q$=\"\"\"", IntegerNoteKind::SyntaxError},
        {"10 X=", IntegerNoteKind::SyntaxError},
        {"10 X=(1", IntegerNoteKind::SyntaxError},
        {"10 A$=1", IntegerNoteKind::SyntaxError},
        {"10 GOTO", IntegerNoteKind::SyntaxError},
        {"10 PRINT:", IntegerNoteKind::SyntaxError},
        {"10 FOR I=1", IntegerNoteKind::SyntaxError},
        {"10 IF X PRINT", IntegerNoteKind::SyntaxError},
        {"10 x=1", IntegerNoteKind::SyntaxError},
        {"10 END 5", IntegerNoteKind::SyntaxError},
        {"10 X=32768", IntegerNoteKind::NumberTooLarge},
        {"32768 END", IntegerNoteKind::NumberTooLarge},
        {"PRINT", IntegerNoteKind::NoLineNumber},
        {longest + "+1", IntegerNoteKind::LineTooLong},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        std::vector<IntegerNote> notes;
        EXPECT_EQ(TokenizeIntegerBasic(row.typed, &notes), Bytes{});
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_EQ(notes[0].kind, row.kind);
    }
    const Bytes program = TokenizeIntegerBasic(longest);
    ASSERT_EQ(program.size(), 255u);
    EXPECT_EQ(program[0], 255);
}

TEST(IntegerTokenizer, LinesAsThePromptTakesThem)
{
    // In number order; a line typed again replaces the earlier one, a number
    // alone deletes it, and a refused line leaves the earlier one in place.
    std::vector<IntegerNote> notes;
    const Bytes program = TokenizeIntegerBasic("20 END\n10 TEXT\r\n20 GR\r30 TEXT\r30\r\r10 PRINT \"", &notes);
    EXPECT_EQ(program, Tokens("05 0A 00 4B 01 05 14 00 4C 01"));
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].line, 6);
    EXPECT_EQ(notes[0].number, 10);
}

// The shared programs are every Integer BASIC file of the shared images, each
// record naming the image it came from.
TEST(IntegerTokenizer, EveryRealProgramReadsBackFromItsListing)
{
    int programs = 0;
    if (auto records = ReadJsonLines("programs/programs.jsonl")) {
        for (const JsonRecord& record : *records) {
            if (record.at("language") != "integer")
                continue;
            auto bytes = ReadBytes("programs/" + record.at("file"));
            ASSERT_TRUE(bytes && bytes->size() >= kDosLengthHeaderBytes);
            const size_t length = (*bytes)[0] | ((*bytes)[1] << 8);
            ExpectRoundTrip(record.at("apple_name"),
                            std::span<const uint8_t>(*bytes).subspan(kDosLengthHeaderBytes, length));
            ++programs;
        }
    }
    for (const char* file : {"disks/a2kit/expected/integer_detokenize_vectors.jsonl",
                             "disks/diskii/expected/detokenize_vectors.jsonl"}) {
        if (auto vectors = ReadJsonLines(file)) {
            for (const JsonRecord& vector : *vectors) {
                if (vector.at("dialect") != "integer")
                    continue;
                ExpectRoundTrip(vector.at("name"), FromHex(vector.at("tokens_hex")));
                ++programs;
            }
        }
    }
    if (programs == 0)
        GTEST_SKIP() << "no shared programs";
    EXPECT_EQ(programs, 6 + 26);
}

TEST(IntegerTokenizer, EveryIntegerFileOfTheImagesReadsBack)
{
    namespace fs = std::filesystem;
    const std::string disks = Path("disks");
    if (!fs::exists(disks))
        GTEST_SKIP() << "no shared disks";
    std::map<std::string, int> found;  // apple name -> images holding it
    for (const auto& folder : fs::directory_iterator(disks)) {
        if (!folder.is_directory())
            continue;
        for (const auto& file : fs::directory_iterator(folder.path())) {
            const std::string path = file.path().string();
            const int extension = ImageExtensionIndexOf(path);
            if (extension == 0 || !file.is_regular_file())
                continue;
            int layout = 0;
            WalkAppleImage(path, extension, layout, [&](const AppleDirectory&, const DirectoryRow& row) {
                FileEntry entry;
                const DocumentContent content = OpenImageEntry(path, layout, row.ref, false, entry);
                if (!content.opened || content.kind != DocumentKind::Integer)
                    return;
                Bytes bytes;
                size_t from = 0;
                if (layout == LayoutDos33) {
                    ReadDosFile(row.ref, path, bytes);
                    from = kDosLengthHeaderBytes;
                } else if (layout == LayoutProdosDosOrder) {
                    ReadProdosFileDosOrder(row.ref, path, bytes);
                } else {
                    ReadProdosFile(row.ref, path, bytes);
                }
                const std::string name(TrimmedName(row.name));
                ++found[name];
                const size_t length = from == 0 ? static_cast<size_t>(entry.eof) : (bytes[0] | (bytes[1] << 8));
                ExpectRoundTrip(name, std::span<const uint8_t>(bytes).subspan(from, std::min(length, bytes.size() - from)));
            });
        }
    }
    // The DOS 3.2 floppies add the programs of their era; COPY is on two disks.
    const std::map<std::string, int> expected = {
        {"ANIMALS", 1},     {"APPLE-TREK", 1},   {"APPLESOFT", 1}, {"APPLEVISION", 1}, {"BIORHYTHM", 1},
        {"BRICK OUT", 1},   {"COLOR DEMO", 1},   {"COLOR SKETCH", 1}, {"COPY", 2},     {"EXAMPLE2", 1},
        {"EXAMPLE3", 1},    {"HELLO", 5},        {"HIYA", 1},      {"INT TEST", 1},    {"PINBALL", 1},
        {"S.F3D8", 1},      {"SPACE WAR", 1},    {"SUPERMATH", 1}, {"THE INFINITE NO. OF MONKEYS", 1}};
    EXPECT_EQ(found, expected);
}
