// Tokenized Integer BASIC to listing text.
//
// A line: 1-byte length (this byte included), 2-byte line number, then the
// contents up to the end-of-line token $01. Bytes below $80 are tokens; a byte
// $B0-$B9 where a number may stand starts a constant (it and the 16-bit value
// after it); every other byte of $80 or more is a character with its high bit
// set (names, strings and REM text).
#include "core/basic/integer_listing.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

#include "core/basic/integer_tokens.h"
#include "core/disk/file_type_codes.h"
#include "core/text/text_writer.h"

namespace {

constexpr int kLineHeader = 3;        // bytes of length and line number
// The most one step writes: a pending space, a space before LEN( or PEEK and a
// whole table entry copied, or a line number or constant and a space, followed
// by the line end.
constexpr size_t kMostPerStep = 2 + kIntegerTokenWidth + 1;
constexpr char kLineEnd = '\n';

const std::array<uint8_t, kIntegerTokenCount>& TokenLengths()
{
    static const std::array<uint8_t, kIntegerTokenCount> lengths = [] {
        std::array<uint8_t, kIntegerTokenCount> result{};
        for (int k = 0; k < kIntegerTokenCount; ++k)
            result[k] = static_cast<uint8_t>(strnlen(kIntegerTokens[k], kIntegerTokenWidth));
        return result;
    }();
    return lengths;
}

}  // namespace

bool ListIntegerBasic(int start, int bound, std::string& output, std::span<const uint8_t> input, int /*loadAddress*/)
{
    const uint8_t* bytes = input.data();
    const int size = static_cast<int>(std::min<size_t>(input.size(), INT_MAX / 2));
    int end = std::min(bound, size);
    if (start == kDosLengthHeaderBytes) {
        const int header = size >= 2 ? bytes[0] | (bytes[1] << 8) : 0;
        end = std::min(end, kDosLengthHeaderBytes + header);
    }

    const auto& lengths = TokenLengths();
    // Typical programs list at about 1.6 characters per byte.
    output.reserve(output.size() + 2 * static_cast<size_t>(std::max(end - start, 0)) + 64);
    TextWriter writer(output);
    char* w = writer.Start();
    bool complete = true;
    // Every line moves p on by at least its three header bytes.
    int p = std::max(start, 0);
    while (p < end) {
        w = writer.Room(w, kMostPerStep);
        if (p + kLineHeader > end) {
            *w++ = kLineEnd;
            complete = false;
            break;
        }
        const int lineEnd = p + std::max<int>(bytes[p], kLineHeader);
        const unsigned number = bytes[p + 1] | (bytes[p + 2] << 8);
        p += kLineHeader;
        w = WriteDecimal(w, number);
        *w++ = ' ';

        bool inText = false;        // inside a string or a REM
        bool pendingSpace = false;  // a colon waits for the next token
        bool afterIf = false;       // the previous byte was the IF token
        int nameRun = 1;            // characters since the last token; 0 right after a token
        while (p < lineEnd) {
            w = writer.Room(w, kMostPerStep);
            if (p >= end) {
                complete = false;
                break;
            }
            const uint8_t b = bytes[p];
            if (b >= kHighBit) {
                pendingSpace = false;
                afterIf = false;
                if (b >= kFirstDigit && b <= kLastDigit && !inText && nameRun == 0) {
                    if (p + 2 >= end) {
                        complete = false;
                        break;
                    }
                    w = WriteDecimal(w, bytes[p + 1] | (bytes[p + 2] << 8));
                    p += 3;
                    continue;
                }
                *w = static_cast<char>(b - kHighBit);
                w += b - kHighBit >= 0x20;  // control characters are dropped
                ++nameRun;
                ++p;
                continue;
            }

            // A token. A digit right after IF begins a constant (IF 1=2), so IF
            // leaves the name run at 0.
            nameRun = 0;
            if (b == kIf)
                afterIf = true;
            if (b == kRem || b == kOpenQuote)
                inText = true;
            if (b == kCloseQuote)
                inText = false;
            if (b == kColon) {
                inText = false;
                pendingSpace = true;
                nameRun = 1;
            } else if (pendingSpace) {
                *w++ = ' ';
                pendingSpace = false;
            }
            if ((b == kLen || b == kPeek) && !afterIf)
                *w++ = ' ';
            if (b != kIf)
                afterIf = false;
            memcpy(w, kIntegerTokens[b], kIntegerTokenWidth);
            w += lengths[b];
            ++p;
        }
        *w++ = kLineEnd;
        if (!complete)
            break;
    }
    writer.Finish(w);
    return complete;
}
