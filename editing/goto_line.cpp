// Go to line: the dialog that asks for a line number, and the move of the
// caret (or the highlight of the whole line) there.
#include "editing/goto_line.h"

#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <string>

#include "core/settings/setting_values.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/editor_text.h"

namespace {

constexpr int kLineTextChars = 10;

struct GotoRequest {
    LONG lineCount;
    std::string text;
    bool highlight;
};

void OnInitDialog(HWND dialog, const GotoRequest& request)
{
    char count[32];
    wsprintfA(count, "Linecount: %u", static_cast<unsigned>(request.lineCount));
    SetDlgItemTextA(dialog, IDC_GOTO_LINE_COUNT, count);
    SendDlgItemMessageA(dialog, IDC_GOTO_LINE_TEXT, EM_LIMITTEXT, kLineTextChars, 0);
    SetDlgItemTextA(dialog, IDC_GOTO_LINE_TEXT, request.text.c_str());
    CheckDlgButton(dialog, IDC_GOTO_HIGHLIGHT, request.highlight ? BST_CHECKED : BST_UNCHECKED);
}

void OnOk(HWND dialog, GotoRequest& request)
{
    char text[kLineTextChars + 1] = {};
    GetDlgItemTextA(dialog, IDC_GOTO_LINE_TEXT, text, sizeof text);
    request.text = text;
    request.highlight = IsDlgButtonChecked(dialog, IDC_GOTO_HIGHLIGHT) == BST_CHECKED;
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK GotoLineProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        OnInitDialog(dialog, *reinterpret_cast<GotoRequest*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) OnOk(dialog, *reinterpret_cast<GotoRequest*>(GetWindowLongPtrA(dialog, DWLP_USER)));
        else if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
        else break;
        return TRUE;
    }
    return FALSE;
}

// Line `line` (1-based; numbers outside the text go to its first or last
// line) from its start up to the next line's start, or the empty range at
// its start.
CHARRANGE LineRange(HWND editor, LONG lineCount, int line, bool highlight)
{
    const LONG index = std::clamp<LONG>(line, 1, lineCount) - 1;
    const LONG start = static_cast<LONG>(SendMessageA(editor, EM_LINEINDEX, index, 0));
    if (!highlight) return {start, start};
    // After the last line there is no next line: to the end of the text.
    const LONG next = static_cast<LONG>(SendMessageA(editor, EM_LINEINDEX, index + 1, 0));
    return {start, next < 0 ? EditorTextLength(editor) : next};
}

}  // namespace

void GoToLine(HWND frame)
{
    HWND editor = GetActiveEditor();
    if (!editor) return;
    const LONG lineCount = static_cast<LONG>(SendMessageA(editor, EM_GETLINECOUNT, 0, 0));
    GotoRequest request = {lineCount, g_app.gotoLineText, g_app.gotoHighlightDefault};
    INT_PTR answer = DialogBoxParamA(g_app.instance, "GotoLineBox", frame, GotoLineProc,
                                     reinterpret_cast<LPARAM>(&request));
    SetFocus(editor);
    if (answer != IDOK) return;
    g_app.gotoLineText = request.text;
    g_app.gotoHighlightDefault = request.highlight;
    CHARRANGE range = LineRange(editor, lineCount, ParseDecimal(request.text), request.highlight);
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    SendMessageA(editor, EM_SCROLLCARET, 0, 0);
}
