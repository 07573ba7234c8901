// The bytes a DOS 3.3 file holds, by its type, as DOS stores them: what the
// writer puts in a file's data sectors.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// A (Applesoft) and I (Integer BASIC): the program's length in two bytes,
// then the tokenized program. None when the length does not fit its word.
std::optional<std::vector<uint8_t>> DosBasicContents(std::span<const uint8_t> program);
// B: the load address and the length in two bytes each, then the data.
// None when either does not fit its word.
std::optional<std::vector<uint8_t>> DosBinaryContents(int loadAddress, std::span<const uint8_t> data);
// T: every character with bit 7 set and every line ended by $8D, the last
// one too, so that the Apple's INPUT finds its end. CR LF, CR and LF each
// end a line.
std::vector<uint8_t> DosTextContents(std::string_view text);
