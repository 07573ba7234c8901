// Pages laid out and drawn by the program itself from an editor's text and
// character formats. Wine's rich edit answers EM_FORMATRANGE and
// EM_DISPLAYBAND with stubs (no page ever ends, nothing is drawn), so the
// program cannot leave this to the control and print under Wine too; doing
// it here gives the same pages on Windows and under Wine.
#pragma once
#include <windows.h>
#include <richedit.h>

#include <string>
#include <vector>

// One stretch of text in one character format, with its font made for the
// printer.
struct PrintRun {
    LONG start = 0, end = 0;
    HFONT font = nullptr;
    COLORREF colour = 0;
    int ascent = 0, height = 0;  // device pixels
};

// An editor's text and formats read once for one printer device context.
class PrintSource {
public:
    // Reads the editor's text and formats (moving its selection) and makes
    // the fonts for `printer`; `black` prints every character in black. The
    // paragraphs' layout comes from `layoutEditor`, from its paragraph at
    // `layoutStart` on, when one is given: rich text streamed into a copy
    // loses indents under Wine.
    PrintSource(HWND editor, HDC printer, bool black, HWND layoutEditor = nullptr, LONG layoutStart = 0);
    ~PrintSource();
    PrintSource(const PrintSource&) = delete;
    PrintSource& operator=(const PrintSource&) = delete;

    LONG length() const { return static_cast<LONG>(text_.size()); }
    const std::string& text() const { return text_; }
    const PrintRun& RunAt(LONG position) const;
    const std::vector<PrintRun>& runs() const { return runs_; }
    // A paragraph's layout as the control keeps it; indents and tab stops
    // in twips from the left margin.
    struct Paragraph {
        LONG start = 0;
        WORD alignment = PFA_LEFT;  // PFA_LEFT, PFA_CENTER or PFA_RIGHT
        LONG startIndent = 0;       // the first line's
        LONG offset = 0;            // the other lines', from the first line's
        LONG rightIndent = 0;
        std::vector<LONG> tabs;     // none: every half inch
        bool operator==(const Paragraph& other) const = default;
    };
    // The paragraph holding `position`.
    const Paragraph& ParagraphAt(LONG position) const;

private:
    void ReadParagraphs(HWND editor, LONG from);
    std::string text_;
    std::vector<PrintRun> runs_;  // never empty: an empty text has its insertion format
    std::vector<Paragraph> paragraphs_;  // never empty; one when all share their layout
};

struct PrintLine {
    LONG start = 0, end = 0;  // the characters drawn; the line break is not among them
    int top = 0, ascent = 0;  // device pixels from the print rectangle's top
    int left = 0, right = 0;  // the room between the indents, device pixels from its left
};

struct LaidOutPage {
    std::vector<PrintLine> lines;
    LONG next = 0;  // the first character of the next page
};

// Lays out the characters from `start` to `end` into `area` (device pixels)
// as far as they fit: lines break at line ends and wrap at the last space
// that fits, between their paragraph's indents, with tabs at its stops. A page holds at least one line, so each page moves on unless
// the area has no room at all.
LaidOutPage LayOutPage(HDC printer, const PrintSource& source, LONG start, LONG end, const RECT& area);
// False when the printer refused to draw some of the text.
bool DrawPage(HDC printer, const PrintSource& source, const LaidOutPage& page, const RECT& area);
