// The editor's jumps: the line a reference under the caret names, and the
// lines that refer to a line.
#include "core/basic/line_references.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kProgram = "10 GOTO 20\r"
                             "20 ON X GOSUB 10,30:LIST 10-20\r"
                             "30 PRINT \"GOTO 10\":GOTO 1 0:GOSUB 40\r"
                             "30 END";

size_t After(const std::string& text, const std::string& what) { return text.find(what) + what.size(); }

}  // namespace

TEST(LineReferences, TheCaretOnAReferenceNamesItsLine)
{
    struct Row {
        const char* name;
        std::string text;
        BasicLanguage language;
        size_t caret;
        long target;        // -1: the caret is on no reference
        int targetTextLine;
    };
    const std::string integer = "10 GOTO X*10\n20 GOTO 10: LIST 10 , 20\n";
    const Row rows[] = {
        {"on the digits", kProgram, BasicLanguage::Applesoft, 8, 20, 1},
        {"right after them", kProgram, BasicLanguage::Applesoft, 10, 20, 1},
        {"on the keyword", kProgram, BasicLanguage::Applesoft, 4, -1, -1},
        {"on a line's own number", kProgram, BasicLanguage::Applesoft, 12, -1, -1},
        {"in ON's list, to the last line of that number", kProgram, BasicLanguage::Applesoft,
         After(kProgram, "10,3"), 30, 3},
        {"in a string", kProgram, BasicLanguage::Applesoft, After(kProgram, "\"GOTO 1"), -1, -1},
        {"digits spread by blanks", kProgram, BasicLanguage::Applesoft, After(kProgram, ":GOTO 1 "), 10, 0},
        {"to a line no line has", kProgram, BasicLanguage::Applesoft, After(kProgram, "GOSUB 4"), 40, -1},
        {"Integer: a computed line", integer, BasicLanguage::Integer, After(integer, "X*1"), -1, -1},
        {"Integer: LIST's second line", integer, BasicLanguage::Integer, After(integer, ", 2"), 20, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CaretReference found = ReferenceAtCaret(row.text, row.caret, row.language);
        EXPECT_EQ(found.found, row.target >= 0);
        if (!found.found) continue;
        EXPECT_EQ(found.reference.target, row.target);
        EXPECT_EQ(found.targetTextLine, row.targetTextLine);
        if (row.targetTextLine >= 0)
            EXPECT_EQ(row.text.substr(found.targetStart, 3), std::to_string(row.target) + " ");
    }
}

TEST(LineReferences, LinesThatJumpHere)
{
    std::vector<std::string> seen;
    for (const JumpingLine& line : LinesThatJumpTo(kProgram, 10, BasicLanguage::Applesoft))
        seen.push_back(std::to_string(line.textLine) + " " + std::to_string(line.number) + " " +
                       ReferenceKeyword(line.reference.kind) + " " +
                       kProgram.substr(line.reference.at, line.reference.digitsEnd - line.reference.at));
    EXPECT_EQ(seen, (std::vector<std::string>{"1 20 GOSUB 10", "1 20 LIST 10", "2 30 GOTO 1 0"}));
    EXPECT_TRUE(LinesThatJumpTo(kProgram, 50, BasicLanguage::Applesoft).empty());
}
