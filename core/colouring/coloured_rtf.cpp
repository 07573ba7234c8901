// Writing coloured plain text as rich text, and reading the colours back.
#include "core/colouring/coloured_rtf.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
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

// A control word's name and number, `at` on its first letter; `end` is past
// the space that may close it.
struct ControlWord {
    std::string_view name;
    std::optional<long> number;
    size_t end = 0;
};

ControlWord ReadControlWord(std::string_view rtf, size_t at)
{
    ControlWord word;
    size_t i = at;
    while (i < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i]))) ++i;
    word.name = rtf.substr(at, i - at);
    const size_t digits = i + (i < rtf.size() && rtf[i] == '-' ? 1 : 0);
    size_t j = digits;
    long value = 0;
    while (j < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[j])) && value < 0x1000000)
        value = value * 10 + (rtf[j++] - '0');
    if (j > digits) {
        word.number = digits > i ? -value : value;
        i = j;
    }
    word.end = i < rtf.size() && rtf[i] == ' ' ? i + 1 : i;
    return word;
}

// Follows the text of a control's rich text against the characters it
// should hold, noting the colour in force at each.
class ColourReader {
public:
    ColourReader(std::string_view text, uint32_t automatic) : text_(text), automatic_(automatic), colour_(automatic) {}

    std::vector<uint32_t> Read(std::string_view rtf)
    {
        for (size_t i = 0; i < rtf.size();) {
            const char c = rtf[i];
            if (c == '{') {
                groups_.push_back(colour_);
                ++i;
            } else if (c == '}') {
                if (tableDepth_ == groups_.size()) tableDepth_ = 0;
                if (groups_.empty()) break;
                colour_ = groups_.back();
                groups_.pop_back();
                ++i;
            } else if (c == '\\' && i + 1 < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i + 1]))) {
                const ControlWord word = ReadControlWord(rtf, i + 1);
                if (!Take(word)) break;
                i = word.end;
            } else if (c == '\\' && i + 1 < rtf.size()) {
                const char symbol = rtf[i + 1];
                i += 2;
                if (symbol == '*') continue;
                if (symbol == '\'') {
                    const bool hex = i + 2 <= rtf.size() && std::isxdigit(static_cast<unsigned char>(rtf[i])) &&
                                     std::isxdigit(static_cast<unsigned char>(rtf[i + 1]));
                    if (!hex) break;
                    const char byte = static_cast<char>(std::stoi(std::string(rtf.substr(i, 2)), nullptr, 16));
                    i += 2;
                    if (InText() && !Put(byte)) break;
                } else if (symbol == '\\' || symbol == '{' || symbol == '}') {
                    if (InText() && !Put(symbol)) break;
                } else if (symbol == '\r' || symbol == '\n') {
                    if (InText() && !PutLineBreak()) break;
                } else {
                    break;  // a special character this reading does not follow
                }
            } else if (c == '\r' || c == '\n') {
                ++i;  // rich text's own line breaks mean nothing
            } else {
                if (InTable()) {
                    if (c == ';') EndTableEntry();
                } else if (InText() && !Put(c)) {
                    break;
                }
                ++i;
            }
        }
        return std::move(shown_);
    }

private:
    bool InText() const { return groups_.size() == 1; }  // the body; deeper groups hold tables and names
    bool InTable() const { return tableDepth_ != 0 && tableDepth_ == groups_.size(); }

    // False where the reading has to stop.
    bool Take(const ControlWord& word)
    {
        const long number = word.number.value_or(0);
        if (word.name == "colortbl") {
            tableDepth_ = groups_.size();
        } else if (InTable() && (word.name == "red" || word.name == "green" || word.name == "blue")) {
            const int shift = word.name == "red" ? 0 : word.name == "green" ? 8 : 16;
            entry_ = entry_.value_or(0) | static_cast<uint32_t>(number & 0xFF) << shift;
        } else if (word.name == "cf") {
            colour_ = number > 0 && static_cast<size_t>(number) < table_.size() ? table_[static_cast<size_t>(number)]
                                                                              : automatic_;
        } else if (word.name == "plain") {
            colour_ = automatic_;
        } else if (InText() && (word.name == "par" || word.name == "line")) {
            return PutLineBreak();
        } else if (InText() && word.name == "tab") {
            return Put('\t');
        } else if (word.name == "u") {
            return false;  // a character outside the code page: the text cannot hold it
        }
        return true;  // formatting that colours nothing
    }

    void EndTableEntry()
    {
        table_.push_back(entry_.value_or(automatic_));
        entry_.reset();
    }

    bool Put(char c)
    {
        if (shown_.size() >= text_.size() || text_[shown_.size()] != c) return false;
        shown_.push_back(colour_);
        return true;
    }

    // A paragraph's end: CR, LF or the pair, as the control keeps it.
    bool PutLineBreak()
    {
        const size_t at = shown_.size();
        if (at >= text_.size() || (text_[at] != '\r' && text_[at] != '\n')) return false;
        shown_.push_back(colour_);
        if (text_[at] == '\r' && at + 1 < text_.size() && text_[at + 1] == '\n') shown_.push_back(colour_);
        return true;
    }

    std::string_view text_;
    uint32_t automatic_;
    uint32_t colour_;
    std::vector<uint32_t> groups_;  // the colour to go back to at the end of each open group
    size_t tableDepth_ = 0;         // the colour table's group, while it is open
    std::vector<uint32_t> table_;
    std::optional<uint32_t> entry_;  // the table entry being read; none: the automatic colour
    std::vector<uint32_t> shown_;
};

}  // namespace

std::vector<uint32_t> ColoursShownInRtf(std::string_view rtf, std::string_view text, uint32_t automatic)
{
    return ColourReader(text, automatic).Read(rtf);
}

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
