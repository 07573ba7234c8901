// Check Program's findings on the lines that go wrong on the way into an
// Apple II, and the program's place in memory.
#include "core/basic/program_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/basic/integer_listing.h"
#include "tests/support/shared_data.h"

namespace {

struct Seen {
    FindingKind kind;
    int line;
    std::string problem;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> Findings(const std::string& text)
{
    std::vector<Seen> seen;
    for (const ProgramFinding& f : CheckApplesoftProgram(text).findings) seen.push_back({f.kind, f.line, f.problem});
    return seen;
}

void PrintTo(const Seen& s, std::ostream* os) { *os << s.line << ": " << s.problem; }

}  // namespace

// Keywords the ROM finds inside names, across spaces, and lower-case ones it
// does not find; strings, remarks, DATA, FN names and lines typed without
// spaces are left alone.
TEST(ProgramCheck, LinesThatListOtherwiseThanTyped)
{
    const std::string text =
        "10 SCORE = 5\r\n"
        "20 IF X = LE THEN 10\r\n"
        "30 PRINT TOTAL\r\n"
        "40 FORI=1TO9:PRINTI:IFA=BTHENC=2\r\n"
        "50 X = FNA(2) : PRINT \"SCORE\" : REM SCORE\r\n"
        "60 DATA SCORE, TOTAL\r\n"
        "70 print \"hi\"\r\n"
        "80 x = 1 : PRINT a : ?X : REMARKS\r\n"
        "90 THEREMIN = 1";
    EXPECT_EQ(Findings(text), (std::vector<Seen>{
                                  {FindingKind::ListsDifferently, 0, "Lists differently: OR inside a name"},
                                  {FindingKind::ListsDifferently, 1, "Lists differently: LET across a space"},
                                  {FindingKind::ListsDifferently, 2, "Lists differently: TO running into a name"},
                                  {FindingKind::LowerCase, 6, "Lower-case keywords are not recognised"},
                                  {FindingKind::ListsDifferently, 8, "Lists differently: REM inside a name"},
                              }));
    const ProgramCheck check = CheckApplesoftProgram(text);
    EXPECT_EQ(check.findings[0].typed, "10 SCORE = 5");
    EXPECT_EQ(check.findings[0].listed, "10 SC OR E = 5");
    EXPECT_EQ(check.findings[1].listed, "20  IF X =  LET HEN10");
    EXPECT_EQ(check.findings[1].offset, 14u);  // where the caret goes
    EXPECT_EQ(check.findings[3].listed, "70 print\"hi\"");
}

TEST(ProgramCheck, LinesTheAppleDoesNotStoreWhole)
{
    const std::string cut = "40 REM " + std::string(240, 'A');
    const std::string text = "64000 PRINT\n" "PRINT 1\n" + cut + "\n" + std::string(300, 'B') + "\n50 END";
    EXPECT_EQ(Findings(text),
              (std::vector<Seen>{
                  {FindingKind::NumberTooLarge, 0, "Line number above 63999: not stored"},
                  {FindingKind::NoLineNumber, 1, "No line number: run at once, not stored"},
                  {FindingKind::LineCut, 2, "Longer than the input buffer: the end is cut"},
                  {FindingKind::LineCancelled, 3, "256 characters or more: the Apple cancels the line"},
                  // what follows the 256th character is a line of its own, without a number
                  {FindingKind::NoLineNumber, 3, "No line number: run at once, not stored"},
              }));
    const std::string listed = CheckApplesoftProgram(text).findings[2].listed;
    EXPECT_EQ(std::count(listed.begin(), listed.end(), 'A'), 239 - 7);
}

// The last line of a number wins, a number alone deletes, and lines typed
// out of order are sorted.
TEST(ProgramCheck, DuplicateNumbersAndOrder)
{
    const std::string text = "10 PRINT \"A\"\r30 GOTO 10\r20 PRINT \"B\"\r10 PRINT \"C\"\r30\r";
    EXPECT_EQ(Findings(text), (std::vector<Seen>{
                        {FindingKind::Replaced, 0, "Line 10 again at line 4 of the text: this one is replaced"},
                        {FindingKind::Replaced, 1,
                         "Line 30 again at line 5 of the text, a number alone: this one is deleted"},
                        {FindingKind::OutOfOrder, 2, "Out of order: after line 30"},
                        {FindingKind::OutOfOrder, 3, "Out of order: after line 20"},
                    }));
    const ProgramCheck check = CheckApplesoftProgram(text);
    EXPECT_EQ(check.storedLines, 2);
    EXPECT_EQ(check.bytes, 9u + 9u + 2u);  // two records of PRINT and a 1-letter string, and the end link
}

TEST(ProgramCheck, JumpsToLinesThatDoNotExist)
{
    EXPECT_EQ(Findings("10 GOTO 20\n"
                       "20 GOSUB 100: IF X THEN 30\n"
                       "30 ON X GOTO 10,45,20 : ON Y GOSUB 50\n"
                       "40 REM GOTO 99\n"
                       "50 IF X THEN PRINT : GOTO 1 0\n"
                       "60 ONERR GOTO 9000\n"
                       "70 GOTO 77\n"
                       "70 END"),
              (std::vector<Seen>{
                  {FindingKind::MissingTarget, 1, "GOSUB 100: there is no line 100"},
                  {FindingKind::MissingTarget, 2, "GOTO 45: there is no line 45"},
                  {FindingKind::MissingTarget, 5, "GOTO 9000: there is no line 9000"},
                  {FindingKind::Replaced, 6, "Line 70 again at line 8 of the text: this one is replaced"},
              }));
}

TEST(ProgramCheck, PlaceInMemoryAgainstTheGraphicsPagesAndHimem)
{
    EXPECT_EQ(DescribeProgramPlace(20), "20 bytes at $0801-$0814: clear of HGR page 1 ($2000-$3FFF), "
                                        "HGR page 2 ($4000-$5FFF) and HIMEM ($9600 with DOS)");
    EXPECT_NE(DescribeProgramPlace(0x17FF).find("$0801-$1FFF: clear of HGR page 1"), std::string::npos);
    EXPECT_EQ(DescribeProgramPlace(0x1800), "6144 bytes at $0801-$2000: runs into HGR page 1 ($2000-$3FFF); "
                                            "clear of HGR page 2 ($4000-$5FFF) and HIMEM ($9600 with DOS)");
    EXPECT_EQ(DescribeProgramPlace(0x9000), "36864 bytes at $0801-$9800: runs into HGR page 1 ($2000-$3FFF), "
                                            "HGR page 2 ($4000-$5FFF) and HIMEM ($9600 with DOS)");
}

// Applesoft tells names apart by two characters, makes an array DIM did not
// with indexes up to 10, and stops at a NEXT whose loop never began.
TEST(ProgramCheck, VariablesThatAreNotWhatTheySeem)
{
    EXPECT_EQ(Findings("10 PLAYER = 1: PLACE = 2: DIM B(20)\n"
                       "20 PRINT PLAYER; A(11); B(15); C$(3); \"PLUM\": REM PLUTO\n"
                       "30 FOR I = 1 TO 3: NEXT I: NEXT J\n"
                       "40 PLAYER$ = \"X\": PLANE(1) = 0: PLACE(2) = 1: A(12) = 0: A(11) = 1\n"),
              (std::vector<Seen>{
                  {FindingKind::SameVariable, 0,
                   "PLAYER and PLACE are one variable: Applesoft reads only PL (PLAYER in 10, 20; PLACE in 10)"},
                  {FindingKind::ArrayWithoutDim, 1, "A(11): no DIM makes A(), so its largest index is 10"},
                  {FindingKind::NextWithoutFor, 2, "NEXT J: no FOR opens J"},
                  {FindingKind::SameVariable, 3,
                   "PLANE() and PLACE() are one array: Applesoft reads only PL() (PLANE() in 40; PLACE() in 40)"},
                  {FindingKind::ArrayWithoutDim, 3, "A(12): no DIM makes A(), so its largest index is 10"},
              }));
}

TEST(ProgramCheck, IntegerLinesTheRomRefusesOrMisplaces)
{
    const std::string text = "10 PRINT \"HI\"\n20 GOTO 40\n30 X=\n10 END\n5 GOSUB 20: GOTO X*10\n40000 END\nPRINT 1\n";
    std::vector<Seen> seen;
    const ProgramCheck check = CheckIntegerProgram(text);
    for (const ProgramFinding& f : check.findings) seen.push_back({f.kind, f.line, f.problem});
    EXPECT_EQ(seen, (std::vector<Seen>{
                        {FindingKind::Replaced, 0, "Line 10 again at line 4 of the text: this one is replaced"},
                        {FindingKind::MissingTarget, 1, "GOTO 40: there is no line 40"},
                        {FindingKind::SyntaxError, 2, "SYNTAX ERR: the Apple does not store this line"},
                        {FindingKind::OutOfOrder, 3, "Out of order: after line 20"},
                        {FindingKind::OutOfOrder, 4, "Out of order: after line 10"},
                        {FindingKind::NumberTooLarge, 5, "A number above 32767 (>32767 ERR): not stored"},
                        {FindingKind::NoLineNumber, 6, "No line number: run at once, not stored"},
                    }));
    EXPECT_EQ(check.storedLines, 3);
    EXPECT_EQ(check.findings[1].listed, "20 GOTO 40");
    EXPECT_EQ(DescribeProgramPlace(check.bytes, BasicLanguage::Integer),
              "28 bytes at $95E4-$95FF, below HIMEM ($9600 with DOS): clear of HGR page 2 ($4000-$5FFF), "
              "HGR page 1 ($2000-$3FFF) and LOMEM ($0800)");
    // Past the room between LOMEM and HIMEM, the line that crosses it.
    std::string big;
    for (int n = 1; n <= 200; ++n) big += std::to_string(n) + " REM " + std::string(180, 'X') + "\n";
    const ProgramCheck full = CheckIntegerProgram(big);
    ASSERT_EQ(full.findings.size(), 1u);
    EXPECT_EQ(full.findings[0].kind, FindingKind::OutOfMemory);
    EXPECT_EQ(full.findings[0].line, 0x8E00 / (180 + 1 + 4));
    EXPECT_NE(DescribeProgramPlace(full.bytes, BasicLanguage::Integer).find("runs into HGR page 2 ($4000-$5FFF), "
                                                                               "HGR page 1 ($2000-$3FFF) and LOMEM"),
              std::string::npos);
}

TEST(ProgramCheck, IntegerProgramWithALineTheRomRefuses)
{
    // INT TEST's line 280 holds a quote inside a string, put there by hand.
    auto program = shared_data::ReadBytes("programs/integer/ciderpress2_dos-files__INT_TEST.dos33");
    if (!program) GTEST_SKIP() << "no INT TEST";
    std::string listing;
    ListIntegerBasic(2, static_cast<int>(program->size()), listing, *program, 0);
    const ProgramCheck check = CheckIntegerProgram(listing);
    ASSERT_EQ(check.findings.size(), 1u);
    EXPECT_EQ(check.findings[0].kind, FindingKind::SyntaxError);
    EXPECT_EQ(check.findings[0].typed.substr(0, 4), "280 ");
    EXPECT_EQ(check.storedLines, 29);
}
