// The configured default font and text colour, given to every document's editor.
#pragma once
#include <windows.h>

// Gives the whole text of `editor` the face `faceName` at `points` with the
// bold, italic and underline of the settings, sets the system window colour
// as background (callers then set the configured one) and leaves the editor
// marked modified (callers clear it when the document is filled).
void ApplyDefaultFont(HWND editor, const char* faceName, int points);
// Gives all text of `editor` the setting "FontColor".
void ApplyDefaultTextColour(HWND editor);
