// Page Setup and Print: the active document on a Windows printer.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>

void ShowPageSetup(HWND frame);  // 17
void PrintActiveDocument(HWND frame);  // 14
// Shows the print dialog and prints `editor`'s text with the page set-up's
// margins and printer; `black` prints every character in black.
void PrintDocument(HWND owner, HWND editor, PAGESETUPDLGA& setup, const std::string& path, bool black);
