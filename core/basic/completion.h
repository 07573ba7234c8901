// Completion: the word being typed before the caret and what may complete
// it, the keywords, the program's own variables and, after GOTO, GOSUB or
// THEN, its line numbers.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/basic/basic_language.h"

enum class CandidateKind { LineNumber, Keyword, Variable };

struct CompletionCandidate {
    std::string text;    // what the word becomes: "PRINT", "PLAYER$", "1200"
    CandidateKind kind;
    // A keyword's form, a variable's type ("real", "integer", "string", with
    // " array"), or the start of the numbered line's text.
    std::string detail;
};

struct Completion {
    size_t wordStart = 0;  // the word typed is the text from here to the caret
    std::string typed;
    // Line numbers first, in order; then keywords and variables together in
    // alphabetical order, a keyword before a variable of the same spelling.
    std::vector<CompletionCandidate> candidates;
};

// Letters are matched ignoring case; variables are listed as the program
// writes them, each spelling once, without the word at the caret itself.
Completion CompleteAt(std::string_view text, size_t caret, BasicLanguage language);
