#include "editing/list_window_layout.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr int kMargin = 6;   // pixels around the summary and the list
constexpr int kOffset = 24;  // pixels from the frame's edges

}  // namespace

void LayOutSummaryAndList(HWND dialog, int summaryId, int listId, int width, int height)
{
    HWND summary = GetDlgItem(dialog, summaryId);
    RECT r = {};
    GetWindowRect(summary, &r);
    const int summaryHeight = r.bottom - r.top;
    MoveWindow(summary, kMargin, kMargin, width - 2 * kMargin, summaryHeight, TRUE);
    const int top = 2 * kMargin + summaryHeight;
    MoveWindow(GetDlgItem(dialog, listId), kMargin, top, width - 2 * kMargin, height - top - kMargin, TRUE);
}

void PlaceOverFrame(HWND dialog, HWND frame)
{
    RECT f = {}, d = {};
    GetWindowRect(frame, &f);
    GetWindowRect(dialog, &d);
    const int top = std::max(f.top + kOffset, f.bottom - (d.bottom - d.top) - kOffset);
    SetWindowPos(dialog, nullptr, f.left + kOffset, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetListColumns(HWND list, std::span<const LineListColumn> columns)
{
    while (SendMessageA(list, LVM_DELETECOLUMN, 0, 0)) {}
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(columns[static_cast<size_t>(i)].title);
        column.cx = columns[static_cast<size_t>(i)].width;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}
