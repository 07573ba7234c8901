// The user-defined menus: Utilities (external programs) and Commands
// (scripts typed into the emulator, with their own accelerators).
#pragma once
#include <windows.h>

#include <string>

// Starts `commandLine` as an independent process; on failure shows the
// system's text for the error. Non-zero on success.
BOOL LaunchProgram(const std::string& commandLine, int showCommand);
// Launches utility n (command 999 + n); message 21 when it cannot start.
void RunUtility(int n);

// Rebuilds the run-time accelerator table from the built-in table "TAVO"
// and the user's commands. With `replace` the current table is destroyed
// first. Returns 1 when memory for the entries could not be had.
int BuildAcceleratorTable(int replace);
