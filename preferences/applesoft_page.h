#pragma once
#include <windows.h>

// The dialog procedure of the Preferences sheet's Applesoft page.
INT_PTR CALLBACK ApplesoftPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
