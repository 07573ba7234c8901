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
    // the fonts for `printer`; `black` prints every character in black.
    PrintSource(HWND editor, HDC printer, bool black);
    ~PrintSource();
    PrintSource(const PrintSource&) = delete;
    PrintSource& operator=(const PrintSource&) = delete;

    LONG length() const { return static_cast<LONG>(text_.size()); }
    const std::string& text() const { return text_; }
    const PrintRun& RunAt(LONG position) const;
    const std::vector<PrintRun>& runs() const { return runs_; }
    // PFA_LEFT, PFA_CENTER or PFA_RIGHT: the alignment of the paragraph
    // holding `position`.
    WORD AlignmentAt(LONG position) const;

private:
    void ReadAlignments(HWND editor);
    struct Paragraph {
        LONG start;
        WORD alignment;
    };
    std::string text_;
    std::vector<PrintRun> runs_;  // never empty: an empty text has its insertion format
    std::vector<Paragraph> paragraphs_;  // never empty; one when all share an alignment
};

struct PrintLine {
    LONG start = 0, end = 0;  // the characters drawn; the line break is not among them
    int top = 0, ascent = 0;  // device pixels from the print rectangle's top
};

struct LaidOutPage {
    std::vector<PrintLine> lines;
    LONG next = 0;  // the first character of the next page
};

// Lays out the characters from `start` to `end` into `area` (device pixels)
// as far as they fit: lines break at line ends and wrap at the last space
// that fits. A page holds at least one line, so each page moves on unless
// the area has no room at all.
LaidOutPage LayOutPage(HDC printer, const PrintSource& source, LONG start, LONG end, const RECT& area);
// False when the printer refused to draw some of the text.
bool DrawPage(HDC printer, const PrintSource& source, const LaidOutPage& page, const RECT& area);
