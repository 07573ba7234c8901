// Replacing many ranges of an editor's text as one step the user can undo.
#pragma once
#include <windows.h>
#include <richedit.h>

#include <vector>

// Replaces each of `ranges` (ascending, not overlapping) by `text`, keeping
// the character formats of the text around and between them; one Undo
// takes every replacement back. The caret ends after the last replacement.
void ReplaceRanges(HWND editor, const std::vector<CHARRANGE>& ranges, const char* text);
