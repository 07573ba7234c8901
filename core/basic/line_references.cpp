// The line-number references, read from each line's tokens as the ROM reads
// them: the Applesoft line is crunched as typed and a number is read digit by
// digit after the token; an Integer BASIC line is parsed by its grammar, where
// a jump takes an expression and only a lone constant names a line.
#include "core/basic/line_references.h"

#include <algorithm>

#include "core/basic/applesoft_tokenizer.h"
#include "core/basic/applesoft_tokens.h"
#include "core/basic/integer_tokens.h"
#include "core/basic/program_lines.h"

namespace {

constexpr const char* kKeywords[] = {"GOTO", "GOSUB", "THEN", "LIST", "RUN", "DEL"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsDigitByte(uint8_t b) { return b >= '0' && b <= '9'; }

// Where the text ending at `to` ends without the blanks before `to`, but not
// before `least`.
size_t TrimmedEnd(std::string_view contents, size_t least, size_t to)
{
    while (to > least && contents[to - 1] == ' ')
        --to;
    return to;
}

class ApplesoftLine {
public:
    ApplesoftLine(std::span<const uint8_t> parsed, std::span<const uint32_t> typedAt, std::string_view contents,
                  size_t base, std::vector<LineReference>& out)
        : parsed_(parsed), typedAt_(typedAt), contents_(contents), base_(base), out_(out)
    {
    }

    void Scan()
    {
        bool on = false;  // in an ON statement, whose GOTO or GOSUB takes a list
        size_t k = 0;
        while (k < parsed_.size()) {
            const uint8_t b = parsed_[k];
            if (b == '"') {
                k = AfterQuote(k);
                continue;
            }
            if (b == kTokenRem)
                return;
            if (b == kTokenData) {
                k = StatementEnd(k + 1);
                continue;
            }
            ++k;
            switch (b) {
            case ':': on = false; break;
            case kTokenOn: on = true; break;
            case kTokenGoto: Jump(ReferenceKind::Goto, k, on); break;
            case kTokenGosub: Jump(ReferenceKind::Gosub, k, on); break;
            case kTokenThen:
                // A number right after THEN is a GOTO; anything else is a statement.
                if (k < parsed_.size() && IsDigitByte(parsed_[k]))
                    Jump(ReferenceKind::Then, k, false);
                break;
            case kTokenList: Range(ReferenceKind::List, k, true); break;
            case kTokenDel: Range(ReferenceKind::Del, k, false); break;
            case kTokenRun: Optional(ReferenceKind::Run, k); break;
            default: break;
            }
        }
    }

private:
    size_t Typed(size_t k) const { return k < parsed_.size() ? typedAt_[k] : contents_.size(); }

    size_t AfterQuote(size_t k) const
    {
        for (++k; k < parsed_.size(); ++k)
            if (parsed_[k] == '"')
                return k + 1;
        return k;
    }

    // The index of the colon that ends the statement from `k`, or the end.
    size_t StatementEnd(size_t k) const
    {
        while (k < parsed_.size() && parsed_[k] != ':')
            k = parsed_[k] == '"' ? AfterQuote(k) : k + 1;
        return k;
    }

    // The digits from `k` as LINGET reads them; `k` moves past them.
    LineReference Number(ReferenceKind kind, size_t& k) const
    {
        const size_t at = Typed(k);
        LineReference reference{kind, base_ + at, base_ + at, base_ + at, -1};
        if (k >= parsed_.size() || !IsDigitByte(parsed_[k]))
            return reference;
        long value = 0;
        for (; k < parsed_.size() && IsDigitByte(parsed_[k]); ++k)
            value = std::min(value * 10 + (parsed_[k] - '0'), kBeyondEveryLine);
        reference.digitsEnd = reference.end = base_ + typedAt_[k - 1] + 1;
        reference.target = value;
        return reference;
    }

    // The end of what follows the digits in their statement, blanks dropped.
    size_t RestEnd(const LineReference& reference, size_t k) const
    {
        return base_ + TrimmedEnd(contents_, reference.digitsEnd - base_, Typed(StatementEnd(k)));
    }

    // GOTO and GOSUB go to the number read, whatever follows it; ON's take
    // a list of numbers.
    void Jump(ReferenceKind kind, size_t& k, bool list)
    {
        for (;;) {
            LineReference reference = Number(kind, k);
            const bool more = list && reference.target >= 0 && k < parsed_.size() && parsed_[k] == ',';
            if (!more)
                reference.end = RestEnd(reference, k);
            out_.push_back(reference);
            if (!more)
                return;
            ++k;
        }
    }

    void Optional(ReferenceKind kind, size_t& k)
    {
        const LineReference reference = Number(kind, k);
        if (reference.target >= 0)
            out_.push_back(reference);
    }

    // LIST [a][-b] or [a][,b]; DEL a,b.
    void Range(ReferenceKind kind, size_t& k, bool minus)
    {
        Optional(kind, k);
        if (k < parsed_.size() && (parsed_[k] == ',' || (minus && parsed_[k] == kTokenMinus)))
            Optional(kind, ++k);
    }

    std::span<const uint8_t> parsed_;
    std::span<const uint32_t> typedAt_;
    std::string_view contents_;
    size_t base_;
    std::vector<LineReference>& out_;
};

bool EndsIntegerNumber(uint8_t token, ReferenceKind kind)
{
    return token == kColon || (kind == ReferenceKind::List && token == kListComma) ||
           (kind == ReferenceKind::Del && token == kDelComma);
}

ScannedLine ScanLine(const ProgramLines& lines, BasicLanguage language, ParsedLine& parsed)
{
    ParseProgramLine(lines, language, parsed);
    ScannedLine line{lines.TextLine(), lines.Start(), parsed.numberAt, parsed.numberEnd, parsed.number,
                     parsed.understood, {}};
    if (language == BasicLanguage::Applesoft)
        FindApplesoftReferences(parsed.tokens, parsed.typedAt, parsed.contents, parsed.base, line.references);
    else if (parsed.understood)
        FindIntegerReferences(parsed.tokens, parsed.typedAt, parsed.contents, parsed.base, line.references);
    return line;
}

}  // namespace

const char* ReferenceKeyword(ReferenceKind kind) { return kKeywords[static_cast<int>(kind)]; }

std::string ReferenceDigits(std::string_view text, const LineReference& reference)
{
    std::string digits;
    for (size_t i = reference.at; i < reference.digitsEnd; ++i)
        if (SevenBit(text[i]) != ' ')
            digits += SevenBit(text[i]);
    return digits;
}

void FindApplesoftReferences(std::span<const uint8_t> parsed, std::span<const uint32_t> typedAt,
                             std::string_view contents, size_t base, std::vector<LineReference>& references)
{
    ApplesoftLine(parsed, typedAt, contents, base, references).Scan();
}

void FindIntegerReferences(std::span<const uint8_t> tokens, std::span<const uint32_t> typedAt,
                           std::string_view contents, size_t base, std::vector<LineReference>& out)
{
    const std::vector<IntegerItem> items = IntegerItems(tokens);
    for (size_t i = 0; i < items.size(); ++i) {
        if (!items[i].token)
            continue;
        ReferenceKind kind;
        switch (tokens[items[i].index]) {
        case kGoto: kind = ReferenceKind::Goto; break;
        case kGosub: kind = ReferenceKind::Gosub; break;
        case kThenLine: kind = ReferenceKind::Then; break;
        case kListRange:
        case kListComma: kind = ReferenceKind::List; break;
        case kRunLine: kind = ReferenceKind::Run; break;
        case kDel:
        case kDelComma: kind = ReferenceKind::Del; break;
        default: continue;
        }
        // The expression runs to the statement's end or the range's comma.
        size_t last = i + 1;
        while (last < items.size() && !(items[last].token && EndsIntegerNumber(tokens[items[last].index], kind)))
            ++last;
        if (i + 1 == last)
            continue;
        const size_t at = typedAt[items[i + 1].index];
        const size_t stop = last < items.size() ? typedAt[items[last].index] : contents.size();
        LineReference reference{kind, base + at, base + at, base + TrimmedEnd(contents, at, stop), -1};
        if (last == i + 2 && items[i + 1].constant) {
            const size_t k = items[i + 1].index;
            reference.target = tokens[k + 1] | (tokens[k + 2] << 8);
            size_t digits = at;
            while (digits < contents.size() && (IsDigit(contents[digits]) || contents[digits] == ' '))
                ++digits;
            reference.digitsEnd = reference.end = base + TrimmedEnd(contents, at, digits);
        }
        out.push_back(reference);
    }
}

std::vector<ScannedLine> ScanLineReferences(std::string_view text, BasicLanguage language)
{
    std::vector<ScannedLine> scanned;
    ParsedLine parsed;
    for (ProgramLines lines(text); lines.Next();)
        if (!lines.Blank())
            scanned.push_back(ScanLine(lines, language, parsed));
    return scanned;
}

CaretReference ReferenceAtCaret(std::string_view text, size_t caret, BasicLanguage language)
{
    CaretReference found;
    // Only the caret's line is parsed; the others give only their numbers.
    ProgramLines lines(text);
    bool onLine = false;
    while (!onLine && lines.Next())
        onLine = caret >= lines.Start() && caret <= lines.Start() + lines.Buffer().size();
    if (!onLine)
        return found;
    ParsedLine parsed;
    for (const LineReference& reference : ScanLine(lines, language, parsed).references)
        if (reference.target >= 0 && caret >= reference.at && caret <= reference.digitsEnd) {
            found.found = true;
            found.reference = reference;
            break;
        }
    if (!found.found)
        return found;
    for (ProgramLines numbers(text); numbers.Next();)
        if (ReadTypedLineNumber(numbers.Buffer()).value == found.reference.target) {
            found.targetTextLine = numbers.TextLine();
            found.targetStart = numbers.Start();
        }
    return found;
}

std::vector<JumpingLine> LinesThatJumpTo(std::string_view text, long target, BasicLanguage language)
{
    std::vector<JumpingLine> jumping;
    for (const ScannedLine& line : ScanLineReferences(text, language))
        for (const LineReference& reference : line.references)
            if (reference.target == target && target >= 0)
                jumping.push_back({line.textLine, line.number, reference});
    return jumping;
}
