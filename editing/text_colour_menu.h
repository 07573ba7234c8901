#pragma once
#include <windows.h>

void ShowTextColourPalette(HWND frame);  // 704
