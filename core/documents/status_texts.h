// The texts of the status bar's parts 1 to 3 that follow the caret, and the
// editor's tab stop positions. Portable.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Status-bar part 1: "BASIC Line#  %i" with the number a line starts with (after any
// blanks or control characters), otherwise "BASIC Line#" and seven blanks.
std::string BasicLineStatus(std::string_view line);
// Status-bar part 2: "Line# %i", `line` counted from 1.
std::string LineStatus(int line);
// Status-bar part 3: "Character# %i", `column` counted from 0.
std::string CharacterStatus(int column);

// Status-bar part 0 away from a keyword, and the start of Check Program's
// summary: "No problems found", "1 problem", "%i problems".
std::string ProblemCountStatus(size_t count);

// Tab stop i (from 0) at width × average character width × i × 15 twips,
// the first at 0. A rich-edit paragraph holds at most 32 stops, so a larger
// count gives 32; a negative one none.
std::vector<long> TabStopPositions(int count, int widthInChars, int averageCharWidth);
