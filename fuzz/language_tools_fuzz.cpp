// Fuzz target for the language tools on any text, Applesoft or Integer BASIC
// by the first byte. Renumbering keeps every line and reference where it
// was, with the new numbers; renumbering its result again the same way gives
// it back byte for byte; the reference under the caret, the lines that jump
// to a line, completion, the keyword under the caret and Integer BASIC's
// Check Program point only inside the text. A broken promise aborts.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/basic/completion.h"
#include "core/basic/keyword_help.h"
#include "core/basic/line_references.h"
#include "core/basic/program_check.h"
#include "core/basic/renumber.h"

namespace {

void Require(bool holds)
{
    if (!holds)
        abort();
}

long Mapped(const std::vector<LineNumberChange>& changes, long number)
{
    for (const LineNumberChange& change : changes)
        if (change.from == number)
            return change.to;
    return number;
}

// The renumbered text holds the same lines and references, the numbers
// mapped wherever a reference names a line of the text.
void RequireFollowed(std::string_view text, const Renumbering& result, BasicLanguage language)
{
    const std::vector<ScannedLine> before = ScanLineReferences(text, language);
    const std::vector<ScannedLine> after = ScanLineReferences(result.text, language);
    Require(before.size() == after.size());
    std::vector<long> numbers;
    for (const ScannedLine& line : before)
        numbers.push_back(line.number);
    for (size_t i = 0; i < before.size(); ++i) {
        Require(after[i].number == Mapped(result.changes, before[i].number));
        Require(after[i].references.size() == before[i].references.size());
        for (size_t k = 0; k < before[i].references.size(); ++k) {
            const long target = before[i].references[k].target;
            const bool exists = std::find(numbers.begin(), numbers.end(), target) != numbers.end();
            Require(after[i].references[k].target == (exists ? Mapped(result.changes, target) : target));
        }
    }
    for (const ReferenceLeft& left : result.left)
        Require(left.offset <= result.text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    const BasicLanguage language = (data[0] & 1) != 0 ? BasicLanguage::Integer : BasicLanguage::Applesoft;
    const std::string_view text(reinterpret_cast<const char*>(data + 4), size - 4);
    const size_t caret = text.empty() ? 0 : (data[1] * 256u + data[2]) % (text.size() + 1);

    const RenumberRequest whole{0, LONG_MAX, data[1] * 10L, 1 + data[2] % 100};
    const Renumbering renumbered = RenumberProgram(text, language, whole);
    if (renumbered.refusal == Message::None) {
        RequireFollowed(text, renumbered, language);
        const Renumbering again = RenumberProgram(renumbered.text, language, whole);
        Require(again.refusal == Message::None && again.text == renumbered.text && again.changes.empty());
    }
    const RenumberRequest part{data[3] * 100L, data[3] * 100L + data[2] * 10L, data[1] * 50L, 1 + data[3] % 20};
    const Renumbering range = RenumberProgram(text, language, part);
    if (range.refusal == Message::None)
        RequireFollowed(text, range, language);

    const CaretReference reference = ReferenceAtCaret(text, caret, language);
    if (reference.found)
        Require(reference.reference.at <= caret && caret <= reference.reference.digitsEnd &&
                reference.reference.digitsEnd <= text.size() && reference.targetStart <= text.size());
    for (const JumpingLine& line : LinesThatJumpTo(text, data[1] * 10L, language))
        Require(line.reference.digitsEnd <= text.size());

    const Completion completion = CompleteAt(text, caret, language);
    Require(completion.wordStart + completion.typed.size() == caret);

    const std::string_view line = text.substr(0, std::min(text.find_first_of("\r\n"), text.size()));
    const KeywordAtCaret keyword = KeywordUnderCaret(line, caret % (line.size() + 1), language);
    if (keyword.help != nullptr)
        Require(keyword.start <= caret % (line.size() + 1) && keyword.end <= line.size());

    if (language == BasicLanguage::Integer)
        for (const ProgramFinding& finding : CheckIntegerProgram(text).findings)
            Require(finding.offset <= text.size() && finding.line >= 0);
    return 0;
}
