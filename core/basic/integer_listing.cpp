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

#include "core/disk/file_type_codes.h"
#include "core/text/text_writer.h"

// Integer BASIC has several codes for one word, one per syntactic place.
const char kIntegerTokens[kIntegerTokenCount][kIntegerTokenWidth] = {
    "HIMEM:",    // $00
    "",          // $01
    "_",         // $02
    ":",         // $03
    "LOAD",      // $04
    "SAVE",      // $05
    "CON",       // $06
    "RUN",       // $07
    "RUN",       // $08
    "DEL",       // $09
    ",",         // $0A
    "NEW",       // $0B
    "CLR ",      // $0C
    "AUTO",      // $0D
    ",",         // $0E
    "MAN",       // $0F
    "HIMEM:",    // $10
    "LOMEM:",    // $11
    "+",         // $12
    "-",         // $13
    "*",         // $14
    "/",         // $15
    "=",         // $16
    "#",         // $17
    ">=",        // $18
    ">",         // $19
    "<=",        // $1A
    "<>",        // $1B
    "<",         // $1C
    " AND ",     // $1D
    " OR ",      // $1E
    " MOD ",     // $1F
    "^",         // $20
    "+",         // $21
    "(",         // $22
    ",",         // $23
    " THEN ",    // $24
    " THEN ",    // $25
    ",",         // $26
    ",",         // $27
    "\"",        // $28
    "\"",        // $29
    "(",         // $2A
    "!",         // $2B
    "!",         // $2C
    "(",         // $2D
    "PEEK ",     // $2E
    " RND ",     // $2F
    " SGN ",     // $30
    " ABS ",     // $31
    " PDL ",     // $32
    "RNDX",      // $33
    "(",         // $34
    "+",         // $35
    "-",         // $36
    "NOT ",      // $37
    "(",         // $38
    "=",         // $39
    "#",         // $3A
    "LEN(",      // $3B
    " ASC(",     // $3C
    "SCRN(",     // $3D
    ",",         // $3E
    "(",         // $3F
    "$",         // $40
    "$",         // $41
    "(",         // $42
    ",",         // $43
    ",",         // $44
    ";",         // $45
    ";",         // $46
    ";",         // $47
    ",",         // $48
    ",",         // $49
    ",",         // $4A
    "TEXT ",     // $4B
    "GR ",       // $4C
    "CALL ",     // $4D
    "DIM ",      // $4E
    "DIM ",      // $4F
    "TAB ",      // $50
    "END ",      // $51
    "INPUT ",    // $52
    "INPUT ",    // $53
    "INPUT ",    // $54
    "FOR ",      // $55
    "=",         // $56
    " TO ",      // $57
    " STEP ",    // $58
    "NEXT ",     // $59
    ",",         // $5A
    "RETURN ",   // $5B
    "GOSUB ",    // $5C
    "REM ",      // $5D
    "LET ",      // $5E
    "GOTO ",     // $5F
    "IF ",       // $60
    "PRINT ",    // $61
    "PRINT ",    // $62
    "PRINT ",    // $63
    "POKE ",     // $64
    ",",         // $65
    "COLOR=",    // $66
    "PLOT ",     // $67
    ",",         // $68
    "HLIN ",     // $69
    ",",         // $6A
    " AT ",      // $6B
    "VLIN ",     // $6C
    ",",         // $6D
    " AT ",      // $6E
    "VTAB ",     // $6F
    "=",         // $70
    "=",         // $71
    ")",         // $72
    ")",         // $73
    "LIST ",     // $74
    ",",         // $75
    "LIST ",     // $76
    "POP ",      // $77
    "NODSP ",    // $78
    "NODSP ",    // $79  (the ROM's LIST prints NODSP for both $78 and $79)
    "NOTRACE ",  // $7A
    "DSP ",      // $7B
    "DSP ",      // $7C  (with its space, as LIST prints it)
    "TRACE ",    // $7D
    "PR#",       // $7E
    "IN#",       // $7F
};

namespace {

constexpr int kLineHeader = 3;        // bytes of length and line number
// The most one step writes: a pending space, a space before LEN( or PEEK and a
// whole table entry copied, or a line number or constant and a space, followed
// by the line end.
constexpr size_t kMostPerStep = 2 + kIntegerTokenWidth + 1;
constexpr char kLineEnd = '\n';

constexpr uint8_t kColon = 0x03;
constexpr uint8_t kOpenQuote = 0x28;
constexpr uint8_t kCloseQuote = 0x29;
constexpr uint8_t kPeek = 0x2E;
constexpr uint8_t kLen = 0x3B;
constexpr uint8_t kRem = 0x5D;
constexpr uint8_t kIf = 0x60;
constexpr uint8_t kHighBit = 0x80;
constexpr uint8_t kFirstDigit = 0xB0;  // '0' with the high bit
constexpr uint8_t kLastDigit = 0xB9;   // '9' with the high bit

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
