// The keyword help: one row per Applesoft token and per Integer BASIC
// keyword, with its syntax and what it does, for the editor's help on the
// keyword under the caret and for the help file's keyword pages.
#pragma once
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "core/basic/basic_language.h"

struct KeywordHelp {
    BasicLanguage language;
    const char* keyword;  // as the ROM's token table spells it: "HCOLOR=", "TAB(", "PR#"
    int token;            // Applesoft's token byte; -1 for Integer BASIC, whose words have several
    const char* syntax;   // one line; [ ] around what may be left out, | between choices
    const char* summary;  // one line on what it does
};

// Applesoft's rows in token order ($80-$EA), then Integer BASIC's in
// alphabetical order.
std::span<const KeywordHelp> KeywordHelpTable();

// The row of `keyword` (letter case ignored), or nullptr.
const KeywordHelp* FindKeywordHelp(std::string_view keyword, BasicLanguage language);

// The keyword the caret stands in or right after, found as the ROM's
// tokenizer finds keywords (AT in ATN is not AT; SCORE holds OR), letter
// case ignored so that help also comes for a keyword typed in lower case.
// `line` is one line of the text with its number; `column` is the caret's
// index in it. An Integer BASIC line the ROM would refuse (one being typed)
// is searched word by word instead.
struct KeywordAtCaret {
    const KeywordHelp* help = nullptr;  // nullptr: no keyword there
    size_t start = 0;                   // its characters in the line
    size_t end = 0;
};
KeywordAtCaret KeywordUnderCaret(std::string_view line, size_t column, BasicLanguage language);

// The help text shown for a keyword, lines ending CR LF: the keyword (and
// Applesoft's token byte), the syntax, what it does.
std::string KeywordHelpText(const KeywordHelp& help);
