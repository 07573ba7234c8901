#pragma once
#include <windows.h>

// Commands 44 and 45: the modal Add Utility and Remove Utility dialogs.
void AddUtility(HWND frame);
void RemoveUtility(HWND frame);
