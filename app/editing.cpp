// The plain editing commands on the active editor.
#include <richedit.h>

#include "app/commands.h"
#include "app/documents.h"
#include "resources/resource.h"

void EditCommand(UINT id)
{
    HWND editor = GetActiveEditor();
    if (!editor) return;
    switch (id) {
    case IDM_UNDO: SendMessageA(editor, EM_UNDO, 0, 0); break;
    case IDM_CUT: SendMessageA(editor, WM_CUT, 0, 0); break;
    case IDM_COPY: SendMessageA(editor, WM_COPY, 0, 0); break;
    case IDM_PASTE: {
        UINT rtf = RegisterClipboardFormatA("Rich Text Format");
        SendMessageA(editor, EM_PASTESPECIAL, IsClipboardFormatAvailable(rtf) ? rtf : CF_TEXT, 0);
        SetFocus(editor);
        break;
    }
    case IDM_CLEAR: SendMessageA(editor, WM_CLEAR, 0, 0); break;
    case IDM_SELECT_ALL: {
        CHARRANGE all = {0, -1};
        SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
        break;
    }
    }
}
