// Tokenized Applesoft to listing text.
//
// A line record: 2-byte link (the memory address of the next record), 2-byte line
// number, the contents (bytes $01-$7F are characters, $80-$EA tokens) and a $00
// terminator, all little-endian. Only the links say where records end, so a
// record's length is its link minus its own address, starting from the load
// address.
#include "basic/applesoft_listing.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

#include "basic/applesoft_tokens.h"
#include "basic/text_writer.h"

namespace {

constexpr int kDos33HeaderStart = 2;  // index of the first record after the length header
constexpr int kRecordHeader = 4;      // bytes of link and line number
constexpr size_t kLineNumberChars = 6;  // five digits and the space after them
constexpr size_t kCharsPerByte = 2 + kApplesoftTokenWidth;  // worst case of one content byte, slack included
constexpr char kLineEnd = '\r';

// Token name lengths, worked out once so that the inner loop copies a whole
// table entry and advances by the name's length.
const std::array<uint8_t, kApplesoftTokenCount>& TokenLengths()
{
    static const std::array<uint8_t, kApplesoftTokenCount> lengths = [] {
        std::array<uint8_t, kApplesoftTokenCount> result{};
        for (int k = 0; k < kApplesoftTokenCount; ++k)
            result[k] = static_cast<uint8_t>(strnlen(kApplesoftTokens[k], kApplesoftTokenWidth));
        return result;
    }();
    return lengths;
}

int Read16(const uint8_t* bytes, int at)
{
    return bytes[at] | (bytes[at + 1] << 8);
}

// A DOS 3.3 file does not keep the address it was saved from. The first record
// ends at its first zero byte after the line number, so its link minus its length
// is that address. Without such a record the caller's address stands.
int Dos33LoadAddress(const uint8_t* bytes, int bound, int fallback)
{
    const int contents = kDos33HeaderStart + kRecordHeader;
    if (bound <= contents)
        return fallback;
    const void* zero = memchr(bytes + contents, 0, static_cast<size_t>(bound - contents));
    if (zero == nullptr)
        return fallback;
    const int link = Read16(bytes, kDos33HeaderStart);
    const int length = static_cast<int>(static_cast<const uint8_t*>(zero) - bytes) + 1 - kDos33HeaderStart;
    const int address = link - length;
    if (link == 0 || address <= 0)
        return fallback;
    return address;
}

}  // namespace

bool ListApplesoft(int start, int bound, std::string& output, std::span<const uint8_t> input, int loadAddress)
{
    const uint8_t* bytes = input.data();
    const int size = static_cast<int>(std::min<size_t>(input.size(), INT_MAX));
    if (start == kDos33HeaderStart) {
        const int header = size >= 2 ? Read16(bytes, 0) : 0;
        bound = std::min(bound, header);
    }
    bound = std::min(bound, size);
    start = std::max(start, 0);
    if (start == kDos33HeaderStart)
        loadAddress = Dos33LoadAddress(bytes, bound, loadAddress);

    const auto& lengths = TokenLengths();
    TextWriter writer(output);
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

        const int contentsEnd = p + std::max(length - kRecordHeader, 0);
        const int stop = std::min(contentsEnd, bound);
        // Room for the number, the contents and the line end.
        char* w = writer.Room(kLineNumberChars + kCharsPerByte * static_cast<size_t>(stop - p) + 1);
        if (number + following != 0)
            w = WriteDecimal(w, static_cast<unsigned>(number));
        *w++ = ' ';
        bool standard = contentsEnd <= bound;
        for (int q = p; q < stop; ++q) {
            const uint8_t b = bytes[q];
            if (b < kApplesoftFirstToken) {
                *w = static_cast<char>(b);
                w += b != 0;  // the terminator adds nothing
                continue;
            }
            const unsigned index = b - kApplesoftFirstToken;
            if (index >= static_cast<unsigned>(kApplesoftTokenCount)) {
                standard = false;
                break;
            }
            *w++ = ' ';
            memcpy(w, kApplesoftTokens[index], kApplesoftTokenWidth);
            w += lengths[index];
            *w++ = ' ';
        }
        *w++ = kLineEnd;
        writer.Commit(w);
        if (!standard)
            return false;
        p = contentsEnd;
    }
    return true;
}
