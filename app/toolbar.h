// The toolbar with its two font boxes and tool tips.
#pragma once
#include <windows.h>

void CreateToolbar(HWND frame);
void LayOutToolbar();
