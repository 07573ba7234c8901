// The run-time accelerator table: the built-in keys and the user's commands'.
#pragma once
#include <windows.h>

#include "core/user_menus/accelerator_text.h"
#include "shell/app.h"

// The built-in table "TAVO" followed by the user's commands' accelerators.
// `current` is released first. When no new table can be made the built-in
// one is given back (after message 1 when memory ran out).
AcceleratorTable BuildAcceleratorTable(HINSTANCE instance, AcceleratorTable current);
// The built-in command that already has `key` (its Shift, Ctrl and Alt
// included), or 0: that command keeps the key, as the built-in keys come
// first in the table.
UINT BuiltInCommandOfKey(HINSTANCE instance, const AcceleratorKey& key);
// Destroys `table` if this program created it, and empties it.
void ReleaseAcceleratorTable(AcceleratorTable& table);
