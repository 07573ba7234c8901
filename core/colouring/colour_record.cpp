// The record of applied colours and the changes a recolouring needs.
#include "core/colouring/colour_record.h"

#include <algorithm>

uint32_t ColourPalette::Of(ColourKind kind) const
{
    switch (kind) {
    case ColourKind::Keyword: return keyword;
    case ColourKind::Operator: return singleCharacter;
    case ColourKind::Quote: return quote;
    case ColourKind::Remark: return remark;
    }
    return plain;
}

TextRange FollowText(ColourRecord& record, std::string_view text)
{
    const std::string_view old = record.text;
    const size_t shorter = std::min(old.size(), text.size());
    size_t prefix = 0;
    while (prefix < shorter && old[prefix] == text[prefix]) ++prefix;
    size_t suffix = 0;
    while (suffix < shorter - prefix && old[old.size() - 1 - suffix] == text[text.size() - 1 - suffix]) ++suffix;
    // The longest prefix places the change as late as it can go; in a run
    // of repeats ("AAA" becoming "AAAA") it may as well sit earlier, and
    // which character is really new cannot be told. Every place it could
    // sit is taken as changed.
    size_t start = prefix;
    size_t oldEnd = old.size() - suffix, newEnd = text.size() - suffix;
    const bool changed = oldEnd > prefix || newEnd > prefix;
    while (changed && start > 0 && old[oldEnd - 1] == text[newEnd - 1]) {
        --start;
        --oldEnd;
        --newEnd;
    }
    prefix = start;

    record.colours.resize(std::max(old.size(), record.colours.size()), kUnknownColour);
    std::vector<uint32_t> colours(text.size(), kUnknownColour);
    std::copy_n(record.colours.begin(), prefix, colours.begin());
    std::copy_n(record.colours.begin() + static_cast<std::ptrdiff_t>(old.size() - suffix), suffix,
                colours.end() - static_cast<std::ptrdiff_t>(suffix));
    record.colours = std::move(colours);
    record.text.assign(text);
    return {static_cast<int>(prefix), static_cast<int>(text.size() - suffix)};
}

std::optional<SelectionEdit> EditAtSelection(TextRange before, TextRange after, int lengthBefore, int lengthAfter)
{
    const int from = std::min(before.from, after.from);
    const int kept = lengthAfter - after.to;  // everything after the caret was there before
    const SelectionEdit edit = {from, lengthBefore - kept, after.to};
    // What went reaches the selection from one side at least: Backspace takes
    // what is before it, Delete what is after, a key or a paste the selection.
    const bool atSelection = from == before.from || edit.oldTo == before.to;
    if (from < 0 || after.from > after.to || kept < 0 || edit.oldTo < from || edit.oldTo > lengthBefore ||
        before.to > edit.oldTo || after.to > lengthAfter || !atSelection)
        return std::nullopt;
    return edit;
}

std::optional<TextRange> FollowEdit(ColourRecord& record, SelectionEdit edit, std::string_view inserted)
{
    if (edit.oldTo > static_cast<int>(record.text.size()) || record.colours.size() != record.text.size() ||
        static_cast<int>(inserted.size()) != edit.newTo - edit.from)
        return std::nullopt;
    const size_t from = static_cast<size_t>(edit.from), removed = static_cast<size_t>(edit.oldTo - edit.from);
    record.text.replace(from, removed, inserted);
    const auto at = record.colours.begin() + edit.from;
    record.colours.insert(record.colours.erase(at, at + static_cast<std::ptrdiff_t>(removed)), inserted.size(),
                          kUnknownColour);
    return TextRange{edit.from, edit.newTo};
}

uint32_t ColourOfTyped(std::string_view text, int at, char typed, const ColourPalette& palette,
                       BasicLanguage language)
{
    const TextRange line = LinesAround(text, {at, at});
    const int offset = std::clamp(at, line.from, line.to) - line.from;
    std::string typedLine(text.substr(static_cast<size_t>(line.from), static_cast<size_t>(line.to - line.from)));
    typedLine.insert(static_cast<size_t>(offset), 1, typed);
    return WantedColours(typedLine, {0, static_cast<int>(typedLine.size())}, palette,
                         language)[static_cast<size_t>(offset)];
}

void FollowEdits(ColourRecord& record, std::span<const TextEdit> edits)
{
    record.colours.resize(record.text.size(), kUnknownColour);
    std::string text;
    std::vector<uint32_t> colours;
    text.reserve(record.text.size() + record.text.size() / 8);
    colours.reserve(text.capacity());
    size_t copied = 0;
    for (const TextEdit& edit : edits) {
        text.append(record.text, copied, edit.at - copied);
        colours.insert(colours.end(), record.colours.begin() + static_cast<std::ptrdiff_t>(copied),
                       record.colours.begin() + static_cast<std::ptrdiff_t>(edit.at));
        const uint32_t colour = edit.at < record.colours.size() ? record.colours[edit.at] : kUnknownColour;
        text += edit.text;
        colours.insert(colours.end(), edit.text.size(), colour);
        copied = edit.end;
    }
    text.append(record.text, copied);
    colours.insert(colours.end(), record.colours.begin() + static_cast<std::ptrdiff_t>(copied), record.colours.end());
    record.text = std::move(text);
    record.colours = std::move(colours);
}

TextRange LinesAround(std::string_view text, TextRange range)
{
    const size_t from = static_cast<size_t>(std::clamp(range.from, 0, static_cast<int>(text.size())));
    const size_t to = static_cast<size_t>(std::clamp(range.to, static_cast<int>(from), static_cast<int>(text.size())));
    const size_t before = from == 0 ? std::string_view::npos : text.rfind('\r', from - 1);
    const size_t start = before == std::string_view::npos ? 0 : before + 1;
    // The line holding the last changed character ends at its carriage
    // return; an empty change still belongs to the line it sits on.
    const size_t last = to > from ? to - 1 : from;
    const size_t cr = text.find('\r', last);
    const size_t end = cr == std::string_view::npos ? text.size() : cr + 1;
    return {static_cast<int>(start), static_cast<int>(end)};
}

std::vector<uint32_t> WantedColours(std::string_view text, TextRange lines, const ColourPalette& palette,
                                    BasicLanguage language)
{
    const std::string_view band = text.substr(static_cast<size_t>(lines.from),
                                              static_cast<size_t>(lines.to - lines.from));
    std::vector<ColourSpan> spans;
    if (language == BasicLanguage::Integer) ScanIntegerText(band, 0, static_cast<int>(band.size()), spans);
    else ScanApplesoftText(band, 0, static_cast<int>(band.size()), spans);
    std::vector<uint32_t> wanted(band.size(), palette.plain);
    for (const ColourSpan& span : spans) {
        const int end = std::min(span.offset + span.length, static_cast<int>(band.size()));
        std::fill(wanted.begin() + span.offset, wanted.begin() + end, palette.Of(span.kind));
    }
    return wanted;
}

std::vector<ColourChange> ChangesToColour(ColourRecord& record, int from, const std::vector<uint32_t>& wanted)
{
    std::vector<ColourChange> changes;
    const int count = std::min(static_cast<int>(wanted.size()), static_cast<int>(record.colours.size()) - from);
    for (int i = 0; i < count;) {
        const uint32_t colour = wanted[static_cast<size_t>(i)];
        auto shown = [&](int at) { return record.colours[static_cast<size_t>(from + at)]; };
        if (shown(i) == colour) {
            ++i;
            continue;
        }
        // One change covers the characters of this colour that are not
        // known to show it already, and those between them.
        ColourChange change = {{from + i, from + i}, colour, false};
        int j = i;
        while (j < count && wanted[static_cast<size_t>(j)] == colour && shown(j) != colour) {
            change.unsure = change.unsure || shown(j) == kUnknownColour;
            record.colours[static_cast<size_t>(from + j)] = colour;
            ++j;
        }
        change.range.to = from + j;
        changes.push_back(change);
        i = j;
    }
    return changes;
}
