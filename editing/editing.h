// The Edit menu's clipboard and undo commands, and taking out spaces.
#pragma once
#include <windows.h>

void EditCommand(UINT id);  // 20-25
// 37: the spaces Applesoft ignores taken out of the active editor's
// selection, as one step that Undo takes back.
void RemoveSelectionSpaces();
