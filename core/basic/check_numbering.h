// What Check Program finds from the lines' numbers alone, in either BASIC:
// lines a later one replaces or deletes, lines out of order, and jumps to
// lines the program does not keep.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/basic/line_references.h"
#include "core/basic/program_check.h"

struct CheckedJump {
    ReferenceKind kind;
    long target;
    std::string digits;  // as typed, without blanks
};

// One line of the text the Apple would store (or delete, given alone).
struct NumberedLine {
    int line;            // 0-based line of the text
    size_t offset;       // where it starts in the text
    std::string_view typed;
    int number;
    bool alone;          // the number alone, which deletes the line
    std::string listed;  // as the Apple lists it
    std::vector<CheckedJump> jumps;
};

// The GOTO, GOSUB and THEN targets among `references` (ON's lists
// included), their digits read from `contents`, which the references'
// positions index.
std::vector<CheckedJump> JumpsAmong(const std::vector<LineReference>& references, std::string_view contents);

// Adds the findings on `numbered`, in text order, and sets the number of
// lines stored.
void CheckNumbering(const std::vector<NumberedLine>& numbered, ProgramCheck& check);
