#include "shell/quiet_editor.h"

#include <algorithm>

QuietEditor::QuietEditor(HWND editor, LONG from, LONG to, bool holdRedraw)
    : editor_(editor),
      events_(SendMessageA(editor, EM_GETEVENTMASK, 0, 0)),
      modified_(SendMessageA(editor, EM_GETMODIFY, 0, 0) != 0),
      visible_(holdRedraw && IsWindowVisible(editor)),
      from_(from),
      to_(to),
      undo_(editor)
{
    SendMessageA(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
    SendMessageA(editor_, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll_));
    SendMessageA(editor_, EM_HIDESELECTION, TRUE, FALSE);
    SendMessageA(editor_, EM_SETEVENTMASK, 0, 0);
    if (visible_) SendMessageA(editor_, WM_SETREDRAW, FALSE, 0);
}

QuietEditor::~QuietEditor()
{
    SendMessageA(editor_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
    SendMessageA(editor_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll_));
    if (visible_) {
        SendMessageA(editor_, WM_SETREDRAW, TRUE, 0);
        RECT band = Band();
        InvalidateRect(editor_, &band, FALSE);
    }
    SendMessageA(editor_, EM_SETMODIFY, modified_, 0);
    SendMessageA(editor_, EM_SETEVENTMASK, 0, events_);
    SendMessageA(editor_, EM_HIDESELECTION, FALSE, FALSE);
}

LONG QuietEditor::Top(LONG position) const
{
    POINTL point = {};
    SendMessageA(editor_, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), position);
    return point.y;
}

RECT QuietEditor::Band() const
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
