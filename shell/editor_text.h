// Reading an editor's text by character position.
#pragma once
#include <windows.h>

#include <string>

// The number of character positions in the editor's text.
LONG EditorTextLength(HWND editor);
// The characters from `from` to `to`, one per position; shorter when the
// text ends first.
std::string EditorTextRange(HWND editor, LONG from, LONG to);
// The position of the last of `breaks` before `position`, or -1 when the
// text before it holds none. Read backwards a piece at a time, so a long
// document costs only as much as the distance to the break.
LONG LastBreakBefore(HWND editor, LONG position, const char* breaks);
// The position just after the line break before `position`: where its
// line (paragraph, whatever the wrapping) starts.
LONG ParagraphStart(HWND editor, LONG position);
// The line holding `position`, from the line break before it (not the
// wrapping) up to the next one and at most 800 characters.
std::string ParagraphText(HWND editor, LONG position);
// The bottom left corner of character `position` on the screen, a little
// below its line: where a tip or list about it opens.
POINT ScreenPointBelow(HWND editor, LONG position);
