// tavo-image renumber: a program's text renumbered on standard output.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

// Runs renumber with its arguments ([--start N] [--step N] [--from A]
// [--to B] [--integer] FILE), writing the program to `out` and the messages
// to `err`: 0 when renumbered, 1 when refused or FILE cannot be read (then
// nothing is written to `out`), 2 for arguments it cannot take.
int RunRenumberCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);
