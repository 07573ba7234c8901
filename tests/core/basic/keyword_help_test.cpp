// The keyword help: a row for every Applesoft token and Integer BASIC word
// of the token tables, and the keyword under the caret found as the ROM
// finds keywords.
#include "core/basic/keyword_help.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/basic/applesoft_tokens.h"
#include "core/basic/integer_tokens.h"

TEST(KeywordHelp, EveryTokenAndWordHasOneRow)
{
    const auto table = KeywordHelpTable();
    for (int k = 0; k < kApplesoftTokenCount; ++k) {
        SCOPED_TRACE(kApplesoftTokens[k]);
        ASSERT_EQ(table[k].language, BasicLanguage::Applesoft);
        EXPECT_EQ(table[k].token, 0x80 + k);
        EXPECT_STREQ(table[k].keyword, kApplesoftTokens[k]);
    }
    // Integer BASIC's words as its table lists them; RNDX is listed for a
    // token that typing never makes (RNDX(0) is an array named RNDX).
    std::set<std::string> words, rows;
    for (const char* entry : kIntegerTokens) {
        std::string word = entry;
        word.erase(0, word.find_first_not_of(' '));
        word.erase(word.find_last_not_of(' ') + 1);
        if (word.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos && word != "RNDX") words.insert(word);
    }
    for (const KeywordHelp& row : table) {
        SCOPED_TRACE(row.keyword);
        if (row.language == BasicLanguage::Integer) EXPECT_TRUE(rows.insert(row.keyword).second);
        EXPECT_NE(std::string(row.syntax).find(row.keyword), std::string::npos);
        EXPECT_EQ(std::string(row.syntax).find('\n'), std::string::npos);
        EXPECT_EQ(std::string(row.summary).find('\n'), std::string::npos);
        EXPECT_EQ(FindKeywordHelp(row.keyword, row.language), &row);
    }
    EXPECT_EQ(rows, words);
    EXPECT_EQ(table.size(), static_cast<size_t>(kApplesoftTokenCount) + words.size());
    EXPECT_EQ(FindKeywordHelp("print", BasicLanguage::Applesoft)->token, 0xBA);
    EXPECT_EQ(KeywordHelpText(*FindKeywordHelp("POP", BasicLanguage::Applesoft)),
              "POP  (token $A1)\r\nPOP\r\nForgets the last GOSUB, so the next RETURN goes back to the one before it.");
}

TEST(KeywordHelp, TheKeywordUnderTheCaret)
{
    struct Row {
        const char* name;
        BasicLanguage language;
        const char* line;
        size_t column;
        const char* keyword;  // nullptr: none
        size_t start, end;
    };
    constexpr BasicLanguage kA = BasicLanguage::Applesoft;
    constexpr BasicLanguage kI = BasicLanguage::Integer;
    const Row rows[] = {
        {"ATN is not AT", kA, "10 PRINT ATN(1)", 10, "ATN", 9, 12},
        {"A TO is not AT", kA, "10 HPLOT 0,0 TO X,Y", 14, "TO", 13, 15},
        {"OR inside SCORE", kA, "10 SCORE = 1", 5, "OR", 5, 7},
        {"across blanks, caret right after", kA, "10 GO TO 20", 8, "GOTO", 3, 8},
        {"? is PRINT", kA, "10 ? X", 3, "PRINT", 3, 4},
        {"lower case helped too", kA, "10 home", 5, "HOME", 3, 7},
        {"inside a string", kA, "10 PRINT \"GOTO\"", 11, nullptr, 0, 0},
        {"inside a remark", kA, "10 REM GOTO", 8, nullptr, 0, 0},
        {"on a name", kA, "10 X = 1", 3, nullptr, 0, 0},
        {"Integer: a function in a statement", kI, "10 IF A THEN PRINT LEN(A$)", 20, "LEN(", 19, 23},
        {"Integer: THEN", kI, "10 IF A THEN 20", 9, "THEN", 8, 12},
        {"Integer: a line being typed", kI, "10 GOTO", 5, "GOTO", 3, 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const KeywordAtCaret found = KeywordUnderCaret(row.line, row.column, row.language);
        if (row.keyword == nullptr) {
            EXPECT_EQ(found.help, nullptr);
            continue;
        }
        ASSERT_NE(found.help, nullptr);
        EXPECT_STREQ(found.help->keyword, row.keyword);
        EXPECT_EQ(found.start, row.start);
        EXPECT_EQ(found.end, row.end);
    }
}
