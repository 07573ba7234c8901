// Rich text moved between editors through memory, never the clipboard, and
// the hidden editors that hold such copies.
#pragma once
#include <windows.h>
#include <richedit.h>

#include <string>

// The editor's whole text, or its selection, as rich text; the selection
// is left alone.
std::string EditorAsRtf(HWND editor, bool selectionOnly = false);
// Selects `range` and returns it as rich text.
std::string SelectionAsRtf(HWND editor, CHARRANGE range);
void ReplaceSelectionWithRtf(HWND editor, std::string rtf);
// A hidden "RICHEDIT" control without the 32 KB text limit; null when it
// cannot be made. The caller destroys it.
HWND CreateScratchEditor();
