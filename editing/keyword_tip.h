// Keyword help (command 1720, Shift+F1) and the help shown where the mouse
// rests: a tooltip with the syntax and use of the keyword under it.
#pragma once
#include <windows.h>

// Shows the help of the keyword at the caret of the active program, or
// beeps when the caret is on none.
void ShowKeywordHelpAtCaret();
// The message loop shows each message here before it is handled: the
// mouse resting on a keyword of a program shows its help; a key, a click,
// the wheel or the mouse going away hides it. Never takes the message.
void WatchForKeywordHover(const MSG& message);
// Hides the help, as when the application goes to the background: the
// tooltip stays on top of every window.
void HideKeywordTip();
// The tooltip, once it has been made.
HWND KeywordTipWindow();
