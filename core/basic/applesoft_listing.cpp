// Tokenized Applesoft to listing text.
//
// A line record: 2-byte link (the memory address of the next record), 2-byte line
// number, the contents (bytes $01-$7F are characters, $80-$EA tokens) and a $00
// terminator, all little-endian. Only the links say where records end, so a
// record's length is its link minus its own address, starting from the load
// address.
#include "core/basic/applesoft_listing.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>

#include "core/basic/applesoft_tokens.h"
#include "core/disk/file_type_codes.h"
#include "core/text/text_writer.h"

namespace {

constexpr int kRecordHeader = 4;      // bytes of link and line number
constexpr char kLineEnd = '\r';

// What each byte lists as, padded to 16 bytes so that the inner loop copies a
// whole piece and advances by its length: a character ($01-$7F) as itself, a
// token as its name between two spaces, the terminator as nothing.
struct Piece {
    char text[15];
    uint8_t length;
};
constexpr uint8_t kNotAToken = 0xFF;  // length mark of the bytes $EB-$FF
constexpr size_t kPieceSize = sizeof(Piece);
static_assert(kPieceSize == 16);

// The most one step writes: a whole piece, or a line number with its space,
// followed by the line end.
constexpr size_t kMostPerStep = kPieceSize + 1;

const std::array<Piece, 256>& Pieces()
{
    static const std::array<Piece, 256> pieces = [] {
        std::array<Piece, 256> table{};
        for (unsigned b = 1; b < kApplesoftFirstToken; ++b) {
            table[b].text[0] = static_cast<char>(b);
            table[b].length = 1;
        }
        for (int k = 0; k < kApplesoftTokenCount; ++k) {
            Piece& piece = table[kApplesoftFirstToken + k];
            const size_t length = strnlen(kApplesoftTokens[k], kApplesoftTokenWidth);
            piece.text[0] = ' ';
            memcpy(piece.text + 1, kApplesoftTokens[k], length);
            piece.text[length + 1] = ' ';
            piece.length = static_cast<uint8_t>(length + 2);
        }
        for (unsigned b = kApplesoftFirstToken + kApplesoftTokenCount; b < 256; ++b)
            table[b].length = kNotAToken;
        return table;
    }();
    return pieces;
}

// Strings, REM text, DATA and names come in runs of characters that list as
// they are; eight at a time go through in one step.
constexpr int kRun = 8;

bool IsCharacterRun(const uint8_t* bytes)
{
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr uint64_t kHigh = 0x8080808080808080ULL;
    uint64_t x;
    memcpy(&x, bytes, sizeof x);
    // A byte's high bit comes out set when its low seven bits are not all zero
    // and its own high bit is clear: a character $01-$7F.
    return (((x & kLow7) + kLow7) & ~x & kHigh) == kHigh;
}

int Read16(const uint8_t* bytes, int at)
{
    return bytes[at] | (bytes[at + 1] << 8);
}

// A DOS 3.3 file does not keep the address it was saved from, and callers
// assume $0801. When the first record does not end where that address puts its
// end, the record itself tells: it ends at its first zero byte after the line
// number, so its link minus its length is the address it was saved from.
int Dos33LoadAddress(const uint8_t* bytes, int bound, int assumed)
{
    const int contents = kDosLengthHeaderBytes + kRecordHeader;
    if (bound <= contents)
        return assumed;
    const int link = Read16(bytes, kDosLengthHeaderBytes);
    const int assumedLength = link - assumed;
    if (assumedLength > kRecordHeader && kDosLengthHeaderBytes + assumedLength <= bound &&
        bytes[kDosLengthHeaderBytes + assumedLength - 1] == 0)
        return assumed;
    const void* zero = memchr(bytes + contents, 0, static_cast<size_t>(bound - contents));
    if (zero == nullptr)
        return assumed;
    const int length = static_cast<int>(static_cast<const uint8_t*>(zero) - bytes) + 1 - kDosLengthHeaderBytes;
    const int address = link - length;
    if (link == 0 || address <= 0)
        return assumed;
    return address;
}

}  // namespace

bool ListApplesoft(int start, int bound, std::string& output, std::span<const uint8_t> input, int loadAddress)
{
    const uint8_t* bytes = input.data();
    // Indices stay far from overflow even when a link adds 64 KB to one.
    const int size = static_cast<int>(std::min<size_t>(input.size(), INT_MAX / 2));
    if (start == kDosLengthHeaderBytes) {
        const int header = size >= 2 ? Read16(bytes, 0) : 0;
        bound = std::min(bound, header);
    }
    bound = std::min(bound, size);
    start = std::max(start, 0);
    if (start == kDosLengthHeaderBytes)
        loadAddress = Dos33LoadAddress(bytes, bound, loadAddress);

    const auto& pieces = Pieces();
    // Typical programs list at about 1.7 characters per byte.
    output.reserve(output.size() + 2 * static_cast<size_t>(std::max(bound - start, 0)) + 64);
    TextWriter writer(output);
    char* w = writer.Start();
    bool standard = true;
    int p = start;
    int address = loadAddress;
    // Every record moves p on by at least four bytes, so the scan ends within
    // bound / 4 records.
    while (p < bound - 3) {
        const int link = Read16(bytes, p);
        const int length = link - address;
        address = link;
        const int number = Read16(bytes, p + 2);
        // The number is left out when it and the first two content bytes are all
        // zero; bytes at or beyond the bound count as zero.
        int following = 0;
        if (p + 4 < bound)
            following = bytes[p + 4];
        if (p + 5 < bound)
            following |= bytes[p + 5] << 8;
        p += kRecordHeader;

        w = writer.Room(w, kMostPerStep);
        if (number + following != 0)
            w = WriteDecimal(w, static_cast<unsigned>(number));
        *w++ = ' ';
        const int contentsEnd = p + std::max(length - kRecordHeader, 0);
        const int stop = std::min(contentsEnd, bound);
        standard = contentsEnd <= bound;
        for (int q = p; q < stop;) {
            w = writer.Room(w, kMostPerStep);
            if (stop - q >= kRun && IsCharacterRun(bytes + q)) {
                memcpy(w, bytes + q, kRun);
                w += kRun;
                q += kRun;
                continue;
            }
            const Piece& piece = pieces[bytes[q]];
            if (piece.length == kNotAToken) [[unlikely]] {
                standard = false;
                break;
            }
            memcpy(w, piece.text, kPieceSize);
            w += piece.length;
            ++q;
        }
        *w++ = kLineEnd;
        if (!standard)
            break;
        p = contentsEnd;
    }
    writer.Finish(w);
    return standard;
}
