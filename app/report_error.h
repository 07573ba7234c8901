// Shows a numbered message in a box captioned "TAVO Error".
#pragma once
#include <windows.h>

#include <string_view>

// Returns the answer for the overwrite question (25) and 0 for every other number.
int ReportError(unsigned number, std::string_view text = {}, int value = 0, HWND owner = nullptr);
