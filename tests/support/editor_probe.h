// What the Windows tests read back from windows and editors.
#pragma once
#include <windows.h>

#include <string>

std::string Title(HWND window);
// The editor's whole text, one character per position.
std::string EditorText(HWND editor);
// The text colour of the character at `position` (the selection moves there).
COLORREF ColourAt(HWND editor, LONG position);
