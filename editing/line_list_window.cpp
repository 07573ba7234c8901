// The line list window: a summary over a list view, one row a line of the
// program, as Check Program's results window shows its findings.
#include "editing/line_list_window.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "editing/list_window_layout.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/editor_text.h"
#include "shell/report_error.h"

namespace {

struct ListWindow {
    HWND dialog = nullptr;
    HWND document = nullptr;  // the program's MDI child
    std::vector<LONG> positions;
};
ListWindow g_list;

HWND List() { return GetDlgItem(g_list.dialog, IDC_LINE_LIST); }

void ShowRows(HWND list, const std::vector<LineListRow>& rows)
{
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const std::vector<std::string>& cells = rows[static_cast<size_t>(row)].cells;
        for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.iSubItem = column;
            item.pszText = const_cast<char*>(cells[static_cast<size_t>(column)].c_str());
            SendMessageA(list, column == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        }
    }
    if (!rows.empty()) ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

// The caret to the chosen row's place, the document to the front.
void GoToSelectedRow()
{
    const int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED);
    if (row < 0 || static_cast<size_t>(row) >= g_list.positions.size() || !IsWindow(g_list.document)) return;
    HWND editor = EditorOf(g_list.document);
    const LONG position = std::min(g_list.positions[static_cast<size_t>(row)], EditorTextLength(editor));
    SendMessageA(g_app.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(g_list.document), 0);
    CHARRANGE caret = {position, position};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    SendMessageA(editor, EM_SCROLLCARET, 0, 0);
    SetFocus(editor);
}

LRESULT OnNotify(const NMHDR& header)
{
    if (header.idFrom == IDC_LINE_LIST && (header.code == NM_DBLCLK || header.code == NM_RETURN)) GoToSelectedRow();
    return 0;
}

INT_PTR CALLBACK LineListProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        ListView_SetExtendedListViewStyle(GetDlgItem(dialog, IDC_LINE_LIST), LVS_EX_FULLROWSELECT);
        return TRUE;
    case WM_SIZE:
        LayOutSummaryAndList(dialog, IDC_LINE_LIST_SUMMARY, IDC_LINE_LIST, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        // Enter reaches the dialog as IDOK while the message loop hands it keys.
        if (LOWORD(wParam) == IDOK) GoToSelectedRow();
        if (LOWORD(wParam) == IDCANCEL) DestroyWindow(dialog);
        return TRUE;
    case WM_CLOSE: DestroyWindow(dialog); return TRUE;
    case WM_DESTROY: g_list = {}; return TRUE;
    }
    return FALSE;
}

}  // namespace

HWND LineListWindow() { return g_list.dialog; }

void ShowLineList(HWND frame, LineList list)
{
    if (!g_list.dialog) {
        g_list.dialog = CreateDialogParamA(g_app.instance, "LINELIST", frame, LineListProc, 0);
        if (!g_list.dialog) {
            ReportError(Message::CantCreateWindow, {}, 0, frame);
            return;
        }
        PlaceOverFrame(g_list.dialog, frame);
    }
    g_list.document = GetActiveDocument();
    const std::string title = list.title + " - " + WindowTitle(g_list.document);
    SetWindowTextA(g_list.dialog, title.c_str());
    SetDlgItemTextA(g_list.dialog, IDC_LINE_LIST_SUMMARY, list.summary.c_str());
    SetListColumns(List(), list.columns);
    ShowRows(List(), list.rows);
    g_list.positions.clear();
    for (const LineListRow& row : list.rows) g_list.positions.push_back(row.position);
    ShowWindow(g_list.dialog, SW_SHOW);
    SetFocus(List());
}
