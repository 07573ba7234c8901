// Applesoft colouring applied to a rich-edit editor: the spans of the
// colouring scanner become text colours; the text itself never changes.
#pragma once
#include <windows.h>

#include <string>

// Colours whole lines from `start` (-1 for 0) up to at least `end`. Does
// nothing while colouring is off. Returns 0; the selection is left at the
// last character, for the caller to set its own.
int ColourApplesoft(HWND editor, LONG end, LONG start);
// Recolours from the end of the line before `lineStart` up to `caret` (at
// most 599 characters), the remark colour running to the caret. Returns 0.
int ColourLineToCaret(HWND editor, LONG lineStart, LONG caret);
