// Writing coloured plain text as rich text.
#include "core/colouring/coloured_rtf.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

std::string ColourEntry(uint32_t colour)
{
    char entry[48];
    std::snprintf(entry, sizeof entry, "\\red%u\\green%u\\blue%u;", colour & 0xFF, (colour >> 8) & 0xFF,
                  (colour >> 16) & 0xFF);
    return entry;
}

void AppendCharacter(std::string& body, char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '{' || c == '}') {
        body += '\\';
        body += c;
    } else if (c == '\t') {
        body += "\\tab ";
    } else if (byte < 0x20 || byte >= 0x80) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\'%02x", byte);
        body += hex;
    } else {
        body += c;
    }
}

}  // namespace

std::string ColouredRtf(std::string_view text, std::span<const uint32_t> colours, const RtfFont& font,
                        std::span<const long> tabStops)
{
    std::vector<uint32_t> table;  // colour n of the table is entry n - 1 here; 0 is the automatic colour
    std::string body;
    size_t current = 0;
    for (size_t i = 0; i < text.size() && i < colours.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            body += "\\par\n";
            continue;
        }
        auto found = std::find(table.begin(), table.end(), colours[i]);
        if (found == table.end()) found = table.insert(table.end(), colours[i]);
        const size_t colour = static_cast<size_t>(found - table.begin()) + 1;
        if (colour != current) {
            body += "\\cf" + std::to_string(colour) + ' ';
            current = colour;
        }
        AppendCharacter(body, c);
    }
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset" + std::to_string(font.charset) + ' ';
    for (char c : font.face) AppendCharacter(rtf, c);
    rtf += ";}}{\\colortbl;";
    for (uint32_t colour : table) rtf += ColourEntry(colour);
    rtf += '}';
    if (!tabStops.empty()) {
        rtf += "\\pard";
        for (long stop : tabStops) rtf += "\\tx" + std::to_string(stop);
    }
    rtf += "\\f0\\fs" + std::to_string(font.halfPoints);
    if (font.bold) rtf += "\\b";
    if (font.italic) rtf += "\\i";
    if (font.underline) rtf += "\\ul";
    return rtf + ' ' + body + '}';
}
