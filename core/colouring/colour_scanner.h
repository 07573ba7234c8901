// The colouring scanners of Applesoft and, at the end, of Integer BASIC:
// which character ranges of a text get the keyword, operator, string or
// remark colour. Text in, spans out; the editor
// side (basic/editor_colouring.cpp) applies them.
#pragma once
#include <string_view>
#include <vector>

enum class ColourKind { Keyword, Operator, Quote, Remark };

struct ColourSpan {
    ColourKind kind;
    int offset;  // characters from the start of the scanned text
    int length;  // characters, at least 1
    bool operator==(const ColourSpan&) const = default;
};

constexpr int kLinePieceChars = 299;   // most characters the whole-text pass reads at once
constexpr int kCaretRangeChars = 599;  // most characters a keystroke recolours

// Scans one piece of text with a fresh state (not in a string, not in DATA)
// and appends its spans, in the order they are found, offset by base.
// A REM colours the text after it up to remarkEnd (an offset in text, at
// least the end of REM) and ends the scan.
void ScanApplesoftLine(std::string_view text, int remarkEnd, int base,
                       std::vector<ColourSpan>& spans);

// The length of the next piece of text, the way the whole-text pass reads
// it: of the first kLinePieceChars characters, those up to the first
// carriage return. Returns the index of that carriage return (the line
// length) or, when there is none, minus the number of characters available.
int LinePieceLength(std::string_view rest);

// Colours a whole text as the whole-text pass does: piece after piece from
// position start until end (or the end of text), each scanned alone, a REM
// running to the end of its line. Spans carry offsets into text.
void ScanApplesoftText(std::string_view text, int start, int end, std::vector<ColourSpan>& spans);

// Colours a whole text of Integer BASIC from position start until end, line
// by line: keywords where the ROM's parser finds them (a line it would
// refuse, word by word), strings, a REM's remark to the end of its line and
// the operators Applesoft colours too. Spans carry offsets into text.
void ScanIntegerText(std::string_view text, int start, int end, std::vector<ColourSpan>& spans);
