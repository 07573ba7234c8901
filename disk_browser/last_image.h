// The disk image used last ("LastImage" in the settings file: its name
// without folder) and its opening by itself in the file dialogs' list.
#pragma once
#include <windows.h>

#include <string>

std::string ReadLastImage();
void WriteLastImage(const std::string& title);

// Finds the row that reads exactly "LastImage" in the file list of the system
// file dialog `fileDialog`, selects it and presses the dialog's default
// button, so that the image used last opens when it lies in the folder shown.
// False when there is no such row; the dialog is then left as it was.
bool OpenLastImage(HWND fileDialog);
