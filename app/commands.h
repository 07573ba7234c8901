// The routing of command ids to the features' handlers: one per menu item,
// toolbar button or accelerator.
#pragma once
#include <windows.h>

// A handler's result is the frame procedure's answer: Save and Close All
// return non-zero on success and 0 when cancelled or failed.
using CommandHandler = LRESULT (*)(HWND frame, UINT id, WPARAM wParam, LPARAM lParam);

struct CommandRoute {
    UINT first;
    UINT last;
    CommandHandler handler;  // null while the command's work is not built
};

// The routing table, ranges first; ids it does not name go to DefFrameProcA.
const CommandRoute* FindCommandRoute(UINT id);
// True when the command has a handler. A menu item, button or shortcut that
// did nothing would be worse than a greyed one.
bool CommandIsBuilt(UINT id);
// Greys every item of `menu` and its submenus whose command is not built.
void GrayUnbuiltCommands(HMENU menu);
