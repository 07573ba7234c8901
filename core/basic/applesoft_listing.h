// The listing of a tokenized Applesoft program.
#pragma once
#include <cstdint>
#include <span>
#include <string>

// Lists the line records of `input` from index `start` and appends the text to
// `output`: per record the line number, one space, the contents with every
// keyword between two spaces, and a carriage return (13) alone.
//
// start       index of the first record. 2 means the input begins with the DOS 3.3
//             length header; the bound is then that 16-bit length (and a program
//             saved from another address than `loadAddress` is recognised by its
//             first record).
// bound       end of the data as an index; no byte at or beyond it, nor beyond
//             `input`, is read.
// loadAddress memory address of the first record (a ProDOS file's aux type;
//             $0801 for DOS 3.3).
//
// Returns false when the program is not standard Applesoft (a token byte of $EB
// or more, or a record that runs past the bound): the caller reports
// "Non-standard file!" then; `output` holds everything listed up to that point,
// the interrupted line included with its carriage return.
bool ListApplesoft(int start, int bound, std::string& output, std::span<const uint8_t> input, int loadAddress);
