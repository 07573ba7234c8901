// Rich text for plain characters in one font, each in its own colour: what
// replaces an Applesoft selection so that text and colours change in one
// step, and the colours read back from a control's rich text. Portable.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct RtfFont {
    std::string face;
    int charset = 0;       // the Windows character set number
    int halfPoints = 18;   // size in half points
    bool bold = false, italic = false, underline = false;
};

// `colours[i]` is the colour (0x00BBGGRR) of text[i]; it needs one entry for
// each character. A carriage return, a line feed or the pair of them ends a
// paragraph; backslash, braces, control and non-ASCII characters are escaped.
// Every paragraph gets `tabStops` (twips from the left margin).
std::string ColouredRtf(std::string_view text, std::span<const uint32_t> colours, const RtfFont& font,
                        std::span<const long> tabStops = {});

// The colour (0x00BBGGRR) each character of `text` shows in `rtf`, a rich
// text control's own writing of that text, for as long as the two agree:
// fewer colours than characters where the rich text holds something this
// reading does not follow. A character in the automatic colour gets
// `automatic`; a line break, which shows no colour, the colour before it.
std::vector<uint32_t> ColoursShownInRtf(std::string_view rtf, std::string_view text, uint32_t automatic);
