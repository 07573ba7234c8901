#pragma once
#include <windows.h>

void ListProgramsRunning(HWND frame);  // 6001
