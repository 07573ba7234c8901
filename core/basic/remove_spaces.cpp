// The text transform of the Remove Spaces command.
#include "core/basic/remove_spaces.h"

#include "core/basic/applesoft_tokens.h"
#include "core/text/ascii.h"

namespace {

enum class Within { Statement, Quote, Data, Remark };

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::string RemoveSpaces(std::string_view selection, std::string_view lineBefore)
{
    const std::string text = std::string(lineBefore) + std::string(selection);
    const size_t from = lineBefore.size();
    std::string result;
    result.reserve(selection.size());
    Within within = Within::Statement;
    size_t i = 0;
    auto keep = [&](size_t count) {
        for (size_t end = i + count; i < end; ++i)
            if (i >= from && !(within == Within::Statement && text[i] == ' ')) result.push_back(text[i]);
    };
    while (i < text.size()) {
        const char c = text[i];
        if (IsLineEnd(c)) {
            within = Within::Statement;
        } else if (c == '"' && within == Within::Quote) {
            within = Within::Statement;
        } else if (c == '"' && within == Within::Statement) {
            within = Within::Quote;
        } else if (c == '"' && within == Within::Data) {
            // A quoted DATA item may hold a colon; its spaces stay all the same.
            keep(1);
            while (i < text.size() && text[i] != '"' && !IsLineEnd(text[i])) keep(1);
            if (i < text.size() && text[i] == '"') keep(1);
            continue;
        } else if (c == ':' && within == Within::Data) {
            within = Within::Statement;
        } else if (within == Within::Statement && c != ' ') {
            const KeywordMatch match = MatchApplesoftKeyword(text, i, KeywordCase::Ignored);
            if (match.length != 0) {
                keep(match.length);
                const std::string_view name = kApplesoftTokens[match.entry];
                if (name == "REM") within = Within::Remark;
                if (name == "DATA") within = Within::Data;
                continue;
            }
        }
        keep(1);
    }
    return result;
}
