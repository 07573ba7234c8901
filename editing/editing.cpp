// The plain editing commands on the active editor.
#include "editing/editing.h"

#include <richedit.h>

#include <cstring>
#include <new>
#include <optional>
#include <string>

#include "core/basic/remove_spaces.h"
#include "resources/resource.h"
#include "shell/documents.h"
#include "shell/editor_colouring.h"
#include "shell/editor_text.h"
#include "shell/report_error.h"
#include "shell/settings.h"

namespace {

// The clipboard's text, or nothing when it holds none.
std::optional<std::string> ClipboardText(HWND owner)
{
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(owner)) return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
            text.emplace(chars, strnlen(chars, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// A program pasted into a program's document arrives coloured, in the one
// step Undo takes back.
bool PasteColoured(HWND editor)
{
    if (g_settings.syntaxColor != 1 || !LanguageOf(GetParent(editor))) return false;
    const std::optional<std::string> text = ClipboardText(editor);
    if (!text) return false;
    CHARRANGE selection = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const std::string lineBefore = EditorTextRange(editor, ParagraphStart(editor, selection.cpMin), selection.cpMin);
    ReplaceSelectionColoured(editor, lineBefore, *text);
    return true;
}

}  // namespace

void EditCommand(UINT id)
{
    HWND editor = GetActiveEditor();
    if (!editor) return;
    switch (id) {
    case IDM_UNDO: SendMessageA(editor, EM_UNDO, 0, 0); break;
    case IDM_CUT: SendMessageA(editor, WM_CUT, 0, 0); break;
    case IDM_COPY: SendMessageA(editor, WM_COPY, 0, 0); break;
    case IDM_PASTE: {
        try {
            if (!PasteColoured(editor)) {
                UINT rtf = RegisterClipboardFormatA("Rich Text Format");
                SendMessageA(editor, EM_PASTESPECIAL, IsClipboardFormatAvailable(rtf) ? rtf : CF_TEXT, 0);
            }
        } catch (const std::bad_alloc&) {
            ReportError(Message::CantAllocateMemory, {}, 0, GetParent(editor));
        }
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

void RemoveSelectionSpaces()
{
    HWND editor = GetActiveEditor();
    if (!editor) return;
    CHARRANGE selection = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    if (selection.cpMax <= selection.cpMin) return;
    try {
        // The line's start tells whether the selection begins in a string, a remark or DATA.
        const std::string lineBefore = EditorTextRange(editor, ParagraphStart(editor, selection.cpMin), selection.cpMin);
        const std::string selected = EditorTextRange(editor, selection.cpMin, selection.cpMax);
        const std::string result = RemoveSpaces(selected, lineBefore);
        if (result == selected) return;  // no step in the undo history that changes nothing
        ShowWindow(editor, SW_HIDE);
        if (LanguageOf(GetParent(editor)))
            ReplaceSelectionColoured(editor, lineBefore, result);
        else
            SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(result.c_str()));
    } catch (const std::bad_alloc&) {
        ShowWindow(editor, SW_SHOW);
        ReportError(Message::CantAllocateMemory, {}, 0, GetParent(editor));
        return;
    }
    ShowWindow(editor, SW_SHOW);
    CHARRANGE caret = {selection.cpMin, selection.cpMin};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    SetFocus(editor);
}
