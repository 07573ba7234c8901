// Character effects, paragraph alignment and the toolbar's font boxes.
#pragma once
#include <windows.h>

void ToggleCharacterEffect(UINT command);  // 701-703
void AlignParagraphs(UINT command);        // 706-708
void ApplyFontNameBox(WORD notification);  // 3000
void ApplyFontSizeBox(WORD notification);  // 4000
