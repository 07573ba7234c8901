// Completion candidates. The line numbers are offered where a jump's target
// stands: right after GOTO, GOSUB or THEN, or after a comma of ON's list.
#include "core/basic/completion.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "core/basic/applesoft_tokenizer.h"
#include "core/basic/keyword_help.h"
#include "core/basic/program_lines.h"
#include "core/basic/variable_names.h"
#include "core/text/ascii.h"

namespace {

constexpr size_t kLineStartChars = 30;  // of a line's text shown beside its number

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWordCharacter(char c) { return IsLetter(c) || IsDigit(c); }

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

enum class Place { Statement, AfterGoto, AfterThen };

// Where the word stands: right after GOTO or GOSUB (or after a number and a
// comma of ON's list), right after THEN, or anywhere else.
Place PlaceOf(std::string_view before)
{
    std::string squeezed;
    for (char c : before)
        if (c != ' ') squeezed += AsciiUpper(c);
    size_t end = squeezed.size();
    while (end > 0 && (IsDigit(squeezed[end - 1]) || squeezed[end - 1] == ',')) --end;
    const bool list = end < squeezed.size();
    if (list && squeezed.back() != ',') return Place::Statement;  // after a whole number
    const std::string_view rest(squeezed.data(), end);
    if (rest.ends_with("GOTO") || rest.ends_with("GOSUB")) return Place::AfterGoto;
    if (rest.ends_with("THEN") && !list) return Place::AfterThen;
    return Place::Statement;
}

const char* TypeName(const VariableUse& use)
{
    static const char* const kNames[2][3] = {{"real", "integer", "string"}, {"real array", "integer array", "string array"}};
    return kNames[use.array ? 1 : 0][static_cast<int>(use.type)];
}

void AddLineNumbers(std::string_view text, std::string_view typed, std::vector<CompletionCandidate>& out)
{
    for (ProgramLines lines(text); lines.Next();) {
        const TypedLineNumber number = ReadTypedLineNumber(lines.Buffer());
        if (number.value < 0) continue;
        const std::string digits = std::to_string(number.value);
        if (!StartsWith(digits, typed)) continue;
        std::string_view start = std::string_view(lines.Buffer()).substr(number.contentsAt, kLineStartChars);
        start = start.substr(0, start.find_last_not_of(' ') + 1);
        out.push_back({digits, CandidateKind::LineNumber, std::string(start)});
    }
    std::stable_sort(out.begin(), out.end(), [](const CompletionCandidate& a, const CompletionCandidate& b) {
        return std::stol(a.text) < std::stol(b.text);
    });
}

void AddWords(std::string_view text, size_t wordStart, size_t wordEnd, std::string_view typed, BasicLanguage language,
              std::vector<CompletionCandidate>& out)
{
    std::vector<CompletionCandidate> words;
    for (const KeywordHelp& row : KeywordHelpTable())
        if (row.language == language && IsLetter(row.keyword[0]) && StartsWith(row.keyword, typed))
            words.push_back({row.keyword, CandidateKind::Keyword, row.syntax});
    // The word being typed is not yet a variable of the program.
    std::string others(text.substr(0, wordStart));
    others.append(text.substr(wordEnd));
    std::map<std::pair<std::string, bool>, const char*> variables;
    const std::vector<VariableUse> uses = FindVariables(others, language);
    for (const VariableUse& use : uses)
        if (StartsWith(use.name, typed)) variables.emplace(std::pair(SpelledName(use, language), use.array), TypeName(use));
    for (const auto& [name, type] : variables) words.push_back({name.first, CandidateKind::Variable, type});
    std::stable_sort(words.begin(), words.end(), [](const CompletionCandidate& a, const CompletionCandidate& b) {
        std::string x = a.text, y = b.text;
        for (char& c : x) c = AsciiUpper(c);
        for (char& c : y) c = AsciiUpper(c);
        return std::tie(x, a.kind) < std::tie(y, b.kind);
    });
    out.insert(out.end(), words.begin(), words.end());
}

}  // namespace

Completion CompleteAt(std::string_view text, size_t caret, BasicLanguage language)
{
    Completion completion;
    caret = std::min(caret, text.size());
    size_t lineStart = caret;
    while (lineStart > 0 && !IsLineEnd(text[lineStart - 1])) --lineStart;
    size_t start = caret;
    while (start > lineStart && IsWordCharacter(text[start - 1])) --start;
    // A line number run into a keyword (10PRINT) is not part of the word.
    while (start < caret && IsDigit(text[start]) && std::any_of(text.begin() + static_cast<std::ptrdiff_t>(start),
                                                                text.begin() + static_cast<std::ptrdiff_t>(caret), IsLetter))
        ++start;
    size_t end = caret;
    while (end < text.size() && (IsWordCharacter(text[end]) || text[end] == '$' || text[end] == '%')) ++end;
    completion.wordStart = start;
    completion.typed = std::string(text.substr(start, caret - start));

    const bool number = !completion.typed.empty() && IsDigit(completion.typed[0]);
    const Place place = PlaceOf(text.substr(lineStart, start - lineStart));
    if (place != Place::Statement && (number || completion.typed.empty()))
        AddLineNumbers(text, completion.typed, completion.candidates);
    // After GOTO and GOSUB Applesoft reads only a number; Integer BASIC takes
    // an expression there.
    if (number || (place == Place::AfterGoto && language == BasicLanguage::Applesoft)) return completion;
    AddWords(text, start, end, completion.typed, language, completion.candidates);
    return completion;
}
