// The variables a program names, found where the ROM reads a name: not in
// strings, remarks or DATA, not FN's function names, and split where the
// tokenizer finds a keyword inside one (SCORE is SC, OR, E).
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/basic/basic_language.h"

enum class VariableType { Real, Integer, String };  // Integer BASIC's numbers are all Integer

enum class VariableRole {
    Use,
    Declared,   // named by DIM
    LoopStart,  // FOR's variable
    LoopEnd,    // NEXT's
};

struct VariableUse {
    std::string name;   // as written: letters and digits, without $ or %
    VariableType type;
    bool array;
    VariableRole role;
    int textLine;       // 0-based line of the text
    long lineNumber;    // -1 when the line has none
    size_t at;          // in the text
    long largestIndex;  // an array's largest constant subscript; -1 when none is a constant
};

std::vector<VariableUse> FindVariables(std::string_view text, BasicLanguage language);

// The name with its type's mark: "SCORE%", "NAME$", Integer BASIC's "N".
std::string SpelledName(const VariableUse& use, BasicLanguage language);
// Applesoft tells variables apart by their first two characters, type and
// whether they are arrays: the key that names one ("PL", "PL$", "PL(").
std::string ApplesoftIdentity(const VariableUse& use);
