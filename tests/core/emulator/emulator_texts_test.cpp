// The emulator link's decisions and texts: name matching, Run, keywords and
// the program list.
#include "core/emulator/emulator_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct MatchRow {
    const char* name;
    std::vector<std::string> names;
    std::vector<std::string> titles;
    std::optional<size_t> found;
};

TEST(EmulatorNames, TheFirstNameInKeyOrderWithAWindowWins)
{
    const std::vector<std::string> defaults = {"Enhanced Apple //e Emulator", "Apple //e Emulator"};
    const MatchRow rows[] = {
        {"nothing running", defaults, {"TAVO - Untitled", "Program Manager"}, std::nullopt},
        {"name 1 beats name 2 whatever the window order", defaults,
         {"Apple //e Emulator", "x", "Enhanced Apple //e Emulator"}, 2},
        {"name 2 alone", defaults, {"", "Apple //e Emulator"}, 1},
        {"first of two equal titles", {"E"}, {"E", "E"}, 0},
        {"trailing space", {"Apple ][ Emulator"}, {"Apple ][ Emulator "}, std::nullopt},
        {"other letter case", {"Apple ][ Emulator"}, {"apple ][ emulator"}, std::nullopt},
        {"a partial title", {"Apple ][ Emulator"}, {"Apple ][ Emulator - Running"}, std::nullopt},
        {"an empty name never finds an untitled window", {"", "B"}, {"", "B"}, 1},
        {"a missing key never finds its own text", {"INI not found!"}, {"INI not found!"}, std::nullopt},
        {"no names", {}, {"Apple //e Emulator"}, std::nullopt},
    };
    for (const MatchRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(FindEmulatorTitle(row.names, row.titles), row.found);
    }
}

TEST(EmulatorTexts, RunAndSaveFrameTheProgramWithSingleCarriageReturns)
{
    struct Row {
        const char* name;
        const char* program;
        const char* run;
    };
    const Row rows[] = {
        {"CR LF lines ending in a break", "10 PRINT 1\r\n20 END\r\n", "NEW\r10 PRINT 1\r20 END\r\rRUN\r\n"},
        {"no final break", "10 PRINT 1\r\n20 END", "NEW\r10 PRINT 1\r20 END\rRUN\r\n"},
        {"CR lines are kept", "10 A\r20 B\r", "NEW\r10 A\r20 B\r\rRUN\r\n"},
        {"a lone LF and LF CR stay", "10 A\n20 B\n\r", "NEW\r10 A\n20 B\n\r\rRUN\r\n"},
        {"CR CR LF loses one LF only", "10 A\r\r\n", "NEW\r10 A\r\r\rRUN\r\n"},
        {"empty document", "", "NEW\r\rRUN\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RunProgramText(row.program), row.run);
    }
    EXPECT_EQ(SaveProgramText("10 END\r\n", "/DISK/HELLO"), "NEW\r10 END\r\rSAVE /DISK/HELLO\r\n");
    EXPECT_EQ(SaveProgramText("10 END", ""), "NEW\r10 END\rSAVE \r\n");
}

TEST(EmulatorTexts, ProgramListHasOneLinePerWindowAndQuestionMarksForNoTitle)
{
    const std::string header =
        "The following is a list of all the programs running at this time.\n"
        "A ? denotes a program with an unknown name.\n" +
        std::string(65, '-') + "\n\n";
    EXPECT_EQ(ProgramListText({}), header);
    EXPECT_EQ(ProgramListText({"TAVO - Untitled", "", "Apple //e Emulator"}),
              header + "TAVO - Untitled\n?\nApple //e Emulator\n");
    const std::string longTitle(300, 'T');
    EXPECT_EQ(ProgramListText({longTitle}), header + std::string(260, 'T') + "\n");
}

}  // namespace
