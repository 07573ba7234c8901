// What an Applesoft editor's characters show, as far as the colouring knows
// it, and the fewest colour changes that bring a band of lines to what the
// scanner gives them. A change of format costs the rich-edit control a new
// layout of the whole line; reading is cheap. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/basic/basic_language.h"
#include "core/colouring/colour_scanner.h"

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
