// The user-defined menus: Utilities (external programs) and Commands
// (scripts typed into the emulator, with their own accelerators).
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// Starts `commandLine` as an independent process; on failure shows the
// system's text for the error. Non-zero on success.
BOOL LaunchProgram(const std::string& commandLine, int showCommand);
// Launches utility n (command 999 + n); message 21, owned by `frame`, when
// it cannot start.
void RunUtility(HWND frame, int n);

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

// The run-time accelerator table. A table loaded from the resources belongs
// to the system and is never destroyed; only one this program created is.
struct AcceleratorTable {
    HACCEL handle = nullptr;
    bool created = false;
};
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
