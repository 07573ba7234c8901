#include "editing/page_layout.h"

#include <algorithm>
#include <optional>

#include "shell/editor_text.h"

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

PrintSource::PrintSource(HWND editor, HDC printer, bool black)
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
    ReadAlignments(editor);
}

namespace {

// The alignment the control reports for the selection `from`..`to`;
// nothing when the paragraphs in it differ.
std::optional<WORD> AlignmentOf(HWND editor, LONG from, LONG to)
{
    CHARRANGE range = {from, to};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    PARAFORMAT format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    if (!(format.dwMask & PFM_ALIGNMENT)) return std::nullopt;
    return format.wAlignment == PFA_CENTER || format.wAlignment == PFA_RIGHT ? format.wAlignment : PFA_LEFT;
}

}  // namespace

void PrintSource::ReadAlignments(HWND editor)
{
    const LONG end = length();
    // Listings have one alignment throughout: one question answers for all.
    if (std::optional<WORD> all = AlignmentOf(editor, 0, end)) {
        paragraphs_.push_back({0, *all});
        return;
    }
    for (LONG start = 0; start <= end;) {
        const WORD alignment = AlignmentOf(editor, start, start).value_or(PFA_LEFT);
        if (paragraphs_.empty() || paragraphs_.back().alignment != alignment) paragraphs_.push_back({start, alignment});
        LONG next = start;
        while (next < end && !IsLineEnd(text_[next])) ++next;
        if (next >= end) break;
        start = next + ((text_[next] == '\r' && next + 1 < end && text_[next + 1] == '\n') ? 2 : 1);
    }
}

WORD PrintSource::AlignmentAt(LONG position) const
{
    auto after = std::upper_bound(paragraphs_.begin(), paragraphs_.end(), position,
                                  [](LONG p, const Paragraph& paragraph) { return p < paragraph.start; });
    return after == paragraphs_.begin() ? PFA_LEFT : (after - 1)->alignment;
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

// One line from `start`: the characters that fit into `width`, and where
// the next line begins.
PrintLine LayOutLine(HDC printer, const PrintSource& source, LONG start, LONG end, int width, LONG* next)
{
    const std::string& text = source.text();
    PrintLine line{start, end, 0, 0};
    int height = 0, x = 0;
    *next = end;
    auto grow = [&](const PrintRun& run) {
        line.ascent = std::max(line.ascent, run.ascent);
        height = std::max(height, run.height);
    };
    grow(source.RunAt(start));
    for (LONG at = start; at < end;) {
        if (IsLineEnd(text[at])) {
            line.end = at;
            *next = at + ((text[at] == '\r' && at + 1 < end && text[at + 1] == '\n') ? 2 : 1);
            break;
        }
        const PrintRun& run = source.RunAt(at);
        LONG pieceEnd = std::min(run.end, end);
        for (LONG c = at; c < pieceEnd; ++c)
            if (IsLineEnd(text[c])) { pieceEnd = c; break; }
        grow(run);
        HGDIOBJ old = SelectObject(printer, run.font);
        int fit = 0;
        SIZE size = {};
        GetTextExtentExPointA(printer, text.data() + at, pieceEnd - at, std::max(0, width - x), &fit, nullptr, &size);
        SelectObject(printer, old);
        if (fit >= pieceEnd - at) {
            x += size.cx;
            at = pieceEnd;
            continue;
        }
        LONG cut = at + fit;
        LONG space = cut;
        while (space > start && text[space - 1] != ' ') --space;
        cut = space > start ? space : std::max(cut, start + 1);
        line.end = *next = cut;
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

// The width of the characters `from`..`to` drawn run by run.
int TextWidth(HDC printer, const PrintSource& source, LONG from, LONG to)
{
    int width = 0;
    for (LONG at = from; at < to;) {
        const PrintRun& run = source.RunAt(at);
        const LONG pieceEnd = std::min(run.end, to);
        HGDIOBJ old = SelectObject(printer, run.font);
        SIZE size = {};
        GetTextExtentPoint32A(printer, source.text().data() + at, pieceEnd - at, &size);
        SelectObject(printer, old);
        width += size.cx;
        at = pieceEnd;
    }
    return width;
}

// Where a line starts on the page: its paragraph's alignment places what
// it shows, without the spaces a wrapped line ends with.
int LineLeft(HDC printer, const PrintSource& source, const PrintLine& line, const RECT& area)
{
    const WORD alignment = source.AlignmentAt(line.start);
    if (alignment != PFA_CENTER && alignment != PFA_RIGHT) return area.left;
    LONG shown = line.end;
    while (shown > line.start && source.text()[shown - 1] == ' ') --shown;
    const int room = area.right - area.left - TextWidth(printer, source, line.start, shown);
    return area.left + std::max(0, alignment == PFA_CENTER ? room / 2 : room);
}

}  // namespace

bool DrawPage(HDC printer, const PrintSource& source, const LaidOutPage& page, const RECT& area)
{
    bool drawn = true;
    const std::string& text = source.text();
    const int oldMode = SetBkMode(printer, TRANSPARENT);
    for (const PrintLine& line : page.lines) {
        int x = LineLeft(printer, source, line, area);
        for (LONG at = line.start; at < line.end;) {
            const PrintRun& run = source.RunAt(at);
            const LONG pieceEnd = std::min(run.end, line.end);
            HGDIOBJ old = SelectObject(printer, run.font);
            SetTextColor(printer, run.colour);
            SIZE size = {};
            GetTextExtentPoint32A(printer, text.data() + at, pieceEnd - at, &size);
            drawn &= TextOutA(printer, x, area.top + line.top + line.ascent - run.ascent, text.data() + at,
                              pieceEnd - at) != FALSE;
            SelectObject(printer, old);
            x += size.cx;
            at = pieceEnd;
        }
    }
    SetBkMode(printer, oldMode);
    return drawn;
}
