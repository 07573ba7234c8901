// Jumps between a program's lines: from a line number after GOTO, GOSUB,
// THEN, LIST, RUN or DEL to the line it names (Go To Referenced Line, F9,
// Ctrl+click), back again through a short history (Jump Back, Alt+Left),
// and Lines That Jump Here, the list of every line naming the caret's line.
#pragma once
#include <windows.h>

void GoToReferencedLine(HWND frame);    // IDM_GOTO_REFERENCED_LINE
void JumpBack(HWND frame);              // IDM_JUMP_BACK
void ShowLinesThatJumpHere(HWND frame); // IDM_LINES_THAT_JUMP_HERE
// A Ctrl+click on a line-number reference in a BASIC program's editor jumps
// to the line it names; the message loop hands each message here first.
// True when the click was taken.
bool JumpOnControlClick(const MSG& message);
// The Edit menu's jump commands, as the active document allows them.
void EnableJumpCommands(HMENU editMenu);
