// Start-up and the message loop.
#pragma once
#include <windows.h>

// Everything WinMain does before its message loop: rich-edit libraries,
// paths, settings, document table, classes, frame, accelerators. Returns the
// frame, or null when start-up stopped (the reason has been reported).
HWND StartApplication(HINSTANCE instance, LPSTR commandLine, int showCommand);
// Runs until the quit message and returns its code.
int RunMessageLoop();
