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
