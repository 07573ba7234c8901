// Finding the emulator: the top-level windows and their titles, and the
// window of the first configured emulator name that has one.
#pragma once
#include "core/text/buffer_size.h"
#include <windows.h>

#include <string>
#include <vector>

struct TopLevelWindow {
    HWND window;
    std::string title;  // at most kTextBufferChars characters
};

// Every top-level window in the system's enumeration order, visible or not.
std::vector<TopLevelWindow> TopLevelWindows();
// The names of section "Emulators", "Name[1]" up to the loaded "Number".
std::vector<std::string> EmulatorNames();
// The window of the first name, in key order, that has one; null after
// message NoEmulatorRunning. Searched anew every time: an emulator may have
// been closed or started since the last command.
HWND FindEmulatorWindow();
