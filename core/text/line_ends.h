// Line ends of plain text files as the editor and the emulator want them.
// Portable.
#pragma once
#include <cstddef>
#include <string_view>

// Copies `count` bytes of a text read piece by piece to `out` (room for
// 2 * count bytes), writing a line feed that follows no carriage return as
// carriage return and line feed. `afterCarriageReturn` carries the last
// byte's state from one piece to the next. Returns the bytes written.
//
// The editor takes a lone line feed as a line break inside the line, so
// without this a file from a Unix tool would be one BASIC line to the
// colouring and to the emulator, which types a line only at a carriage return.
size_t ExpandLoneLineFeeds(const char* in, size_t count, char* out, bool& afterCarriageReturn);

// True when every line break of `text` is a carriage return and line feed,
// the pair a paragraph mark of a rich-text stream becomes in the editor: a
// lone one would come back from a stream as the pair.
bool OnlyCrLfLineEnds(std::string_view text);
