// Replacing a file in one step: the new bytes go to a temporary file in the
// same folder, which takes the old file's place only once every byte is
// written and flushed. A failure at any step leaves the old file as it was
// and no temporary file behind.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

// `write` fills the open temporary file; false from it abandons the
// replacement. The replaced file keeps its attributes. False, with the old
// file untouched, when the file is read-only or a folder, or any step fails.
bool ReplaceFileThrough(const char* path, const std::function<bool(HANDLE file)>& write);
// Writes all of `bytes` to `file`; false when any write fails.
bool WriteAllBytes(HANDLE file, const std::vector<uint8_t>& bytes);
