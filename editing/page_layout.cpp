#include "editing/page_layout.h"

#include <algorithm>
#include <optional>

#include "shell/editor_text.h"
#include "shell/quiet_editor.h"

namespace {

constexpr DWORD kFontMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR;

CHARFORMATA FormatOf(HWND editor, LONG from, LONG to, bool* uniform)
{
    CHARRANGE range = {from, to};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    if (uniform) *uniform = (format.dwMask & kFontMask) == kFontMask;
    return format;
}

// The end of the stretch from `start` in one format: grows the stretch by
// doubling while the control calls it uniform, then halves back to the
// first change, so a long run costs a few dozen questions, not one per
// character.
LONG RunEnd(HWND editor, LONG start, LONG end)
{
    LONG good = start + 1, bad = end + 1;
    for (LONG step = 1; good < end; step *= 2) {
        LONG probe = std::min(end, good + step);
        bool uniform = false;
        FormatOf(editor, start, probe, &uniform);
        if (!uniform) { bad = probe; break; }
        good = probe;
    }
    while (bad - good > 1) {
        LONG middle = good + (bad - good) / 2;
        bool uniform = false;
        FormatOf(editor, start, middle, &uniform);
        (uniform ? good : bad) = middle;
    }
    return good;
}

PrintRun MakeRun(HDC printer, const CHARFORMATA& format, bool black)
{
    PrintRun run;
    const int pixelHeight = MulDiv(format.yHeight, GetDeviceCaps(printer, LOGPIXELSY), 1440);
    run.font = CreateFontA(-std::max(1, pixelHeight), 0, 0, 0, (format.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL,
                           (format.dwEffects & CFE_ITALIC) != 0, (format.dwEffects & CFE_UNDERLINE) != 0,
                           (format.dwEffects & CFE_STRIKEOUT) != 0, format.bCharSet, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, format.bPitchAndFamily, format.szFaceName);
    const bool automatic = (format.dwEffects & CFE_AUTOCOLOR) != 0;
    run.colour = black || automatic ? RGB(0, 0, 0) : format.crTextColor;
    HGDIOBJ old = SelectObject(printer, run.font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(printer, &metrics);
    SelectObject(printer, old);
    run.ascent = metrics.tmAscent;
    run.height = metrics.tmHeight + metrics.tmExternalLeading;
    return run;
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

PrintSource::PrintSource(HWND editor, HDC printer, bool black, HWND layoutEditor, LONG layoutStart)
{
    const LONG length = EditorTextLength(editor);
    text_ = EditorTextRange(editor, 0, length);
    const LONG end = static_cast<LONG>(text_.size());
    LONG start = 0;
    do {
        const LONG runEnd = start < end ? RunEnd(editor, start, end) : end;
        PrintRun run = MakeRun(printer, FormatOf(editor, start, start < end ? start + 1 : start, nullptr), black);
        run.start = start;
        run.end = runEnd;
        runs_.push_back(run);
        start = runEnd;
    } while (start < end);
    if (!layoutEditor) {
        ReadParagraphs(editor, 0);
        return;
    }
    // The user's document: its selection and scroll position come back as they were.
    QuietEditor quiet(layoutEditor, 0, 0);
    ReadParagraphs(layoutEditor, layoutStart);
}

namespace {

constexpr DWORD kParagraphMask = PFM_ALIGNMENT | PFM_STARTINDENT | PFM_OFFSET | PFM_RIGHTINDENT | PFM_TABSTOPS;

// The layout the control reports for the selection `from`..`to`; nothing
// when the paragraphs in it differ.
std::optional<PrintSource::Paragraph> ParagraphOf(HWND editor, LONG from, LONG to)
{
    CHARRANGE range = {from, to};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    PARAFORMAT format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    if ((format.dwMask & kParagraphMask) != kParagraphMask) return std::nullopt;
    PrintSource::Paragraph paragraph;
    paragraph.alignment = format.wAlignment == PFA_CENTER || format.wAlignment == PFA_RIGHT ? format.wAlignment : PFA_LEFT;
    paragraph.startIndent = format.dxStartIndent;
    paragraph.offset = format.dxOffset;
    paragraph.rightIndent = format.dxRightIndent;
    for (int i = 0; i < std::min<int>(format.cTabCount, MAX_TAB_STOPS); ++i)
        paragraph.tabs.push_back(format.rgxTabs[i] & 0x00FFFFFF);  // the high byte holds the kind of stop
    return paragraph;
}

}  // namespace

void PrintSource::ReadParagraphs(HWND editor, LONG from)
{
    const LONG editorEnd = EditorTextLength(editor);
    // Listings have one layout throughout: one question answers for all.
    if (std::optional<Paragraph> all = ParagraphOf(editor, from, editorEnd)) {
        paragraphs_.push_back(*all);
        return;
    }
    // This text's lines and the editor's paragraphs from `from` on, side by side.
    const std::string theirs = EditorTextRange(editor, from, editorEnd);
    auto nextLine = [](const std::string& text, LONG at) {
        const LONG end = static_cast<LONG>(text.size());
        while (at < end && !IsLineEnd(text[at])) ++at;
        if (at >= end) return end + 1;
        return at + ((text[at] == '\r' && at + 1 < end && text[at + 1] == '\n') ? 2 : 1);
    };
    const LONG end = length();
    for (LONG start = 0, there = 0; start <= end; start = nextLine(text_, start), there = nextLine(theirs, there)) {
        const LONG asked = std::min(from + there, editorEnd);
        Paragraph paragraph = ParagraphOf(editor, asked, asked).value_or(Paragraph{});
        // Lines that share their layout share an entry.
        paragraph.start = paragraphs_.empty() ? start : paragraphs_.back().start;
        if (paragraphs_.empty() || !(paragraph == paragraphs_.back())) {
            paragraph.start = start;
            paragraphs_.push_back(paragraph);
        }
    }
}

const PrintSource::Paragraph& PrintSource::ParagraphAt(LONG position) const
{
    auto after = std::upper_bound(paragraphs_.begin(), paragraphs_.end(), position,
                                  [](LONG p, const Paragraph& paragraph) { return p < paragraph.start; });
    return after == paragraphs_.begin() ? paragraphs_.front() : *(after - 1);
}

PrintSource::~PrintSource()
{
    for (PrintRun& run : runs_) DeleteObject(run.font);
}

const PrintRun& PrintSource::RunAt(LONG position) const
{
    auto after = std::upper_bound(runs_.begin(), runs_.end(), position,
                                  [](LONG p, const PrintRun& run) { return p < run.start; });
    return after == runs_.begin() ? runs_.front() : *(after - 1);
}

namespace {

constexpr LONG kDefaultTabTwips = 720;  // half an inch, as the control places them

int Pixels(HDC printer, LONG twips) { return MulDiv(twips, GetDeviceCaps(printer, LOGPIXELSX), 1440); }

// The first tab stop past `x` (device pixels from the left margin): the
// paragraph's own, then every half inch.
int NextTab(HDC printer, const PrintSource::Paragraph& paragraph, int x)
{
    for (LONG tab : paragraph.tabs)
        if (Pixels(printer, tab) > x) return Pixels(printer, tab);
    const int step = std::max(1, Pixels(printer, kDefaultTabTwips));
    return (x / step + 1) * step;
}

// Whether `position` begins its paragraph: the first line takes the start
// indent, the others the offset from it.
bool StartsParagraph(const std::string& text, LONG position) { return position == 0 || IsLineEnd(text[position - 1]); }

// One line from `start`: the characters that fit between the paragraph's
// indents, and where the next line begins.
PrintLine LayOutLine(HDC printer, const PrintSource& source, LONG start, LONG end, int width, LONG* next)
{
    const std::string& text = source.text();
    const PrintSource::Paragraph& paragraph = source.ParagraphAt(start);
    PrintLine line{start, end, 0, 0};
    const LONG indent = paragraph.startIndent + (StartsParagraph(text, start) ? 0 : paragraph.offset);
    line.left = std::clamp(Pixels(printer, indent), 0, std::max(0, width - 1));
    line.right = std::clamp(width - Pixels(printer, paragraph.rightIndent), line.left + 1, std::max(line.left + 1, width));
    int height = 0, x = line.left;
    *next = end;
    auto grow = [&](const PrintRun& run) {
        line.ascent = std::max(line.ascent, run.ascent);
        height = std::max(height, run.height);
    };
    auto breakAt = [&](LONG cut) {
        LONG space = cut;
        while (space > start && text[space - 1] != ' ') --space;
        cut = space > start ? space : std::max(cut, start + 1);
        line.end = *next = cut;
    };
    grow(source.RunAt(start));
    for (LONG at = start; at < end;) {
        if (IsLineEnd(text[at])) {
            line.end = at;
            *next = at + ((text[at] == '\r' && at + 1 < end && text[at + 1] == '\n') ? 2 : 1);
            break;
        }
        if (text[at] == '\t') {
            x = NextTab(printer, paragraph, x);
            if (x > line.right && at > start) {
                breakAt(at);
                break;
            }
            ++at;
            continue;
        }
        const PrintRun& run = source.RunAt(at);
        LONG pieceEnd = std::min(run.end, end);
        for (LONG c = at; c < pieceEnd; ++c)
            if (IsLineEnd(text[c]) || text[c] == '\t') { pieceEnd = c; break; }
        grow(run);
        HGDIOBJ old = SelectObject(printer, run.font);
        int fit = 0;
        SIZE size = {};
        GetTextExtentExPointA(printer, text.data() + at, pieceEnd - at, std::max(0, line.right - x), &fit, nullptr, &size);
        SelectObject(printer, old);
        if (fit >= pieceEnd - at) {
            x += size.cx;
            at = pieceEnd;
            continue;
        }
        breakAt(at + fit);
        break;
    }
    line.top = height;  // the caller turns the height into the top
    return line;
}

}  // namespace

LaidOutPage LayOutPage(HDC printer, const PrintSource& source, LONG start, LONG end, const RECT& area)
{
    LaidOutPage page;
    page.next = start;
    const int width = area.right - area.left, bottom = area.bottom - area.top;
    if (width <= 0 || bottom <= 0) return page;
    int y = 0;
    LONG at = start;
    do {
        LONG next = at;
        PrintLine line = LayOutLine(printer, source, at, end, width, &next);
        const int height = line.top;
        if (!page.lines.empty() && y + height > bottom) break;
        line.top = y;
        page.lines.push_back(line);
        y += height;
        at = next;
    } while (at < end && y < bottom);
    page.next = at;
    return page;
}

namespace {

// Draws (with `draw`) or only measures the characters `from`..`to` from `x`
// (device pixels from the left margin), run by run, a tab moving on to its
// stop; returns where they end.
int Advance(HDC printer, const PrintSource& source, LONG from, LONG to, int x, const RECT* draw, int baseline,
            bool* drawn)
{
    const std::string& text = source.text();
    const PrintSource::Paragraph& paragraph = source.ParagraphAt(from);
    for (LONG at = from; at < to;) {
        if (text[at] == '\t') {
            x = NextTab(printer, paragraph, x);
            ++at;
            continue;
        }
        const PrintRun& run = source.RunAt(at);
        LONG pieceEnd = std::min(run.end, to);
        for (LONG c = at; c < pieceEnd; ++c)
            if (text[c] == '\t') { pieceEnd = c; break; }
        HGDIOBJ old = SelectObject(printer, run.font);
        SIZE size = {};
        GetTextExtentPoint32A(printer, text.data() + at, pieceEnd - at, &size);
        if (draw) {
            SetTextColor(printer, run.colour);
            *drawn &= TextOutA(printer, draw->left + x, baseline - run.ascent, text.data() + at, pieceEnd - at) != FALSE;
        }
        SelectObject(printer, old);
        x += size.cx;
        at = pieceEnd;
    }
    return x;
}

// Where a line starts: its paragraph's alignment places what it shows
// between the indents, without the spaces a wrapped line ends with.
int LineLeft(HDC printer, const PrintSource& source, const PrintLine& line)
{
    const WORD alignment = source.ParagraphAt(line.start).alignment;
    if (alignment != PFA_CENTER && alignment != PFA_RIGHT) return line.left;
    LONG shown = line.end;
    while (shown > line.start && source.text()[shown - 1] == ' ') --shown;
    const int room = line.right - Advance(printer, source, line.start, shown, line.left, nullptr, 0, nullptr);
    return line.left + std::max(0, alignment == PFA_CENTER ? room / 2 : room);
}

}  // namespace

bool DrawPage(HDC printer, const PrintSource& source, const LaidOutPage& page, const RECT& area)
{
    bool drawn = true;
    const int oldMode = SetBkMode(printer, TRANSPARENT);
    for (const PrintLine& line : page.lines)
        Advance(printer, source, line.start, line.end, LineLeft(printer, source, line), &area,
                area.top + line.top + line.ascent, &drawn);
    SetBkMode(printer, oldMode);
    return drawn;
}
