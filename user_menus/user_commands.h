// The Commands menu: scripts the user keeps, typed into the emulator.
#pragma once
#include <windows.h>

#include <string_view>

// Start-up, once the frame exists: the user's commands appended to the
// Commands menu of `frame` (after a separator, when there are any).
void AppendCommandItems(HWND frame);
// The frame's Command menu, and user command n appended to it under `name`
// (its backslash-"t" shown as a key hint); message 31 when it cannot be.
HMENU CommandMenu(HWND frame);
void AppendCommandItem(HWND frame, int n, std::string_view name);
// Types user command n's script (command 1500 + n) into the emulator.
void RunUserCommand(int n);
