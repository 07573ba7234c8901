// Removing the spaces that Applesoft ignores.
#pragma once
#include <string>
#include <string_view>

// Returns `selection` without the spaces that Applesoft drops when it reads a
// program line, so that the program means what it meant: spaces inside
// quotation marks, after REM and inside a DATA statement stay. Every line
// starts outside a string: an unclosed quotation mark ends with its line, as
// it does on the Apple II. `lineBefore` is the text of the selection's first
// line before the selection; it only sets where the selection begins (in a
// string, a remark or DATA) and is not returned. Keywords are found as the
// Apple II tokenizer finds them, letter case aside: at any position, spaces
// between their letters ignored, the first entry of the token table that fits.
std::string RemoveSpaces(std::string_view selection, std::string_view lineBefore = {});
