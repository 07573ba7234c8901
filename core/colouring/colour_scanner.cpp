// The Applesoft colouring scanner. Keywords are found the way the Apple II
// tokenizer finds them: at every position, not only where a word begins, and
// the first table entry that fits wins (ATN shows AT, SCORE shows OR).
#include "core/colouring/colour_scanner.h"

#include "core/basic/applesoft_tokens.h"
#include "core/text/ascii.h"

namespace {

constexpr char kCarriageReturn = '\r';

bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

struct Match {
    int token = -1;  // index into the token table, -1 for "?"
    int length = 0;  // 0: no match
    bool single = false;
};

// The first table entry that the text spells at position i. An entry running
// past the end of the text does not fit: a keyword cut by a piece boundary is
// not found.
Match MatchToken(std::string_view text, size_t i)
{
    const char first = text[i];
    if (!IsAscii(first))
        return {};
    const char upper = AsciiUpper(first);
    for (int k = 0; k < kApplesoftTokenCount; ++k) {
        const char* name = kApplesoftTokens[k];
        if (name[0] != upper)
            continue;
        if (name[1] == '\0')
            return {k, 1, true};
        size_t n = 1;
        while (n < kApplesoftTokenWidth && name[n] != '\0' && i + n < text.size() &&
               AsciiUpper(text[i + n]) == name[n])
            ++n;
        if (n == kApplesoftTokenWidth || name[n] == '\0')
            return {k, static_cast<int>(n), false};
    }
    return {};
}

bool IsToken(int token, const char* name)
{
    return token >= 0 && std::string_view(kApplesoftTokens[token]) == name;
}

}  // namespace

void ScanApplesoftLine(std::string_view text, int remarkEnd, int base, std::vector<ColourSpan>& spans)
{
    bool inQuote = false;
    bool inData = false;
    int quoteStart = 0;
    const int size = static_cast<int>(text.size());
    int i = 0;
    while (i < size) {
        const char c = text[i];
        if (c == ':' && !inQuote)
            inData = false;
        if (inQuote && (c == '"' || c == kCarriageReturn)) {
            inQuote = false;
            spans.push_back({ColourKind::Quote, base + quoteStart, i - quoteStart + 1});
        } else if (c == '"' && !inQuote) {
            inQuote = true;
            quoteStart = i;
        }
        if (inQuote || inData) {
            ++i;
            continue;
        }
        Match match;
        if (c == '?')
            match = {-1, 1, false};  // PRINT's abbreviation
        else if (c < '0' || c > '9')
            match = MatchToken(text, static_cast<size_t>(i));
        if (match.length == 0) {
            ++i;
            continue;
        }
        const ColourKind kind = match.single ? ColourKind::Operator : ColourKind::Keyword;
        spans.push_back({kind, base + i, match.length});
        if (IsToken(match.token, "DATA")) {
            inData = true;
        } else if (IsToken(match.token, "REM")) {
            const int from = i + match.length;
            if (remarkEnd > from)
                spans.push_back({ColourKind::Remark, base + from, remarkEnd - from});
            return;
        }
        i += match.length;
    }
}

int LinePieceLength(std::string_view rest)
{
    const std::string_view piece = rest.substr(0, kLinePieceChars);
    const size_t cr = piece.find(kCarriageReturn);
    if (cr != std::string_view::npos)
        return static_cast<int>(cr);
    return -static_cast<int>(piece.size());
}

void ScanApplesoftText(std::string_view text, int start, int end, std::vector<ColourSpan>& spans)
{
    size_t position = start < 0 ? 0 : static_cast<size_t>(start);
    // Every piece holds at least one character, so the loop ends with the text.
    while (position < text.size() && position < static_cast<size_t>(end < 0 ? 0 : end)) {
        const std::string_view rest = text.substr(position);
        const int result = LinePieceLength(rest);
        const int lineLength = result < 0 ? -result : result;
        const bool endsLine = result >= 0;  // rest is not empty: 0 means a carriage return first
        const int pieceLength = lineLength + (endsLine ? 1 : 0);
        ScanApplesoftLine(rest.substr(0, static_cast<size_t>(pieceLength)), lineLength,
                          static_cast<int>(position), spans);
        position += static_cast<size_t>(pieceLength);
    }
}
