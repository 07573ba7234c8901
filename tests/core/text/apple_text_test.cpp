// Apple text conversion and the removal of spaces.
#include "core/basic/remove_spaces.h"
#include "core/text/apple_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ConvertAppleText, OneCharacterPerByte)
{
    struct Row {
        const char* name;
        int mode;
        std::vector<uint8_t> bytes;
        std::string expected;
    };
    const Row rows[] = {
        {"DOS 3.3 line end", kDos33Text, {0xC8, 0xC9, 0x8D}, "HI\n"},
        {"DOS 3.3 control characters", kDos33Text, {0x88, 0x8C, 0x89, 0x8B, 0x87}, "\b\f\t\v\a"},
        {"DOS 3.3 low bytes are blanks", kDos33Text, {0x00, 0x41, 0x0D, 0x7F}, "    "},
        {"DOS 3.3 high-bit DEL", kDos33Text, {0xFF, 0xE1}, "\x7F" "a"},
        {"ProDOS carriage returns", kProdosText, {'A', 0x0D, 'B', 0x8D}, "A\nB\n"},
        {"ProDOS controls below $20 are blanks", kProdosText, {0x09, 0x0A, 0x00, 0x1F}, "    "},
        {"ProDOS high bit cleared", kProdosText, {0xC1, 0x89, 0xFF, 'a'}, "A\t\x7F" "a"},
        {"a NUL would end the document: blank", kDos33Text, {0x80, 0xC1}, " A"},
        {"a NUL would end the document: blank (ProDOS)", kProdosText, {0x80, 'A'}, " A"},
        {"empty", kDos33Text, {}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string text = ConvertAppleText(row.bytes, row.mode);
        EXPECT_EQ(text.size(), row.bytes.size());
        EXPECT_EQ(text, row.expected);
    }
}

// Only the spaces Applesoft would drop go: the program keeps its meaning.
TEST(RemoveSpaces, OnlyTheSpacesApplesoftIgnores)
{
    struct Row {
        const char* name;
        std::string selection;
        std::string expected;
        std::string lineBefore = {};
    };
    const Row rows[] = {
        {"quoted text keeps its spaces", "10 PRINT \"A B\"", "10PRINT\"A B\""},
        {"a trailing space goes too", "20 GOTO 10 ", "20GOTO10"},
        {"odd quotation mark keeps the rest of its line", "30 A$ = \"X Y\" : B$ = \"P Q", "30A$=\"X Y\":B$=\"P Q"},
        {"an open string ends with its line", "40 PRINT \"A\r50 X = 1 : Y = 2", "40PRINT\"A\r50X=1:Y=2"},
        {"a line feed ends a line too", "40 PRINT \"A\n50 X = 1", "40PRINT\"A\n50X=1"},
        {"REM keeps the rest of its line", "60 REM  A B\r70 X = 1", "60REM  A B\r70X=1"},
        {"DATA keeps its spaces up to a colon", "70 DATA 1, A B : PRINT 2", "70DATA 1, A B :PRINT2"},
        {"a quoted colon does not end DATA", "80 DATA \"A:B\", C D: X = 1", "80DATA \"A:B\", C D:X=1"},
        {"keywords spelled with spaces", "90 R E M X Y\r95 D A T A 1 2", "90REM X Y\r95DATA 1 2"},
        {"lower-case keywords count", "100 rem a b", "100rem a b"},
        {"REM inside a word read as FRE and ON", "110 PRINT FREMONT X", "110PRINTFREMONTX"},
        {"a selection inside a remark", "A  B", "A  B", "120 REM "},
        {"a selection inside a string", "B C\"\r130 X = 1", "B C\"\r130X=1", "120 PRINT \"A "},
        {"a selection after a keyword's first letters", "M A B", "M A B", "140 RE"},
        {"empty selection", "", ""},
        {"only spaces", "   ", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RemoveSpaces(row.selection, row.lineBefore), row.expected);
    }
}
