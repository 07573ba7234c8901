// Check Program (command 52) and its results window.
#pragma once
#include <windows.h>

#include "core/basic/program_check.h"

// True when the active document is an Applesoft program, the only kind
// Check Program reads.
bool ApplesoftDocumentActive();
// The findings on the active document's text.
ProgramCheck CheckActiveProgram();
// Checks the active Applesoft program and shows the results window, or
// refreshes it when it is open already.
void ShowProgramCheck(HWND frame);
// Shows `check`, made on the active document, in the results window.
void ShowProgramCheck(HWND frame, ProgramCheck check);
// The results window while it is open, for the message loop's dialog keys.
HWND CheckProgramWindow();
