#include "core/basic/variable_check.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/basic/variable_names.h"

namespace {

constexpr long kUndeclaredLargestIndex = 10;  // an array no DIM makes has indexes 0 to 10

constexpr BasicLanguage kA = BasicLanguage::Applesoft;

// One way a program spells a variable, and the lines that spell it so.
struct Spelling {
    std::string shown;
    int firstTextLine;
    std::vector<long> lines;
};

std::string Shown(const VariableUse& use) { return SpelledName(use, kA) + (use.array ? "()" : ""); }

std::string LineList(const std::vector<long>& lines)
{
    std::string list;
    for (long line : lines) list += (list.empty() ? "" : ", ") + std::to_string(line);
    return list.empty() ? "lines without a number" : list;
}

void FindSameTwoCharacters(const std::vector<VariableUse>& uses, std::vector<VariableProblem>& problems)
{
    std::map<std::string, std::vector<Spelling>> byIdentity;
    for (const VariableUse& use : uses) {
        std::vector<Spelling>& spellings = byIdentity[ApplesoftIdentity(use)];
        const std::string shown = Shown(use);
        auto found = std::find_if(spellings.begin(), spellings.end(), [&](const Spelling& s) { return s.shown == shown; });
        if (found == spellings.end()) found = spellings.insert(spellings.end(), {shown, use.textLine, {}});
        if (use.lineNumber >= 0 && std::find(found->lines.begin(), found->lines.end(), use.lineNumber) == found->lines.end())
            found->lines.push_back(use.lineNumber);
    }
    for (const auto& [identity, spellings] : byIdentity)
        for (size_t j = 1; j < spellings.size(); ++j)
            for (size_t i = 0; i < j; ++i) {
                const Spelling& a = spellings[i];
                const Spelling& b = spellings[j];
                const bool array = identity.back() == '(';
                problems.push_back({FindingKind::SameVariable, b.firstTextLine,
                                    a.shown + " and " + b.shown + (array ? " are one array" : " are one variable") +
                                        ": Applesoft reads only " + identity + (array ? ")" : "") + " (" + a.shown +
                                        " in " + LineList(a.lines) + "; " + b.shown + " in " + LineList(b.lines) + ")"});
            }
}

}  // namespace

std::vector<VariableProblem> FindApplesoftVariableProblems(std::string_view text)
{
    const std::vector<VariableUse> uses = FindVariables(text, kA);
    std::vector<VariableProblem> problems;
    FindSameTwoCharacters(uses, problems);
    std::set<std::string> declared, opened;
    for (const VariableUse& use : uses) {
        if (use.role == VariableRole::Declared) declared.insert(ApplesoftIdentity(use));
        if (use.role == VariableRole::LoopStart) opened.insert(ApplesoftIdentity(use));
    }
    std::set<std::pair<int, std::string>> named;  // one finding a line for each
    for (const VariableUse& use : uses) {
        const std::string identity = ApplesoftIdentity(use);
        if (use.array && use.largestIndex > kUndeclaredLargestIndex && !declared.count(identity) &&
            named.insert({use.textLine, identity}).second)
            problems.push_back({FindingKind::ArrayWithoutDim, use.textLine,
                                SpelledName(use, kA) + "(" + std::to_string(use.largestIndex) + "): no DIM makes " + Shown(use) +
                                    ", so its largest index is 10"});
        if (use.role == VariableRole::LoopEnd && !opened.count(identity) && named.insert({use.textLine, identity}).second)
            problems.push_back({FindingKind::NextWithoutFor, use.textLine,
                                "NEXT " + SpelledName(use, kA) + ": no FOR opens " + SpelledName(use, kA)});
    }
    std::stable_sort(problems.begin(), problems.end(),
                     [](const VariableProblem& a, const VariableProblem& b) { return a.textLine < b.textLine; });
    return problems;
}
