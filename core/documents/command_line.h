// The names on TAVO's command line, as a file association or a drag onto
// the program's icon passes them. Portable.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Splits the arguments as the C run-time library does for a Windows
// program: blanks and tabs separate names, double quotes group a name with
// blanks in it, and backslashes are literal except before a quote (2n of
// them give n and the quote groups; 2n + 1 give n and a literal quote).
// The program's own name is not part of `commandLine`.
std::vector<std::string> CommandLineNames(std::string_view commandLine);
