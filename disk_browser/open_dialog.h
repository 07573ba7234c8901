// The open dialog's Apple part: the "A2Get" template below the system file
// chooser and its hook, which lists a picked disk image and lets the user
// choose Apple files in it.
#pragma once
#include <windows.h>

#include <cstddef>

inline constexpr char kOpenDialogTemplate[] = "A2Get";

UINT_PTR CALLBACK OpenDialogHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);

// How many Apple files the last open dialog chose (positions 1 to n of
// `g_documents.browserSelection`); 0 when it chose a Windows file or none.
size_t AppleSelectionCount();
