// Reading an editor's text by character position.
#pragma once
#include <windows.h>

#include <string>

// The number of character positions in the editor's text.
LONG EditorTextLength(HWND editor);
// The characters from `from` to `to`, one per position; shorter when the
// text ends first.
std::string EditorTextRange(HWND editor, LONG from, LONG to);
// The position just after the line break before `position`: where its
// line (paragraph, whatever the wrapping) starts.
LONG ParagraphStart(HWND editor, LONG position);
