// What the Windows tests read back from windows and editors.
#pragma once
#include <windows.h>
#include <richedit.h>

#include <string>

std::string Title(HWND window);
// The text of one part of the frame's status bar.
std::string StatusPart(int part);
// The editor's whole text, one character per position.
std::string EditorText(HWND editor);
// The editor's selection, and selecting a range.
CHARRANGE Selection(HWND editor);
void Select(HWND editor, LONG from, LONG to);
// The text colour of the character at `position` (the selection moves there).
COLORREF ColourAt(HWND editor, LONG position);
// Gives the characters from `from` to `to` a colour as the user could (the
// selection stays there).
void SetColour(HWND editor, LONG from, LONG to, COLORREF colour);
