#include "core/basic/check_numbering.h"

#include <map>
#include <set>

namespace {

std::string TextLineName(int line) { return "line " + std::to_string(line + 1) + " of the text"; }

}  // namespace

std::vector<CheckedJump> JumpsAmong(const std::vector<LineReference>& references, std::string_view contents)
{
    std::vector<CheckedJump> jumps;
    for (const LineReference& reference : references) {
        const bool jump = reference.kind == ReferenceKind::Goto || reference.kind == ReferenceKind::Gosub ||
                          reference.kind == ReferenceKind::Then;
        if (!jump || reference.target < 0) continue;
        std::string digits;
        for (size_t i = reference.at; i < reference.digitsEnd; ++i)
            if (contents[i] != ' ') digits += contents[i];
        jumps.push_back({reference.kind, reference.target, digits});
    }
    return jumps;
}

void CheckNumbering(const std::vector<NumberedLine>& numbered, ProgramCheck& check)
{
    // The last line of each number is the one the Apple keeps.
    std::map<int, size_t> last;
    for (size_t k = 0; k < numbered.size(); ++k) last[numbered[k].number] = k;
    std::set<long> stored;
    for (const auto& [number, k] : last)
        if (!numbered[k].alone) stored.insert(number);
    check.storedLines = static_cast<int>(stored.size());
    int previous = -1;
    for (size_t k = 0; k < numbered.size(); ++k) {
        const NumberedLine& line = numbered[k];
        const NumberedLine& kept = numbered[last[line.number]];
        const std::string typed(line.typed);
        if (&kept != &line && !line.alone)
            check.findings.push_back({FindingKind::Replaced, line.line, line.offset,
                                      "Line " + std::to_string(line.number) + " again at " + TextLineName(kept.line) +
                                          (kept.alone ? ", a number alone: this one is deleted"
                                                      : ": this one is replaced"),
                                      typed, line.listed});
        if (line.alone) continue;  // a number alone only deletes
        if (previous >= 0 && line.number < previous)
            check.findings.push_back({FindingKind::OutOfOrder, line.line, line.offset,
                                      "Out of order: after line " + std::to_string(previous), typed, line.listed});
        previous = line.number;
        if (&kept != &line) continue;
        for (const CheckedJump& jump : line.jumps)
            if (!stored.count(jump.target))
                check.findings.push_back({FindingKind::MissingTarget, line.line, line.offset,
                                          std::string(ReferenceKeyword(jump.kind)) + " " + jump.digits +
                                              ": there is no line " + jump.digits,
                                          typed, line.listed});
    }
}
