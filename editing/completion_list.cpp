// The completion list: a popup that never takes the focus, so the keys
// typed while it is open reach the editor as always. The message loop gives
// it the few keys that choose in it; after each key that reaches the editor
// it reads the word again, once the key has done its work.
#include "editing/completion_list.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <iterator>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "core/basic/completion.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/document_windows.h"
#include "shell/editor_text.h"

namespace {

constexpr const char* kPopupClass = "TavoCompletion";
constexpr UINT kNarrow = WM_APP + 1;  // posted after a key, so it comes after the key's work
constexpr int kTextColumnWidth = 110;  // pixels
constexpr int kDetailColumnWidth = 260;
constexpr int kVisibleRows = 10;

struct CompletionState {
    HWND popup = nullptr;
    HWND list = nullptr;
    HWND editor = nullptr;
    size_t wordStart = 0;
    std::vector<CompletionCandidate> candidates;
};
CompletionState g_completion;

bool IsOpen() { return g_completion.popup && IsWindowVisible(g_completion.popup); }

void Close()
{
    if (g_completion.popup) ShowWindow(g_completion.popup, SW_HIDE);
    g_completion.editor = nullptr;
    g_completion.candidates.clear();
}

// What completes the word at the editor's caret.
std::optional<Completion> CompletionAtCaret(HWND editor)
{
    const std::optional<BasicLanguage> language = LanguageOf(GetParent(editor));
    if (!language) return std::nullopt;
    CHARRANGE selection = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    try {
        const std::string text = EditorTextRange(editor, 0, EditorTextLength(editor));
        return CompleteAt(text, static_cast<size_t>(std::max<LONG>(selection.cpMax, 0)), *language);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

void SetCell(int row, int column, const std::string& text)
{
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(g_completion.list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

// The candidates into the list, the one chosen before kept chosen when it
// is still there.
void Fill(std::vector<CompletionCandidate> candidates)
{
    HWND list = g_completion.list;
    const int chosen = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    std::string kept;
    if (chosen >= 0 && static_cast<size_t>(chosen) < g_completion.candidates.size())
        kept = g_completion.candidates[static_cast<size_t>(chosen)].text;
    g_completion.candidates = std::move(candidates);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    int select = 0;
    for (int row = 0; row < static_cast<int>(g_completion.candidates.size()); ++row) {
        const CompletionCandidate& candidate = g_completion.candidates[static_cast<size_t>(row)];
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(candidate.text.c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        SetCell(row, 1, candidate.detail);
        if (candidate.text == kept) select = row;
    }
    ListView_SetItemState(list, select, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, select, FALSE);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

// Under the word, or above it when the screen ends first.
void Place(HWND editor)
{
    RECT row = {};
    ListView_GetItemRect(g_completion.list, 0, &row, LVIR_BOUNDS);
    const int rows = std::min(static_cast<int>(g_completion.candidates.size()), kVisibleRows);
    const int edge = 2 * GetSystemMetrics(SM_CYBORDER) + 2;
    const int width = kTextColumnWidth + kDetailColumnWidth + GetSystemMetrics(SM_CXVSCROLL) + edge;
    const int height = rows * std::max<int>(row.bottom - row.top, 1) + edge;
    POINT at = ScreenPointBelow(editor, static_cast<LONG>(g_completion.wordStart));
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    if (at.y + height > work.bottom) {
        POINTL top = {};
        const LPARAM wordStart = static_cast<LPARAM>(g_completion.wordStart);
        SendMessageA(editor, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&top), wordStart);
        POINT word = {top.x, top.y};
        ClientToScreen(editor, &word);
        at.y = std::max<LONG>(work.top, word.y - height);
    }
    at.x = std::clamp<LONG>(at.x, work.left, std::max<LONG>(work.left, work.right - width));
    SetWindowPos(g_completion.popup, HWND_TOP, at.x, at.y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    MoveWindow(g_completion.list, 0, 0, width - 2 * GetSystemMetrics(SM_CXBORDER),
               height - 2 * GetSystemMetrics(SM_CYBORDER), TRUE);
}

// The word read again after a key: a word begun elsewhere, or one nothing
// completes, closes the list.
void Narrow()
{
    HWND editor = g_completion.editor;
    if (!IsOpen() || !IsWindow(editor) || editor != GetActiveEditor()) {
        Close();
        return;
    }
    std::optional<Completion> completion = CompletionAtCaret(editor);
    if (!completion || completion->wordStart != g_completion.wordStart || completion->candidates.empty()) {
        Close();
        return;
    }
    Fill(std::move(completion->candidates));
    Place(editor);
}

// The chosen candidate in place of the letters typed, as one step of Undo.
void InsertChoice()
{
    const int chosen = ListView_GetNextItem(g_completion.list, -1, LVNI_SELECTED);
    HWND editor = g_completion.editor;
    if (chosen < 0 || static_cast<size_t>(chosen) >= g_completion.candidates.size() || !IsWindow(editor)) {
        Close();
        return;
    }
    const std::string text = g_completion.candidates[static_cast<size_t>(chosen)].text;
    CHARRANGE selection = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    Close();
    CHARRANGE word = {static_cast<LONG>(g_completion.wordStart), selection.cpMax};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&word));
    SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    SetFocus(editor);
}

LRESULT CALLBACK PopupProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NOTIFY: {
        // A click chooses but leaves the typing in the editor.
        const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
        if (code == NM_DBLCLK || code == NM_RETURN) InsertChoice();
        else if (code == NM_CLICK && IsWindow(g_completion.editor)) SetFocus(g_completion.editor);
        return 0;
    }
    case kNarrow: Narrow(); return 0;
    case WM_DESTROY: g_completion = {}; return 0;
    }
    return DefWindowProcA(popup, message, wParam, lParam);
}

bool MakePopup()
{
    if (IsWindow(g_completion.popup) && GetWindow(g_completion.popup, GW_OWNER) == g_app.frame) return true;
    WNDCLASSA popupClass = {};
    if (!GetClassInfoA(g_app.instance, kPopupClass, &popupClass)) {
        popupClass.style = CS_DROPSHADOW;
        popupClass.lpfnWndProc = PopupProc;
        popupClass.hInstance = g_app.instance;
        popupClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        popupClass.lpszClassName = kPopupClass;
        if (!RegisterClassA(&popupClass)) return false;
    }
    g_completion = {};
    g_completion.popup = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kPopupClass, nullptr,
                                         WS_POPUP | WS_BORDER, 0, 0, 0, 0, g_app.frame, nullptr, g_app.instance,
                                         nullptr);
    if (!g_completion.popup) return false;
    g_completion.list = CreateWindowExA(0, WC_LISTVIEWA, nullptr,
                                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LVS_REPORT | LVS_NOCOLUMNHEADER |
                                            LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                                        0, 0, 0, 0, g_completion.popup,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_COMPLETION_LIST)),
                                        g_app.instance, nullptr);
    if (!g_completion.list) return false;
    ListView_SetExtendedListViewStyle(g_completion.list, LVS_EX_FULLROWSELECT);
    const int widths[] = {kTextColumnWidth, kDetailColumnWidth};
    for (int i = 0; i < static_cast<int>(std::size(widths)); ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_WIDTH;
        column.cx = widths[i];
        SendMessageA(g_completion.list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    return true;
}

bool IsListWindow(HWND window) { return window == g_completion.popup || window == g_completion.list; }

}  // namespace

HWND CompletionListWindow() { return IsOpen() ? g_completion.list : nullptr; }

void OpenCompletionList()
{
    HWND editor = GetActiveEditor();
    std::optional<Completion> completion = editor ? CompletionAtCaret(editor) : std::nullopt;
    if (!completion || completion->candidates.empty() || !MakePopup()) {
        Close();
        MessageBeep(MB_OK);
        return;
    }
    g_completion.editor = editor;
    g_completion.wordStart = completion->wordStart;
    g_completion.candidates.clear();
    Fill(std::move(completion->candidates));
    Place(editor);
}

bool TakeCompletionKey(const MSG& message)
{
    if (!IsOpen()) return false;
    const bool keyboard = message.message == WM_KEYDOWN || message.message == WM_CHAR;
    if (keyboard && message.hwnd != g_completion.editor && !IsListWindow(message.hwnd)) {
        Close();  // typing went elsewhere: another document, a dialog
        return false;
    }
    switch (message.message) {
    case WM_KEYDOWN:
        if (message.hwnd != g_completion.editor) break;
        switch (message.wParam) {
        case VK_RETURN:
        case VK_TAB: InsertChoice(); return true;
        case VK_ESCAPE: Close(); return true;
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT: SendMessageA(g_completion.list, WM_KEYDOWN, message.wParam, message.lParam); return true;
        case VK_DELETE:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_HOME:
        case VK_END: PostMessageA(g_completion.popup, kNarrow, 0, 0); break;
        }
        break;
    case WM_CHAR:
        if (message.hwnd == g_completion.editor) PostMessageA(g_completion.popup, kNarrow, 0, 0);
        break;
    case WM_SYSKEYDOWN: Close(); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
        if (!IsListWindow(message.hwnd)) Close();
        break;
    }
    return false;
}
