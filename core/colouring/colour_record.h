// What an Applesoft editor's characters show, as far as the colouring knows
// it, and the fewest colour changes that bring a band of lines to what the
// scanner gives them. A change of format costs the rich-edit control a new
// layout of the whole line; reading is cheap. Portable.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/basic/basic_language.h"
#include "core/colouring/colour_scanner.h"
#include "core/text/text_edits.h"

constexpr uint32_t kUnknownColour = 0xFFFFFFFF;  // not a 24-bit colour: a character nobody coloured yet

struct ColourPalette {
    uint32_t plain, keyword, singleCharacter, quote, remark;
    uint32_t Of(ColourKind kind) const;
};

// The editor's text when last seen and the colour of each of its characters.
struct ColourRecord {
    std::string text;
    std::vector<uint32_t> colours;
};

struct TextRange {
    int from = 0, to = 0;  // character positions, to excluded
    bool operator==(const TextRange&) const = default;
};

// Takes the record to `text`. Characters before and after the part that
// differs keep their colours (an edit carries a character's format with
// it); those in between become unknown. Returns that part in the new text.
TextRange FollowText(ColourRecord& record, std::string_view text);

// Where an edit made at the selection changed the text: typing, Backspace,
// Delete, a paste and a cut each replace what lies between the selection's
// start and its end, and leave the caret after what they put in. So the
// selections around the edit (`before`, `after`) and the text's lengths tell
// the change without reading the text.
struct SelectionEdit {
    int from = 0, oldTo = 0, newTo = 0;  // [from, oldTo) of the old text became [from, newTo)
    bool operator==(const SelectionEdit&) const = default;
};
// Nothing when the figures cannot come from such an edit.
std::optional<SelectionEdit> EditAtSelection(TextRange before, TextRange after, int lengthBefore, int lengthAfter);
// Takes the record past `edit`, whose new characters are `inserted`: the
// characters around it keep their colours, the new ones are unknown.
// Returns the new characters' range, or nothing, the record as it was, when
// `inserted` or the record does not fit the edit.
std::optional<TextRange> FollowEdit(ColourRecord& record, SelectionEdit edit, std::string_view inserted);
// The colour the scanner gives `typed` once it is put in at `at`, its line
// scanned again: the format the control can give a typed character before
// it goes in, so that the character needs no change of format afterwards.
uint32_t ColourOfTyped(std::string_view text, int at, char typed, const ColourPalette& palette,
                       BasicLanguage language);
// Takes the record through `edits` (in text order) of its text, each new
// piece showing the colour of the first character it replaces, as a rich-edit
// control gives a replacement the format of the selection's start.
void FollowEdits(ColourRecord& record, std::span<const TextEdit> edits);

// The whole lines (each with its carriage return) that hold `range`.
TextRange LinesAround(std::string_view text, TextRange range);

// The colour the scanner of `language` gives each character of `lines`
// (whole lines of text), everything it leaves alone plain.
std::vector<uint32_t> WantedColours(std::string_view text, TextRange lines, const ColourPalette& palette,
                                    BasicLanguage language = BasicLanguage::Applesoft);

struct ColourChange {
    TextRange range;
    uint32_t colour;
    bool unsure;  // some characters unknown: look before changing
    bool operator==(const ColourChange&) const = default;
};

// The changes that give the characters from `from` on the colours in
// `wanted`, skipping characters the record already shows right. The record
// is brought to the wanted colours.
std::vector<ColourChange> ChangesToColour(ColourRecord& record, int from, const std::vector<uint32_t>& wanted);
