// Applesoft colouring applied to a rich-edit editor: the spans of the
// colouring scanner become text colours; the text itself never changes.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// Colours whole lines from `start` (-1 for 0) up to at least `end`. Does
// nothing while colouring is off. Returns 0; the selection is left at the
// last character, for the caller to set its own.
int ColourApplesoft(HWND editor, LONG end, LONG start);
// Recolours from the end of the line before `lineStart` up to `caret` (at
// most 599 characters), the remark colour running to the caret. Returns 0.
int ColourLineToCaret(HWND editor, LONG lineStart, LONG caret);
// Replaces the selection with `text` coloured as Applesoft, in one step that
// Undo takes back whole; `lineBefore` is the text of the selection's first
// line before it, which sets where the colouring starts. The characters take
// the font of the selection's first character. With colouring off the text
// goes in plain. The selection ends after the new text.
void ReplaceSelectionColoured(HWND editor, std::string_view lineBefore, const std::string& text);
