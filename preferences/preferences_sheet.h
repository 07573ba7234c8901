// The Preferences property sheet of the Tools menu.
#pragma once
#include <windows.h>

// Shows the sheet modally over the frame window and returns when it closes.
void ShowPreferences(HWND frame);
