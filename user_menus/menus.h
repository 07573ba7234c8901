// The user-defined menus: Utilities (external programs) and Commands
// (scripts typed into the emulator, with their own accelerators).
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "shell/app.h"

// Starts `commandLine` as an independent process; on failure shows the
// system's text for the error. Non-zero on success. A command line with
// spaces that names an existing program is quoted first, so that
// "C:\Program Files\X\x.exe" can never start "C:\Program.exe".
BOOL LaunchProgram(const std::string& commandLine, int showCommand);
// Launches utility n (command 999 + n); message 21, owned by `frame`, when
// it cannot start or has no path.
void RunUtility(HWND frame, int n);
// Command 42: a program picked in the file dialog is launched.
void LaunchChosenProgram(HWND frame);
// Commands 44 and 45: the modal Add Utility and Remove Utility dialogs.
void AddUtility(HWND frame);
void RemoveUtility(HWND frame);

// The Utilities list in the settings file, entry n counted from 1.
int UtilityCount();
std::string UtilitySetting(const char* keyFormat, int n);
void WriteUtilitySetting(const char* keyFormat, int n, const char* value);
// Replaces the user's items of the Utilities menu by those the list now
// holds, as start-up would append them.
void RebuildUtilityItems(HWND frame);

// Start-up, once the frame exists: the user's entries appended to the
// Utilities and Commands menus of `frame` (each after a separator, when there
// are any), and the utilities marked AutoRun launched in ascending order.
void AppendUtilityItems(HWND frame);
void AppendCommandItems(HWND frame);
void RunAutoRunUtilities(HWND frame);
// The frame's Command menu, and user command n appended to it under `name`
// (its backslash-"t" shown as a key hint); message 31 when it cannot be.
HMENU CommandMenu(HWND frame);
void AppendCommandItem(HWND frame, int n, std::string_view name);
// Types user command n's script (command 1500 + n) into the emulator.
void RunUserCommand(int n);

// The built-in table "TAVO" followed by the user's commands' accelerators.
// `current` is released first. When no new table can be made the built-in
// one is given back (after message 1 when memory ran out).
AcceleratorTable BuildAcceleratorTable(HINSTANCE instance, AcceleratorTable current);
// Destroys `table` if this program created it, and empties it.
void ReleaseAcceleratorTable(AcceleratorTable& table);

// Command 31: opens the modeless Edit Commands dialog, unless it is open. Its
// changes rebuild `accelerators`, which must outlive the dialog.
void OpenEditCommandsDialog(HWND frame, HINSTANCE instance, AcceleratorTable& accelerators);
// The open dialog (for the message loop's dialog keys), or null.
HWND EditCommandsDialog();
void CloseEditCommandsDialog();
