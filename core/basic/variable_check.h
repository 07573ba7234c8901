// Check Program's findings on an Applesoft program's variables: names
// Applesoft takes for one because it reads only their first two
// characters, arrays used past index 10 that no DIM makes, and NEXT with a
// variable no FOR opens.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/basic/program_check.h"

struct VariableProblem {
    FindingKind kind;
    int textLine;  // 0-based
    std::string problem;
};

// In text order of the line each belongs to.
std::vector<VariableProblem> FindApplesoftVariableProblems(std::string_view text);
