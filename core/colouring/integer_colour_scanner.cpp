// The Integer BASIC colouring scanner. Integer BASIC reads a line by its
// syntax, so a keyword is only where the ROM's parser takes one (SCORE is a
// name, not SC OR E); a line the ROM would refuse, such as one still being
// typed, is read word by word instead. Letter case is ignored, as the
// keyword help does, so a keyword typed in lower case shows as one.
#include <string>
#include <vector>

#include "core/basic/applesoft_tokenizer.h"
#include "core/basic/integer_tokenizer.h"
#include "core/basic/integer_tokens.h"
#include "core/basic/program_lines.h"
#include "core/colouring/colour_scanner.h"
#include "core/text/ascii.h"
#include "core/text/typed_lines.h"

namespace {

constexpr std::string_view kOperators = "+-*/^<>=#";  // the characters Applesoft colours as operators too

// A token's text without the listing's blanks.
std::string_view TokenWord(uint8_t token)
{
    std::string_view word(kIntegerTokens[token & 0x7F]);
    while (!word.empty() && word.front() == ' ') word.remove_prefix(1);
    while (!word.empty() && word.back() == ' ') word.remove_suffix(1);
    return word;
}

bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }

bool HasLetter(std::string_view word)
{
    for (char c : word)
        if (IsLetter(c)) return true;
    return false;
}

bool IsOperator(std::string_view word)
{
    return !word.empty() && word.find_first_not_of(kOperators) == std::string_view::npos;
}

void Add(std::vector<ColourSpan>& spans, ColourKind kind, size_t from, size_t to, int base)
{
    if (to > from) spans.push_back({kind, base + static_cast<int>(from), static_cast<int>(to - from)});
}

// A line the ROM parses: its tokens where they were typed.
void ScanParsedLine(std::string_view upper, size_t contentsAt, const std::vector<uint8_t>& tokens,
                    const std::vector<uint32_t>& typedAt, int base, std::vector<ColourSpan>& spans)
{
    const std::string_view contents = upper.substr(contentsAt);
    const std::vector<IntegerItem> items = IntegerItems(tokens);
    for (size_t k = 0; k < items.size(); ++k) {
        if (!items[k].token) continue;
        const uint8_t token = tokens[items[k].index];
        const size_t start = contentsAt + typedAt[items[k].index];
        if (token == kOpenQuote) {
            size_t end = upper.size();
            for (size_t j = k + 1; j < items.size(); ++j)
                if (items[j].token && tokens[items[j].index] == kCloseQuote) {
                    end = contentsAt + typedAt[items[j].index] + 1;
                    k = j;
                    break;
                }
            Add(spans, ColourKind::Quote, start, end, base);
            continue;
        }
        const std::string_view word = TokenWord(token);
        const size_t end = contentsAt + SpelledEnd(contents, start - contentsAt, word);
        if (HasLetter(word)) Add(spans, ColourKind::Keyword, start, end, base);
        else if (IsOperator(word)) Add(spans, ColourKind::Operator, start, end, base);
        if (token == kRem) {
            Add(spans, ColourKind::Remark, end, upper.size(), base);
            return;
        }
    }
}

// The longest keyword of the table spelled at `at`, or 0.
size_t KeywordLengthAt(std::string_view upper, size_t at)
{
    size_t longest = 0;
    for (int token = 0; token < kIntegerTokenCount; ++token) {
        const std::string_view word = TokenWord(static_cast<uint8_t>(token));
        if (word.size() > longest && HasLetter(word) && upper.substr(at, word.size()) == word) longest = word.size();
    }
    return longest;
}

// A line the ROM refuses: strings, a REM and the keywords that begin words.
void ScanTypedLine(std::string_view upper, size_t contentsAt, int base, std::vector<ColourSpan>& spans)
{
    for (size_t at = contentsAt; at < upper.size();) {
        const char c = upper[at];
        if (c == '"') {
            const size_t close = upper.find('"', at + 1);
            const size_t end = close == std::string_view::npos ? upper.size() : close + 1;
            Add(spans, ColourKind::Quote, at, end, base);
            at = end;
            continue;
        }
        const size_t length = at > contentsAt && IsLetter(upper[at - 1]) ? 0 : KeywordLengthAt(upper, at);
        if (length > 0) {
            Add(spans, ColourKind::Keyword, at, at + length, base);
            if (upper.substr(at, length) == "REM") {
                Add(spans, ColourKind::Remark, at + length, upper.size(), base);
                return;
            }
            at += length;
            continue;
        }
        if (kOperators.find(c) != std::string_view::npos) Add(spans, ColourKind::Operator, at, at + 1, base);
        ++at;
    }
}

}  // namespace

void ScanIntegerText(std::string_view text, int start, int end, std::vector<ColourSpan>& spans)
{
    size_t position = start < 0 ? 0 : static_cast<size_t>(start);
    const size_t stop = std::min(text.size(), static_cast<size_t>(end < 0 ? 0 : end));
    std::vector<uint8_t> tokens;
    std::vector<uint32_t> typedAt;
    while (position < stop) {
        const size_t lineAt = position;
        const std::string_view line = NextTypedLine(text, position);
        std::string upper(line);
        for (char& c : upper) c = AsciiUpper(SevenBit(c));
        upper.resize(std::min(upper.size(), upper.find('\0')));
        const TypedLineNumber number = ReadTypedLineNumber(upper);
        const size_t contentsAt = number.value >= 0 ? number.contentsAt : 0;
        tokens.clear();
        typedAt.clear();
        if (ParseIntegerContents(std::string_view(upper).substr(contentsAt), tokens, &typedAt) == IntegerParse::Stored)
            ScanParsedLine(upper, contentsAt, tokens, typedAt, static_cast<int>(lineAt), spans);
        else
            ScanTypedLine(upper, contentsAt, static_cast<int>(lineAt), spans);
    }
}
