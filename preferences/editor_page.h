#pragma once
#include <windows.h>

// The dialog procedure of the Preferences sheet's Editor page.
INT_PTR CALLBACK EditorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
