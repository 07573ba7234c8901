// tavo-image's commands that write: a new image, and changes to one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Runs `command` (new, put, delete, rename, lock, unlock, mkdir, check) with
// its arguments; -1 when it is none of these, 2 for arguments it cannot
// take. A refused change prints its message on standard error and returns
// 1 with the image unchanged byte for byte.
int RunWriteCommand(const std::string& command, std::vector<std::string> args);

// The image replaced in one step: a temporary file beside it, flushed, then
// renamed over it with permissions `mode`. A failure leaves the old file as
// it was and no temporary file behind.
bool ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes, int mode);
