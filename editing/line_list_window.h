// The list of a program's lines that Lines That Jump Here and Renumber show:
// modeless, in Check Program's style. Choosing a row puts the caret on its
// place in the program's document and brings the document to the front.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "editing/list_window_layout.h"

struct LineListRow {
    LONG position;                   // where the caret goes in the document
    std::vector<std::string> cells;  // one a column
};

struct LineList {
    std::string title;  // the window's, before " - " and the document's title
    std::string summary;
    std::vector<LineListColumn> columns;
    std::vector<LineListRow> rows;
};

// Shows `list`, made on the active document, in the one list window, which
// is opened or else takes the new list in place of the one it shows.
void ShowLineList(HWND frame, LineList list);
// The window while it is open, for the message loop's dialog keys.
HWND LineListWindow();
