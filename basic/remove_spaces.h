// Removing the spaces that Applesoft ignores.
#pragma once
#include <string>
#include <string_view>

// Returns `selection` without the spaces that lie outside quotation marks. The
// quotation marks pair up across line ends, so after an odd one every later space
// is kept. The number of spaces removed is the difference in length.
std::string RemoveSpaces(std::string_view selection);
