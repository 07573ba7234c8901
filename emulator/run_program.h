// Typing the active document into the emulator.
#pragma once
#include <windows.h>

// Run answers 1 when the program was typed, 0 otherwise.
LRESULT RunEditedProgram(HWND frame);  // 32
LRESULT InjectDocument(HWND frame);    // 34
void TypeKeyword(int index);           // 1200-1307: the token table's entry
