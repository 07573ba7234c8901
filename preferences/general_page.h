#pragma once
#include <windows.h>

// The dialog procedure of the Preferences sheet's General page.
INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
