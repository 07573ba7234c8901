// The read-out of the selection in the status bar and the toolbar's boxes.
#pragma once
#include <windows.h>

#include <string>

void ShowSelectionReadout(HWND editor);
// The status bar alone: where the caret is, and part 0 as below. A
// document coming to the front shows its own; its font may not be set yet.
void ShowCaretStatus(HWND editor);
// Part 0 of the status bar for the editor's caret: the syntax of the
// keyword it is on, else the number of problems its program's last check
// found, else nothing.
void ShowProgramStatus(HWND editor);
// Selects `text` in a font box, or shows it in the box's edit field when
// the list has no such entry.
void ShowInFontBox(HWND box, const std::string& text);
