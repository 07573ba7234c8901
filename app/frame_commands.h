// The frame's own commands.
#pragma once
#include <windows.h>

void ShowNewPopup(HWND frame);      // command 6: the toolbar's New menu
void ShowHelpContents(HWND frame);  // command 60
void ShowAbout(HWND frame);         // command 61
