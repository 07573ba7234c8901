// The tokenizer against the Apple's own rules, and against every real program:
// a program's listing read back gives the program's bytes.
#include "core/basic/applesoft_tokenizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "core/basic/applesoft_listing.h"
#include "tests/support/shared_data.h"

using namespace shared_data;

namespace {

using Bytes = std::vector<uint8_t>;

// The contents of the only line of a program, between its number and its terminator.
std::string Contents(const Bytes& program)
{
    if (program.size() < 7)
        return "<no line>";
    return std::string(program.begin() + 4, program.end() - 3);
}

std::string TypedLine(const std::string& line) { return Contents(TokenizeApplesoft(line)); }

}  // namespace

TEST(ApplesoftTokenizer, TheRulesOfTheRom)
{
    // Keywords are found inside names, spaces ignored within them.
    EXPECT_EQ(TypedLine("10 SCORE = 5"), "SC\xCE" "E\xD0" "5");
    EXPECT_EQ(TypedLine("10 IF X = LE THEN 20"), "\xADX\xD0\xAA" "HEN20");
    EXPECT_EQ(TypedLine("10 G O T O 20"), "\xAB" "20");
    // Lower case is not upper case to the ROM.
    EXPECT_EQ(TypedLine("10 print x"), "printx");
    // AT gives way to ATN and to TO when N or O follows it at once.
    EXPECT_EQ(TypedLine("10 X = ATN(1)"), "X\xD0\xE1(1)");
    EXPECT_EQ(TypedLine("10 FOR I = A TO B"), "\x81I\xD0" "A\xC1" "B");
    EXPECT_EQ(TypedLine("10 HLIN 1,2 AT 3"), "\x8E" "1,2\xC5" "3");
    EXPECT_EQ(TypedLine("10 HLIN 1,2 AT N"), "\x8E" "1,2\xC5N");
    // "?" is PRINT; digits, ":" and ";" never start a keyword.
    EXPECT_EQ(TypedLine("10 ? 1;2:?"), "\xBA" "1;2:\xBA");
    // Strings, remarks and DATA keep their spaces; DATA ends at a colon.
    EXPECT_EQ(TypedLine("10 PRINT \"A  TO B\""), "\xBA\"A  TO B\"");
    EXPECT_EQ(TypedLine("10 DATA  A B ,\"C:D\", ? :PRINT 1"), "\x83  A B ,\"C:D\", ? :\xBA" "1");
    EXPECT_EQ(TypedLine("10 REM  GOTO \"X"), "\xB2  GOTO \"X");
    EXPECT_EQ(TypedLine("10 PRINT \"OPEN END"), "\xBA\"OPEN END");
    // The number may hold spaces; the high bit goes; a NUL ends the line.
    EXPECT_EQ(TypedLine("1 0 END"), "\x80");
    EXPECT_EQ(TokenizeApplesoft("1 0 END")[2], 10);
    EXPECT_EQ(TypedLine("10 \xC1=1"), "A\xD0" "1");
    EXPECT_EQ(TypedLine(std::string("10 A=1\0:END", 11)), "A\xD0" "1");
}

TEST(ApplesoftTokenizer, AListingReadsBackAsItsProgram)
{
    // The listing's space after REM and DATA is its own; a name beside a
    // keyword does not join it (the Apple, typing this listing, would read
    // "REX PRINT" as R EXP R INT).
    for (const char* typed : {"10 REM X\r20 DATA 1, 2\r30 RE X?", "10 REMX:DATA:PRINT"}) {
        SCOPED_TRACE(typed);
        const Bytes program = TokenizeApplesoft(typed);
        std::string listing;
        ASSERT_TRUE(ListApplesoft(0, static_cast<int>(program.size()), listing, program, kApplesoftLoadAddress));
        EXPECT_EQ(TokenizeApplesoft(listing, kApplesoftLoadAddress, ApplesoftText::Listing), program);
    }
    EXPECT_EQ(Contents(TokenizeApplesoft("10 RE X PRINT", kApplesoftLoadAddress, ApplesoftText::Typed)), "R\xDDR\xD3");
}

TEST(ApplesoftTokenizer, LinesAsTheApplesoftPromptTakesThem)
{
    std::vector<TokenizeNote> notes;
    // Line 9 loses its first 256 characters and then holds no number.
    const std::string text = "20 END\r\n10 HOME\n30 A\r64000 B\rPRINT\r20 STOP\n30\r  \r5 " + std::string(250, 'X') +
                             "\r9 " + std::string(254, 'Y') + "A=1";
    const Bytes program = TokenizeApplesoft(text, 0x0801, ApplesoftText::Typed, &notes);
    // 5 (cut to the buffer), 10, 20 (the later one); 30 deleted.
    ASSERT_GE(program.size(), 250u);
    EXPECT_EQ(program[0] | (program[1] << 8), 0x0801 + 4 + (kInputBufferChars - 2) + 1);
    EXPECT_EQ(program[2], 5);
    const size_t second = 4 + (kInputBufferChars - 2) + 1;
    EXPECT_EQ(Bytes(program.begin() + static_cast<long>(second), program.end()),
              (Bytes{0x00 + static_cast<uint8_t>((0x0801 + second + 6) & 0xFF), static_cast<uint8_t>((0x0801 + second + 6) >> 8), 10, 0, 0x97, 0,
                     static_cast<uint8_t>((0x0801 + second + 12) & 0xFF), static_cast<uint8_t>((0x0801 + second + 12) >> 8), 20, 0, 0xB3, 0, 0, 0}));
    const std::vector<std::pair<int, TokenizeNoteKind>> expected = {
        {3, TokenizeNoteKind::NumberTooLarge}, {4, TokenizeNoteKind::NoLineNumber}, {8, TokenizeNoteKind::LineCut},
        {9, TokenizeNoteKind::LineCancelled}, {9, TokenizeNoteKind::NoLineNumber}};
    ASSERT_EQ(notes.size(), expected.size());
    for (size_t k = 0; k < notes.size(); ++k)
        EXPECT_EQ(std::make_pair(notes[k].line, notes[k].kind), expected[k]);
    EXPECT_EQ(TokenizeApplesoft(""), (Bytes{0, 0}));
    // Links do not wrap past $FFFF: a line that would cross it is not stored.
    notes.clear();
    const Bytes full = TokenizeApplesoft("1 REM\r2 REM" + std::string(200, 'X'), 0xFF80, ApplesoftText::Typed, &notes);
    EXPECT_EQ(full, (Bytes{0x86, 0xFF, 1, 0, 0xB2, 0, 0, 0}));
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].kind, TokenizeNoteKind::OutOfMemory);
}

TEST(ApplesoftTokenizer, EveryRealProgramReadsBackFromItsListing)
{
    // The programs that cannot: RENUMBER was saved from another address than
    // $0801 and carries machine code after its end link; BIN.BAS keeps bytes of
    // $EB and above in a REM, which no typing gives; ALL.TOKENS has carriage
    // returns in a REM, which end the line when the listing is read.
    const std::map<std::string, std::string> exceptions = {
        {"applesoft/ciderpress2_dos-files__ALL.TOKENS.dos33", "carriage returns in a REM"},
        {"applesoft/diskii_dos33test__RENUMBER.dos33", "not at $0801, machine code after the program"},
        {"applesoft/dos33fsprogs_appleiibot__BIN.BAS.dos33", "bytes of $EB and above"}};
    auto programs = ReadJsonLines("programs/programs.jsonl");
    if (!programs)
        GTEST_SKIP() << "no shared programs";
    int readBack = 0;
    for (const JsonRecord& program : *programs) {
        if (program.at("language") != "applesoft")
            continue;
        const std::string& file = program.at("file");
        SCOPED_TRACE(file);
        auto bytes = ReadBytes("programs/" + file);
        ASSERT_TRUE(bytes);
        const bool dos33 = program.at("dos33_length_header") == "true";
        const int load = dos33 ? kApplesoftLoadAddress : std::stoi(program.at("load_address"));
        std::string listing;
        ListApplesoft(dos33 ? 2 : 0, static_cast<int>(bytes->size()), listing, *bytes, load);
        Bytes stored(bytes->begin() + (dos33 ? 2 : 0), bytes->end());
        if (dos33)
            stored.resize(std::min<size_t>(stored.size(), (*bytes)[0] | ((*bytes)[1] << 8)));
        const Bytes back = TokenizeApplesoft(listing, load, ApplesoftText::Listing);
        // A file often holds one byte more than its program: whatever memory
        // held just past the end link when it was saved.
        const bool same = back.size() <= stored.size() && stored.size() <= back.size() + 1 &&
                          std::equal(back.begin(), back.end(), stored.begin());
        EXPECT_EQ(same, !exceptions.contains(file));
        readBack += same ? 1 : 0;
    }
    EXPECT_GE(readBack, 50);
}
