// The listing of a tokenized Integer BASIC program.
#pragma once
#include <cstdint>
#include <span>
#include <string>

// Lists the lines of `input` from index `start` and appends the text to
// `output`: per line the line number, one space, the contents, and a line feed
// (10) alone.
//
// start       index of the first line. 2 means the input begins with the DOS 3.3
//             length header L; the data then ends at index L + 2.
// bound       end of the data as an index (for start 2 an upper limit only); no
//             byte at or beyond it, nor beyond `input`, is read.
// loadAddress not used: Integer BASIC lines carry their own lengths.
//
// Returns false when a line runs past the end of the data: the caller beeps;
// `output` holds everything listed up to there, the interrupted line included
// with its line feed.
bool ListIntegerBasic(int start, int bound, std::string& output, std::span<const uint8_t> input, int loadAddress);
