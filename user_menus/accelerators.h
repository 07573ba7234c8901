// The run-time accelerator table: the built-in keys and the user's commands'.
#pragma once
#include <windows.h>

#include "shell/app.h"

// The built-in table "TAVO" followed by the user's commands' accelerators.
// `current` is released first. When no new table can be made the built-in
// one is given back (after message 1 when memory ran out).
AcceleratorTable BuildAcceleratorTable(HINSTANCE instance, AcceleratorTable current);
// Destroys `table` if this program created it, and empties it.
void ReleaseAcceleratorTable(AcceleratorTable& table);
