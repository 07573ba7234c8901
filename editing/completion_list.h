// Complete Word (command 1721, Ctrl+J): a list at the caret of what may
// complete the word being typed in a program.
#pragma once
#include <windows.h>

// Opens the list for the active program's word at the caret, or beeps when
// nothing completes it.
void OpenCompletionList();
// The message loop shows each message here before anything else. While
// the list is open, Enter and Tab insert its choice, Escape closes it and
// the arrow and page keys move in it: those keys are taken (true). Other
// keys go to the document as usual and narrow the list after them; a
// click elsewhere closes it.
bool TakeCompletionKey(const MSG& message);
// The list control while the list is open, else null.
HWND CompletionListWindow();
