// The colouring scanner's spans applied to an editor. Each span is selected
// and given its colour, exactly as a user could do by hand, so undo and
// every attribute other than colour stay as they were. What makes a pass
// fast is what happens around the spans: the control neither redraws nor
// notifies its window while the pass runs (a selection notice alone costs
// the document window a round of font-box and status-bar updates).
#include "basic/editor_colouring.h"

#include <richedit.h>

#include <algorithm>
#include <vector>

#include "basic/coloured_rtf.h"
#include "basic/editor_text.h"
#include "basic/colour_scanner.h"
#include "settings/settings.h"

namespace {

CHARFORMATA ColourFormat(COLORREF colour)
{
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.dwEffects = 0;  // no automatic colour
    format.crTextColor = colour;
    return format;
}

void Select(HWND editor, LONG from, LONG to)
{
    CHARRANGE range = {from, to};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void ColourRange(HWND editor, LONG from, LONG to, COLORREF colour)
{
    Select(editor, from, to);
    CHARFORMATA format = ColourFormat(colour);
    SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

COLORREF SpanColour(ColourKind kind)
{
    switch (kind) {
    case ColourKind::Keyword: return g_settings.tokenColor;
    case ColourKind::Operator: return g_settings.singleColor;
    case ColourKind::Quote: return g_settings.quoteColor;
    case ColourKind::Remark: return g_settings.remColor;
    }
    return g_settings.fontColor;
}

// Holds the editor still for a pass: selection hidden, no notifications,
// no redraw (each selection would otherwise scroll and paint). At the end
// only what may have changed is repainted: the band of lines from `from`
// to `to`, or with no range the whole editor.
class QuietEditor {
public:
    explicit QuietEditor(HWND editor, LONG from = -1, LONG to = -1)
        : editor_(editor),
          events_(SendMessageA(editor, EM_GETEVENTMASK, 0, 0)),
          visible_(IsWindowVisible(editor)),
          from_(from),
          to_(to)
    {
        SendMessageA(editor_, EM_HIDESELECTION, TRUE, FALSE);
        SendMessageA(editor_, EM_SETEVENTMASK, 0, 0);
        if (visible_) SendMessageA(editor_, WM_SETREDRAW, FALSE, 0);
    }
    ~QuietEditor()
    {
        if (visible_) {
            SendMessageA(editor_, WM_SETREDRAW, TRUE, 0);
            RECT band = Band();
            InvalidateRect(editor_, &band, FALSE);
        }
        SendMessageA(editor_, EM_SETEVENTMASK, 0, events_);
        SendMessageA(editor_, EM_HIDESELECTION, FALSE, FALSE);
    }
    QuietEditor(const QuietEditor&) = delete;
    QuietEditor& operator=(const QuietEditor&) = delete;

private:
    LONG Top(LONG position) const
    {
        POINTL point = {};
        SendMessageA(editor_, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), position);
        return point.y;
    }

    RECT Band() const
    {
        RECT client = {};
        GetClientRect(editor_, &client);
        if (from_ < 0) return client;
        // The band ends where the line after `to` begins, or at the bottom.
        LRESULT next = SendMessageA(editor_, EM_LINEINDEX, SendMessageA(editor_, EM_EXLINEFROMCHAR, 0, to_) + 1, 0);
        RECT band = client;
        band.top = std::max<LONG>(client.top, Top(from_));
        if (next > to_) band.bottom = std::min<LONG>(client.bottom, Top(static_cast<LONG>(next)));
        if (band.bottom <= band.top) band.bottom = client.bottom;
        return band;
    }

    HWND editor_;
    LRESULT events_;
    bool visible_;  // redraw held off while the pass runs
    LONG from_, to_;
};

// True when every character of the selection already shows `colour`.
bool SelectionHasColour(HWND editor, COLORREF colour)
{
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwMask & CFM_COLOR) && !(format.dwEffects & CFE_AUTOCOLOR) && format.crTextColor == colour;
}

void ApplySpans(HWND editor, const std::vector<ColourSpan>& spans)
{
    for (const ColourSpan& span : spans)
        ColourRange(editor, span.offset, span.offset + span.length, SpanColour(span.kind));
}

// A change of format makes the control lay out the whole line again; a
// look at the format does not. The line being typed mostly has its colours
// already, so its recolouring looks before it changes anything.
void EnsureColour(HWND editor, LONG from, LONG to, COLORREF colour)
{
    Select(editor, from, to);
    if (SelectionHasColour(editor, colour)) return;
    CHARFORMATA format = ColourFormat(colour);
    SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

// The font of the selection's first character.
RtfFont FirstCharacterFont(HWND editor)
{
    CHARRANGE selection = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    Select(editor, selection.cpMin, selection.cpMin + 1);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    RtfFont font;
    font.face = format.szFaceName;
    font.charset = format.bCharSet;
    font.halfPoints = static_cast<int>(format.yHeight / 10);  // twips to half points
    font.bold = format.dwEffects & CFE_BOLD;
    font.italic = format.dwEffects & CFE_ITALIC;
    font.underline = format.dwEffects & CFE_UNDERLINE;
    return font;
}

DWORD CALLBACK ReadFromString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read)
{
    auto* rest = reinterpret_cast<std::string_view*>(cookie);
    const size_t count = std::min(rest->size(), static_cast<size_t>(size));
    std::copy_n(rest->data(), count, buffer);
    rest->remove_prefix(count);
    *read = static_cast<LONG>(count);
    return 0;
}

}  // namespace

int ColourApplesoft(HWND editor, LONG end, LONG start)
{
    if (g_settings.syntaxColor != 1) return 0;
    if (start < 0) start = 0;
    const COLORREF plain = g_settings.fontColor;
    const LONG length = EditorTextLength(editor);
    // The whole rest is read at once: the pieces the scan takes from it are
    // those that reading 299 characters at a time would give.
    const std::string text = EditorTextRange(editor, start, length);
    std::vector<ColourSpan> spans;
    ScanApplesoftText(text, 0, std::min(end, length) - start, spans);
    for (ColourSpan& span : spans) span.offset += start;
    {
        QuietEditor quiet(editor);
        ColourRange(editor, start, start, plain);
        ApplySpans(editor, spans);
        if (end > 0) ColourRange(editor, end - 1, end, plain);
    }
    return 0;
}

int ColourLineToCaret(HWND editor, LONG lineStart, LONG caret)
{
    if (caret - lineStart < 1) return 0;
    // The scan starts at the carriage return that ends the line before.
    const LONG scanStart = std::max<LONG>(0, LastBreakBefore(editor, lineStart + 1, "\r"));
    const LONG scanEnd = std::min<LONG>(caret, scanStart + kCaretRangeChars);
    const std::string text = EditorTextRange(editor, scanStart, scanEnd);
    std::vector<ColourSpan> spans;
    ScanApplesoftLine(text, caret - scanStart, scanStart, spans);
    {
        QuietEditor quiet(editor, scanStart, caret);
        const COLORREF plain = g_settings.fontColor;
        EnsureColour(editor, scanStart, scanStart + 1, plain);
        for (const ColourSpan& span : spans)
            EnsureColour(editor, span.offset, span.offset + span.length, SpanColour(span.kind));
        ColourRange(editor, caret, caret, plain);
    }
    return 0;
}

void ReplaceSelectionColoured(HWND editor, std::string_view lineBefore, const std::string& text)
{
    if (g_settings.syntaxColor != 1) {
        SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        return;
    }
    // Colours applied afterwards would each be a step of their own in the
    // undo history: the new text comes in with them, as rich text.
    const std::string line = std::string(lineBefore) + text;
    std::vector<ColourSpan> spans;
    ScanApplesoftText(line, 0, static_cast<int>(line.size()), spans);
    std::vector<uint32_t> colours(line.size(), g_settings.fontColor);
    for (const ColourSpan& span : spans)
        for (int i = span.offset; i < span.offset + span.length && i < static_cast<int>(line.size()); ++i)
            colours[static_cast<size_t>(i)] = SpanColour(span.kind);
    const std::string rtf = ColouredRtf(text, std::span(colours).subspan(lineBefore.size()), FirstCharacterFont(editor));
    std::string_view rest = rtf;
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&rest), 0, ReadFromString};
    SendMessageA(editor, EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));
}
