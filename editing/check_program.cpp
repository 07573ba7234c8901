// Check Program: a modeless window listing what the Apple II will make of
// the active Applesoft or Integer BASIC program. Choosing a row puts the caret on its line
// in the program's document and brings the document to the front.
#include "editing/check_program.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <iterator>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "core/basic/program_check.h"
#include "core/documents/status_texts.h"
#include "editing/list_window_layout.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/editor_text.h"
#include "shell/program_checks.h"
#include "shell/report_error.h"

namespace {

constexpr LineListColumn kColumns[] = {{"Line", 44}, {"Problem", 300}, {"As typed", 220}, {"As the Apple lists it", 220}};

struct CheckWindow {
    HWND dialog = nullptr;
    HWND document = nullptr;  // the program's MDI child
    std::vector<ProgramFinding> findings;
};
CheckWindow g_check;

HWND List() { return GetDlgItem(g_check.dialog, IDC_CHECK_LIST); }

void AddColumns(HWND list)
{
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    SetListColumns(list, kColumns);
}

// The list holds no text of its own: it asks for each cell it draws, so a
// new check costs the same whatever the number of findings.
void FillCell(NMLVDISPINFOA& info)
{
    LVITEMA& item = info.item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0 || item.iItem < 0 ||
        static_cast<size_t>(item.iItem) >= g_check.findings.size())
        return;
    const ProgramFinding& finding = g_check.findings[static_cast<size_t>(item.iItem)];
    const std::string line = std::to_string(finding.line + 1);
    const std::string* const cells[] = {&line, &finding.problem, &finding.typed, &finding.listed};
    const int cell = std::clamp(item.iSubItem, 0, static_cast<int>(std::size(cells)) - 1);
    const std::string& text = *cells[cell];
    lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
}

bool SameRow(const ProgramFinding& a, const ProgramFinding& b)
{
    return a.line == b.line && a.problem == b.problem && a.typed == b.typed && a.listed == b.listed;
}

// The findings into the list; `chosen` is the row selected, kept when a
// new check of the same program comes in. Only the rows that changed are
// drawn again: while the user types, that is one row or none.
void ShowFindings(ProgramCheck check, int chosen = 0)
{
    HWND list = List();
    const std::vector<ProgramFinding> shown = std::exchange(g_check.findings, std::move(check.findings));
    const std::vector<ProgramFinding>& now = g_check.findings;
    const int count = static_cast<int>(now.size());
    if (count != ListView_GetItemCount(list) || shown.size() != now.size()) {
        ListView_SetItemCountEx(list, count, LVSICF_NOSCROLL);
        InvalidateRect(list, nullptr, TRUE);
    } else {
        int first = 0, last = count - 1;
        while (first < count && SameRow(shown[static_cast<size_t>(first)], now[static_cast<size_t>(first)])) ++first;
        while (last > first && SameRow(shown[static_cast<size_t>(last)], now[static_cast<size_t>(last)])) --last;
        if (first < count) ListView_RedrawItems(list, first, last);
    }
    if (count > 0) {
        chosen = std::clamp(chosen, 0, count - 1);
        if (ListView_GetNextItem(list, -1, LVNI_SELECTED) != chosen) {
            ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
            ListView_SetItemState(list, chosen, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            ListView_EnsureVisible(list, chosen, FALSE);
        }
    }
    const std::string summary = ProblemCountStatus(now.size()) + ". " + std::to_string(check.storedLines) +
                                " lines stored, " + DescribeProgramPlace(check.bytes, check.language) + ".";
    char before[512] = {};
    GetDlgItemTextA(g_check.dialog, IDC_CHECK_SUMMARY, before, sizeof before);
    if (summary != before) SetDlgItemTextA(g_check.dialog, IDC_CHECK_SUMMARY, summary.c_str());
}

// The caret to the start of the finding's line, the document to the front.
void GoToSelectedFinding()
{
    const int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED);
    if (row < 0 || static_cast<size_t>(row) >= g_check.findings.size() || !IsWindow(g_check.document)) return;
    HWND editor = EditorOf(g_check.document);
    const LONG position = std::min(static_cast<LONG>(g_check.findings[static_cast<size_t>(row)].offset),
                                   EditorTextLength(editor));
    SendMessageA(g_app.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(g_check.document), 0);
    CHARRANGE caret = {position, position};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    SendMessageA(editor, EM_SCROLLCARET, 0, 0);
    SetFocus(editor);
}

LRESULT OnNotify(NMHDR& header)
{
    if (header.idFrom != IDC_CHECK_LIST) return 0;
    if (header.code == LVN_GETDISPINFOA) FillCell(reinterpret_cast<NMLVDISPINFOA&>(header));
    if (header.code == NM_DBLCLK || header.code == NM_RETURN) GoToSelectedFinding();
    return 0;
}

INT_PTR CALLBACK CheckProgramProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: AddColumns(GetDlgItem(dialog, IDC_CHECK_LIST)); return TRUE;
    case WM_SIZE:
        LayOutSummaryAndList(dialog, IDC_CHECK_SUMMARY, IDC_CHECK_LIST, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
        // Enter reaches the dialog as IDOK while the message loop hands it keys.
        if (LOWORD(wParam) == IDOK) GoToSelectedFinding();
        if (LOWORD(wParam) == IDCANCEL) DestroyWindow(dialog);
        return TRUE;
    case WM_CLOSE: DestroyWindow(dialog); return TRUE;
    case WM_DESTROY:
        g_check = {};
        return TRUE;
    }
    return FALSE;
}

}  // namespace

HWND CheckProgramWindow() { return g_check.dialog; }

bool ApplesoftDocumentActive()
{
    return IsDocumentOfKind(GetActiveDocument(), DocumentKind::Applesoft);
}

bool ProgramDocumentActive() { return LanguageOf(GetActiveDocument()).has_value(); }

ProgramCheck CheckActiveProgram()
{
    HWND editor = GetActiveEditor();
    const std::string text = EditorTextRange(editor, 0, EditorTextLength(editor));
    return LanguageOf(GetActiveDocument()) == BasicLanguage::Integer ? CheckIntegerProgram(text)
                                                                            : CheckApplesoftProgram(text);
}

void RefreshProgramCheck(HWND editor)
{
    const ProgramCheck* check = LatestProgramCheck(editor);
    if (!g_check.dialog || !check || EditorOf(g_check.document) != editor) return;
    try {
        ShowFindings(*check, ListView_GetNextItem(List(), -1, LVNI_SELECTED));
    } catch (const std::bad_alloc&) {
        // The window keeps the findings it shows; the next check tries again.
    }
}

void ShowProgramCheck(HWND frame)
{
    if (!ProgramDocumentActive()) return;
    try {
        ShowProgramCheck(frame, CheckActiveProgram());
    } catch (const std::bad_alloc&) {
        ReportError(Message::CantAllocateMemory, {}, 0, frame);
    }
}

void ShowProgramCheck(HWND frame, ProgramCheck check)
{
    HWND document = GetActiveDocument();
    if (!g_check.dialog) {
        g_check.dialog = CreateDialogParamA(g_app.instance, "CheckProgram", frame, CheckProgramProc, 0);
        if (!g_check.dialog) {
            ReportError(Message::CantCreateWindow, {}, 0, frame);
            return;
        }
        PlaceOverFrame(g_check.dialog, frame);
    }
    g_check.document = document;
    const std::string title = "Check Program - " + WindowTitle(document);
    SetWindowTextA(g_check.dialog, title.c_str());
    ShowFindings(std::move(check));
    ShowWindow(g_check.dialog, SW_SHOW);
    SetFocus(List());
}
