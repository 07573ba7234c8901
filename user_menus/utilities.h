// The Utilities menu: external programs the user lists, launched from it
// or at start-up.
#pragma once
#include <windows.h>

#include <string>

// Starts `commandLine` as an independent process; on failure shows the
// system's text for the error, unless `explain` is false. Non-zero on
// success. A command line with spaces that names an existing program is
// quoted first, so that "C:\Program Files\X\x.exe" can never start
// "C:\Program.exe".
BOOL LaunchProgram(const std::string& commandLine, int showCommand, bool explain = true);
// Launches utility n (command 999 + n); message 21, owned by `frame`, when
// it cannot start or has no path.
void RunUtility(HWND frame, int n);
// Command 42: a program picked in the file dialog is launched.
void LaunchChosenProgram(HWND frame);

// The Utilities list in the settings file, entry n counted from 1.
int UtilityCount();
std::string UtilitySetting(const char* keyFormat, int n);
void WriteUtilitySetting(const char* keyFormat, int n, const char* value);
// Replaces the user's items of the Utilities menu by those the list now
// holds, as start-up would append them.
void RebuildUtilityItems(HWND frame);

// Start-up, once the frame exists: the user's entries appended to the
// Utilities menu of `frame` (after a separator, when there are any), and the
// utilities marked AutoRun launched in ascending order. An entry without a
// path is not started; one box names every utility that would not start.
void AppendUtilityItems(HWND frame);
void RunAutoRunUtilities(HWND frame);
