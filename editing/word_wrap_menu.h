// The Edit menu's Word Wrap item.
#pragma once
#include <windows.h>

// The check mark showing the active document's wrapping (the setting's
// without a document).
void ShowWordWrapCheck(HMENU menu);
void ToggleWordWrap();  // command 90
