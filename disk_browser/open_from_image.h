// Opening the Apple files picked in the open dialog's browser as documents.
#pragma once
#include <windows.h>

#include <cstddef>

#include "shell/keyboard.h"

// Opens positions `count` down to 1 of the browser's selection list (the
// order the rows had in the list; 0 marks a folder, skipped) from the image
// in `g_browser`, each as a document of the kind its file type asks for;
// with Ctrl held (tested through `held`) every file is a hex dump. 1 when
// every position was handled, 0 when the command had to stop.
LRESULT OpenFromImage(HWND frame, size_t count, KeyHeld held = KeyHeldNow);
