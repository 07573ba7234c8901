#include "core/basic/program_lines.h"

#include "core/basic/applesoft_tokenizer.h"
#include "core/basic/integer_tokenizer.h"
#include "core/basic/integer_tokens.h"

void ParseProgramLine(const ProgramLines& lines, BasicLanguage language, ParsedLine& line)
{
    const std::string& buffer = lines.Buffer();
    const TypedLineNumber number = ReadTypedLineNumber(buffer);
    size_t contentsAt = 0;
    line.number = -1;
    line.numberAt = line.numberEnd = lines.Start();
    if (number.value >= 0) {
        const size_t first = buffer.find_first_not_of(' ');
        size_t last = number.contentsAt;
        while (last > first && buffer[last - 1] == ' ')
            --last;
        line.number = number.value;
        line.numberAt = lines.Start() + first;
        line.numberEnd = lines.Start() + last;
        contentsAt = number.contentsAt;
    }
    line.contents = std::string_view(buffer).substr(contentsAt);
    line.base = lines.Start() + contentsAt;
    line.understood = true;
    line.tokens.clear();
    line.typedAt.clear();
    if (language == BasicLanguage::Applesoft)
        ParseApplesoftContents(line.contents, line.tokens, &line.typedAt);
    else if (line.contents.find_first_not_of(' ') != std::string_view::npos)
        line.understood = ParseIntegerContents(line.contents, line.tokens, &line.typedAt) == IntegerParse::Stored;
}

std::vector<IntegerItem> IntegerItems(std::span<const uint8_t> tokens)
{
    std::vector<IntegerItem> items;
    bool inText = false;
    bool afterToken = true;
    for (size_t k = 0; k < tokens.size();) {
        const uint8_t b = tokens[k];
        if (b < kHighBit) {
            inText = b == kRem || b == kOpenQuote || (inText && b != kCloseQuote);
            afterToken = true;
            items.push_back({k++, true, false});
        } else if (!inText && afterToken && b >= kFirstDigit && b <= kLastDigit && k + 2 < tokens.size()) {
            items.push_back({k, false, true});
            k += 3;
            afterToken = false;
        } else {
            afterToken = false;
            items.push_back({k++, false, false});
        }
    }
    return items;
}
