// Text as a ProDOS TXT file holds it.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

// Low ASCII (bit 7 cleared) with a carriage return ending each line, from
// text whose lines end in CR LF, CR or LF.
std::vector<uint8_t> ProdosTextBytes(std::string_view text);
