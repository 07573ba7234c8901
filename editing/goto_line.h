#pragma once
#include <windows.h>

void GoToLine(HWND frame);  // 26
