// A program's text one line at a time, each as the tokenizers read it: CR,
// LF or CR LF end a line, the high bit of a character means nothing and a
// NUL ends the line early. Unlike typing, a line is read whole, past the
// input buffer's length: the tools on the text look at all of it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/basic/basic_language.h"
#include "core/text/typed_lines.h"

class ProgramLines {
public:
    explicit ProgramLines(std::string_view text) : text_(text) {}

    // Moves to the next line; false after the last.
    bool Next()
    {
        if (next_ > text_.size())
            return false;
        start_ = next_;
        ++textLine_;
        const std::string_view typed = NextTypedLine(text_, next_);
        buffer_.clear();
        for (char c : typed) {
            if (SevenBit(c) == '\0')
                break;
            buffer_ += SevenBit(c);
        }
        return true;
    }
    int TextLine() const { return textLine_; }  // 0-based
    size_t Start() const { return start_; }     // where the line starts in the text
    // The line as read; its index i is the text's Start() + i.
    const std::string& Buffer() const { return buffer_; }
    bool Blank() const { return buffer_.find_first_not_of(' ') == std::string::npos; }

private:
    std::string_view text_;
    size_t next_ = 0;
    size_t start_ = 0;
    int textLine_ = -1;
    std::string buffer_;
};

// One line's number and its contents parsed as the ROM parses them.
struct ParsedLine {
    long number = -1;      // -1 when the line has no number
    size_t numberAt = 0;   // its digits in the text; numberEnd == numberAt when it has none
    size_t numberEnd = 0;
    size_t base = 0;       // where the contents start in the text
    std::string_view contents;  // within the ProgramLines' buffer
    bool understood = true;     // false: Integer BASIC refuses the line (SYNTAX ERR); no tokens then
    std::vector<uint8_t> tokens;
    std::vector<uint32_t> typedAt;  // each token's index in `contents`
};

// Reuses `line`'s vectors, so a loop over a program allocates little.
void ParseProgramLine(const ProgramLines& lines, BasicLanguage language, ParsedLine& line);

// Integer BASIC's tokens in items: a token, a constant (its first digit and
// two bytes of value) or a character of a name, string or remark. A digit
// right after a token starts a constant; inside a name it is a letter's
// neighbour.
struct IntegerItem {
    size_t index;  // of its first byte
    bool token;
    bool constant;
};
std::vector<IntegerItem> IntegerItems(std::span<const uint8_t> tokens);
