// The hex dump view.
#include "core/text/hex_dump.h"

#include <algorithm>
#include <cstring>

#include "core/text/text_writer.h"

namespace {

constexpr char kHeading[] = "   $     00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F        ASCII \n";
constexpr size_t kBytesPerLine = 16;
// A line feed, six offset digits, three spaces, 16 x "XX ", two spaces and 16
// characters: every line, full or not, is this long at most.
constexpr size_t kLineChars = 1 + 6 + 3 + kBytesPerLine * 3 + 2 + kBytesPerLine;
constexpr char kHexDigits[] = "0123456789ABCDEF";

// Per byte value: its two hexadecimal digits and a space (padded to four bytes so
// that one copy moves them), and the character the right-hand column shows.
struct ByteTexts {
    char hex[256][4];
    char shown[256];
};

constexpr ByteTexts MakeByteTexts()
{
    ByteTexts texts{};
    for (int b = 0; b < 256; ++b) {
        texts.hex[b][0] = kHexDigits[b >> 4];
        texts.hex[b][1] = kHexDigits[b & 0x0F];
        texts.hex[b][2] = ' ';
        texts.hex[b][3] = ' ';
        const int plain = b & 0x7F;  // Apple II text has the high bit set
        texts.shown[b] = plain < 0x20 ? ' ' : static_cast<char>(plain);
    }
    return texts;
}

constexpr ByteTexts kByteTexts = MakeByteTexts();

char* WriteOffset(char* w, size_t offset)
{
    // "%06X": six digits at least; larger offsets take as many as they need.
    int digits = 6;
    while (digits < 16 && (offset >> (4 * digits)) != 0)
        ++digits;
    for (int k = digits - 1; k >= 0; --k)
        *w++ = kHexDigits[(offset >> (4 * k)) & 0x0F];
    return w;
}

}  // namespace

void HexDump(int /*start*/, int bound, std::string& output, std::span<const uint8_t> input, int /*loadAddress*/)
{
    const size_t count = std::min(static_cast<size_t>(std::max(bound, 0)), input.size());
    output.clear();
    output.reserve(sizeof kHeading + (count / kBytesPerLine + 1) * kLineChars + 1);
    output.append(kHeading, sizeof kHeading - 1);

    TextWriter writer(output);
    char* w = writer.Start();
    const uint8_t* bytes = input.data();
    for (size_t offset = 0; offset < count; offset += kBytesPerLine) {
        const size_t n = std::min(kBytesPerLine, count - offset);
        w = writer.Room(w, kLineChars + 16);
        *w++ = '\n';
        w = WriteOffset(w, offset);
        memcpy(w, "   ", 3);
        w += 3;
        for (size_t k = 0; k < n; ++k) {
            memcpy(w, kByteTexts.hex[bytes[offset + k]], 4);
            w += 3;
        }
        // A full line has a single space less after its last byte; a short one
        // pads the missing bytes so that the characters line up.
        const size_t gap = n == kBytesPerLine ? 2 : (kBytesPerLine - n) * 3 + 2;
        memset(w, ' ', gap);
        w += gap;
        for (size_t k = 0; k < n; ++k)
            *w++ = kByteTexts.shown[bytes[offset + k]];
    }
    w = writer.Room(w, 1);
    *w++ = '\n';
    writer.Finish(w);
}
