// Opening the Apple files picked in the open dialog's browser as documents.
#pragma once
#include <windows.h>

#include <cstddef>

#include "core/disk/open_choice.h"
#include "shell/keyboard.h"

// How one Apple file is read into a document's content; a test puts in one that fails.
using EntryOpener = DocumentContent (*)(ImageFile& image, int layout, EntryRef ref, bool hexDump, FileEntry& entry);

// Opens positions `count` down to 1 of the browser's selection list (the
// order the rows had in the list; 0 marks a folder, skipped) from the image
// in `g_browser`, each as a document of the kind its file type asks for;
// with Ctrl held (tested through `held`) every file is a hex dump. A file
// that cannot be read into memory is skipped, and one message names them
// all. 1 when every position was handled, 0 when the command had to stop.
LRESULT OpenFromImage(HWND frame, size_t count, KeyHeld held = KeyHeldNow, EntryOpener open = OpenImageEntry);
