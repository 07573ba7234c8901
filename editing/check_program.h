// Check Program (command 52) and its results window, which keeps up with
// the checks made in the background as the program is edited.
#pragma once
#include <windows.h>

#include "core/basic/program_check.h"

// True when the active document is an Applesoft program, the one kind
// Run edited Program checks first.
bool ApplesoftDocumentActive();
// True when the active document is an Applesoft or Integer BASIC program,
// the kinds Check Program reads.
bool ProgramDocumentActive();
// The findings on the active program's text, in its BASIC.
ProgramCheck CheckActiveProgram();
// Checks the active program and shows the results window, or refreshes it
// when it is open already.
void ShowProgramCheck(HWND frame);
// The program of `editor` has a new check in the background: the window
// shows it when it shows that program.
void RefreshProgramCheck(HWND editor);
// Shows `check`, made on the active document, in the results window.
void ShowProgramCheck(HWND frame, ProgramCheck check);
// The results window while it is open, for the message loop's dialog keys.
HWND CheckProgramWindow();
