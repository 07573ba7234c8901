// Renumbering: the new numbers are checked against the language's last line
// number and the lines around the range before any text is written, then the
// text is copied once with each changed number's digits put in.
#include "core/basic/renumber.h"

#include <algorithm>

#include "core/basic/applesoft_tokenizer.h"
#include "core/basic/integer_tokenizer.h"
#include "core/basic/line_references.h"
#include "core/text/typed_lines.h"

namespace {

long LastLineNumber(BasicLanguage language)
{
    return language == BasicLanguage::Applesoft ? kHighestLineNumber : kIntegerHighestNumber;
}

Renumbering Refuse(Message message, long line = 0, int value = 0)
{
    Renumbering refused;
    refused.refusal = message;
    refused.refusalText = std::to_string(line);
    refused.refusalValue = value;
    return refused;
}

// A piece of the text as the Apple reads it, without the blanks before it.
std::string Shown(std::string_view text, size_t at, size_t end)
{
    std::string shown;
    for (size_t i = at; i < end; ++i)
        if (!shown.empty() || SevenBit(text[i]) != ' ')
            shown += SevenBit(text[i]);
    return shown;
}

// The old numbers of the range with their new ones, sorted by the old.
using NumberMap = std::vector<LineNumberChange>;

long NewNumber(const NumberMap& map, long old)
{
    const auto found = std::lower_bound(map.begin(), map.end(), old,
                                        [](const LineNumberChange& change, long number) { return change.from < number; });
    return found != map.end() && found->from == old ? found->to : -1;
}

// The text copied into the renumbered one up to each change.
class Copier {
public:
    Copier(std::string_view text, std::vector<TextEdit>& edits) : text_(text), edits_(edits)
    {
        out_.reserve(text.size() + text.size() / 8);
    }

    void Replace(size_t at, size_t end, long number)
    {
        out_.append(text_.substr(copied_, at - copied_));
        edits_.push_back({at, end, std::to_string(number)});
        out_ += edits_.back().text;
        copied_ = end;
    }
    // Where `at` of the old text lands in the new one; never before a change made.
    size_t Where(size_t at) const { return out_.size() + (at - copied_); }
    std::string Finish()
    {
        out_.append(text_.substr(copied_));
        return std::move(out_);
    }

private:
    std::string_view text_;
    std::vector<TextEdit>& edits_;
    std::string out_;
    size_t copied_ = 0;
};

}  // namespace

Renumbering RenumberProgram(std::string_view text, BasicLanguage language, const RenumberRequest& request)
{
    const std::vector<ScannedLine> lines = ScanLineReferences(text, language);
    std::vector<long> numbers;
    for (const ScannedLine& line : lines) {
        if (line.number < 0)
            continue;
        if (!numbers.empty() && line.number <= numbers.back())
            return Refuse(Message::RenumberLinesOutOfOrder, line.number);
        numbers.push_back(line.number);
    }
    if (request.start < 0 || request.step < 1)
        return Refuse(Message::RenumberBadStep);

    const long last = LastLineNumber(language);
    NumberMap map;
    long before = -1;  // the line just before the range
    long after = -1;   // the line just after it
    long next = request.start;
    for (long number : numbers) {
        if (number < request.from) {
            before = number;
        } else if (number > request.to) {
            if (after < 0)
                after = number;
        } else {
            if (next > last)
                return Refuse(Message::RenumberPassesLastLine, number, static_cast<int>(last));
            map.push_back({number, next});
            // next stays far from overflow: it is at most last before the step.
            next += std::min(request.step, last + 1);
        }
    }
    if (!map.empty() && before >= 0 && map.front().to <= before)
        return Refuse(Message::RenumberPassesLine, map.front().from, static_cast<int>(before));
    if (!map.empty() && after >= 0 && map.back().to >= after)
        return Refuse(Message::RenumberPassesLine, map.back().from, static_cast<int>(after));

    Renumbering result;
    Copier copier(text, result.edits);
    for (const ScannedLine& line : lines) {
        long lineNumber = line.number;
        const size_t start = copier.Where(line.start);
        if (const long to = NewNumber(map, line.number); to >= 0 && to != line.number) {
            copier.Replace(line.numberAt, line.numberEnd, to);
            result.changes.push_back({line.number, to});
            lineNumber = to;
        }
        const auto leave = [&](size_t at, std::string what) {
            result.left.push_back({line.textLine, lineNumber, copier.Where(at), std::move(what)});
        };
        if (!line.understood)
            result.left.push_back({line.textLine, lineNumber, start, "SYNTAX ERR: the line's references are left as they are"});
        for (const LineReference& reference : line.references) {
            const std::string keyword = ReferenceKeyword(reference.kind);
            const std::string rest = Shown(text, reference.digitsEnd, reference.end);
            if (reference.target < 0) {
                // Applesoft reads a missing number as 0; Integer BASIC works the line out.
                const std::string what = rest.empty() ? keyword : keyword + " " + rest;
                leave(reference.at, what + (language == BasicLanguage::Applesoft
                                                ? ": no line number, left as it is"
                                                : ": a computed line, left as it is"));
                continue;
            }
            const std::string digits = ReferenceDigits(text, reference);
            if (!std::binary_search(numbers.begin(), numbers.end(), reference.target)) {
                leave(reference.at, keyword + " " + digits + ": there is no line " + digits + ", left as it is");
                continue;
            }
            const size_t at = copier.Where(reference.at);
            long target = reference.target;
            if (const long to = NewNumber(map, target); to >= 0 && to != target) {
                copier.Replace(reference.at, reference.digitsEnd, to);
                target = to;
            }
            if (!rest.empty())
                result.left.push_back({line.textLine, lineNumber, at,
                                       keyword + " " + std::to_string(target) + rest + ": Applesoft goes to line " +
                                           std::to_string(target) + " and ignores " + rest});
        }
    }
    result.text = copier.Finish();
    return result;
}

std::string DescribeReferenceLeft(const ReferenceLeft& left)
{
    const std::string where = left.lineNumber >= 0 ? "line " + std::to_string(left.lineNumber)
                                                   : "line " + std::to_string(left.textLine + 1) + " of the text";
    return where + ": " + left.what;
}
