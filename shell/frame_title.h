#pragma once
#include <windows.h>

#include <string>

// "TAVO - " and the name of the file last opened or saved ("Untitled" for none).
void SetFrameTitle(HWND frame, const std::string& fileName);
