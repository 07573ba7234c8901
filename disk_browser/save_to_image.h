// Save to Apple ][ disk image As... (command 18): the image chooser, the
// save-location dialog, and Save through the emulator.
#pragma once
#include <windows.h>

// Saves the active document onto a disk image under the place the user picks.
// Returns Save's answer (non-zero when the program was typed), 0 when
// cancelled or when no document is open.
LRESULT SaveToAppleImageAs(HWND frame);
