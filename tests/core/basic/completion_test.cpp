// Completion: the word before the caret and its candidates in each place.
#include "core/basic/completion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kProgram = "10 PLAYER = 1: PLACE$ = \"A\": DIM SC%(5)\r"
                             "20 FOR I = 1 TO 10: PRINT \"PLUM\": NEXT I\r"
                             "30 GOTO 10\r"
                             "100 REM PLANET\r";

}  // namespace

TEST(Completion, CandidatesInEachPlace)
{
    struct Row {
        const char* name;
        BasicLanguage language;
        std::string text;
        size_t caret;  // npos: at the end
        const char* typed;
        std::vector<std::string> candidates;
    };
    const size_t end = std::string::npos;
    const Row rows[] = {
        {"keywords and variables, not strings or remarks", BasicLanguage::Applesoft, kProgram + "40 PL", end, "PL",
         {"PLACE$", "PLAYER", "PLOT"}},
        {"line numbers after GOTO", BasicLanguage::Applesoft, kProgram + "40 GOTO 1", end, "1", {"10", "100"}},
        {"no names after GOTO", BasicLanguage::Applesoft, kProgram + "40 GOTO P", end, "P", {}},
        {"in ON's list", BasicLanguage::Applesoft, kProgram + "40 ON I GOSUB 10,3", end, "3", {"30"}},
        {"a statement after THEN", BasicLanguage::Applesoft, kProgram + "40 IF I THEN PO", end, "PO",
         {"POKE", "POP", "POS"}},
        {"a line number after THEN", BasicLanguage::Applesoft, kProgram + "40 IF I THEN 2", end, "2", {"20"}},
        {"an array of integers", BasicLanguage::Applesoft, kProgram + "40 X = SC", end, "SC",
         {"SC%", "SCALE=", "SCRN("}},
        {"the word at the caret is none of the program's", BasicLanguage::Applesoft, kProgram + "40 ZEBRA", 2 + kProgram.size() + 3,
         "ZE", {}},
        {"a line number run into the word", BasicLanguage::Applesoft, kProgram + "40PL", end, "PL",
         {"PLACE$", "PLAYER", "PLOT"}},
        {"Integer: an expression after GOTO", BasicLanguage::Integer, "10 N = 5: NAME$ = \"A\"\n20 GOTO N", end, "N",
         {"N", "NAME$", "NEW", "NEXT", "NODSP", "NOT", "NOTRACE"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const size_t caret = row.caret == end ? row.text.size() : row.caret;
        const Completion completion = CompleteAt(row.text, caret, row.language);
        EXPECT_EQ(completion.typed, row.typed);
        EXPECT_EQ(completion.wordStart + completion.typed.size(), caret);
        std::vector<std::string> texts;
        for (const CompletionCandidate& candidate : completion.candidates) texts.push_back(candidate.text);
        EXPECT_EQ(texts, row.candidates);
    }
    const Completion lines = CompleteAt(kProgram + "40 GOSUB ", kProgram.size() + 9, BasicLanguage::Applesoft);
    ASSERT_EQ(lines.candidates.size(), 5u);
    EXPECT_EQ(lines.candidates[0].detail, "PLAYER = 1: PLACE$ = \"A\": DIM");
    EXPECT_EQ(lines.candidates[4].detail, "REM PLANET");
    const Completion array = CompleteAt(kProgram + "SC", kProgram.size() + 2, BasicLanguage::Applesoft);
    EXPECT_EQ(array.candidates[0].detail, "integer array");
}
