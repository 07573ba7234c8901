// Line ends of plain text files.
#include "core/text/line_ends.h"

size_t ExpandLoneLineFeeds(const char* in, size_t count, char* out, bool& afterCarriageReturn)
{
    size_t written = 0;
    for (size_t i = 0; i < count; ++i) {
        if (in[i] == '\n' && !afterCarriageReturn) out[written++] = '\r';
        out[written++] = in[i];
        afterCarriageReturn = in[i] == '\r';
    }
    return written;
}

bool OnlyCrLfLineEnds(std::string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
    }
    return true;
}
