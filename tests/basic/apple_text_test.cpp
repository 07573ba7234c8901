// Apple text conversion and the removal of spaces.
#include "basic/apple_text.h"
#include "basic/remove_spaces.h"

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

TEST(RemoveSpaces, OutsideQuotationMarksOnly)
{
    struct Row {
        const char* name;
        std::string selection;
        std::string expected;
    };
    const Row rows[] = {
        {"quoted text keeps its spaces", "10 PRINT \"A B\"", "10PRINT\"A B\""},
        {"a trailing space goes too", "20 GOTO 10 ", "20GOTO10"},
        {"odd quotation mark keeps every later space", "30 A$ = \"X Y\" : B$ = \"P Q", "30A$=\"X Y\":B$=\"P Q"},
        {"quotes pair up across line ends", "40 PRINT \"A\r50 X = 1\" : Y = 2", "40PRINT\"A\r50 X = 1\":Y=2"},
        {"REM and DATA lose theirs too", "60 REM A B\r70 DATA 1, 2", "60REMAB\r70DATA1,2"},
        {"empty selection", "", ""},
        {"only spaces", "   ", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RemoveSpaces(row.selection), row.expected);
    }
}
