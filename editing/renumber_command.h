// Renumber (Tools menu): the active Applesoft or Integer BASIC program's
// lines get new numbers and every reference to them follows.
#pragma once
#include <windows.h>

#include "core/basic/renumber.h"

// Asks for the lines and the new numbers, then renumbers (IDM_RENUMBER).
void ShowRenumberDialog(HWND frame);
// Renumbers the active program as `request` asks, in one step Undo takes
// back, keeping the selection and the scroll position (an Applesoft
// program's colours come back as an opened program's do), and lists the
// references left as they are. A refusal shows its message (in a
// box owned by `owner`) and changes nothing; false then.
bool RenumberActiveProgram(HWND owner, const RenumberRequest& request);
