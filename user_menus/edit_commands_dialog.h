#pragma once
#include <windows.h>

#include "shell/app.h"

// Command 31: opens the modeless Edit Commands dialog, unless it is open. Its
// changes rebuild `accelerators`, which must outlive the dialog.
void OpenEditCommandsDialog(HWND frame, HINSTANCE instance, AcceleratorTable& accelerators);
// The open dialog (for the message loop's dialog keys), or null.
HWND EditCommandsDialog();
void CloseEditCommandsDialog();
