// What the Windows tests read back from windows and editors.
#include "support/editor_probe.h"

#include <commctrl.h>
#include <richedit.h>

#include "shell/app.h"
#include "shell/editor_text.h"

std::string Title(HWND window)
{
    char text[300] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string StatusPart(int part)
{
    std::string text(LOWORD(SendMessageA(g_app.statusBar, SB_GETTEXTLENGTHA, part, 0)) + 1, '\0');
    SendMessageA(g_app.statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.find('\0'));
    return text;
}

std::string EditorText(HWND editor) { return EditorTextRange(editor, 0, EditorTextLength(editor)); }

CHARRANGE Selection(HWND editor)
{
    CHARRANGE selection = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    return selection;
}

void Select(HWND editor, LONG from, LONG to)
{
    CHARRANGE range = {from, to};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

COLORREF ColourAt(HWND editor, LONG position)
{
    // As the user sees it: an opened program's lines take their colours as
    // they are first drawn.
    UpdateWindow(editor);
    Select(editor, position, position + 1);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    SendMessageA(editor, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
    return format.crTextColor;
}

void SetColour(HWND editor, LONG from, LONG to, COLORREF colour)
{
    Select(editor, from, to);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.crTextColor = colour;
    SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}
