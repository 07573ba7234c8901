// The hexadecimal and character dump of any bytes.
#pragma once
#include <cstdint>
#include <span>
#include <string>

// Replaces `output` with the dump of the first `bound` bytes of `input` (never
// more than `input` holds): a heading, an empty line, one line per 16 bytes
// ("%06X" offset counted from the first byte, the bytes in hexadecimal, the
// bytes as characters with the high bit cleared and control characters shown as
// spaces), and a final line feed. Lines end with a line feed alone.
//
// start       the mode; always 0, and ignored.
// loadAddress ignored: offsets count from 0, not from a load address.
void HexDump(int start, int bound, std::string& output, std::span<const uint8_t> input, int loadAddress);
