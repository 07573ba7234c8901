// Reading an editor's text by character position.
#include "shell/editor_text.h"

#include <richedit.h>

#include <algorithm>

namespace {

constexpr LONG kBackwardStep = 800;  // characters read at a time while looking for a line break
constexpr LONG kLineReadChars = 800;  // most characters of a line read for its number or keywords

}  // namespace

LONG EditorTextLength(HWND editor)
{
    GETTEXTLENGTHEX how = {GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
    LRESULT length = SendMessageA(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0);
    if (length < 0) length = GetWindowTextLengthA(editor);
    return static_cast<LONG>(length);
}

std::string EditorTextRange(HWND editor, LONG from, LONG to)
{
    if (from < 0) from = 0;
    if (to <= from) return {};
    std::string text(static_cast<size_t>(to - from) + 1, '\0');
    TEXTRANGEA range = {{from, to}, text.data()};
    LRESULT copied = SendMessageA(editor, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, to - from)));
    return text;
}

LONG LastBreakBefore(HWND editor, LONG position, const char* breaks)
{
    for (LONG to = position; to > 0;) {
        const LONG from = std::max<LONG>(0, to - kBackwardStep);
        const std::string back = EditorTextRange(editor, from, to);
        const size_t found = back.find_last_of(breaks);
        if (found != std::string::npos) return from + static_cast<LONG>(found);
        to = from;
    }
    return -1;
}

LONG ParagraphStart(HWND editor, LONG position) { return LastBreakBefore(editor, position, "\r\n") + 1; }

std::string ParagraphText(HWND editor, LONG position)
{
    const LONG start = ParagraphStart(editor, position);
    std::string text = EditorTextRange(editor, start, std::min(start + kLineReadChars, EditorTextLength(editor)));
    const size_t lineEnd = text.find_first_of("\r\n");
    if (lineEnd != std::string::npos) text.resize(lineEnd);
    return text;
}

POINT ScreenPointBelow(HWND editor, LONG position)
{
    POINTL at = {};
    SendMessageA(editor, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), position);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    HDC dc = GetDC(editor);
    const int height = MulDiv(format.yHeight, GetDeviceCaps(dc, LOGPIXELSY), 1440);  // twips to pixels
    ReleaseDC(editor, dc);
    POINT screen = {at.x, at.y + height + 2};
    ClientToScreen(editor, &screen);
    return screen;
}
