// Windows files: streaming files into and out of editors, and the Open,
// Save and Save As commands for Windows drives.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "shell/keyboard.h"

LRESULT OpenFiles(HWND frame);
LRESULT SaveDocument(HWND frame);
LRESULT SaveDocumentAs(HWND frame);

// Streams an existing file into the editor (".rtf" in any case as rich
// text; plain text with a carriage return before each lone line feed) and
// clears the modified flag. 0 when it could not be read; the
// editor is then left empty. A missing file is not created here.
int LoadFileIntoEditor(HWND editor, const char* path);
// Writes the whole text to `path` through a temporary file in the same
// folder that replaces the old file only once every byte is written. 1 on
// success (the modified flag is then cleared); 0 leaves the old file and the
// flag as they were.
int SaveEditorToFile(HWND editor, const char* path);


// What Open does after its dialog: `buffer` is the dialog's answer (the
// folder, then one or more names from `nameOffset`, separated by zero bytes).
// Remembers the folder as `SourceDirectory` and setting "Src", then opens each
// name in turn, testing Alt and Ctrl through `held` for each file.
LRESULT OpenChosenFiles(HWND frame, const char* buffer, size_t size, size_t nameOffset, KeyHeld held = KeyHeldNow);
// The files named on the command line, each a full or relative path: opened
// one by one as Open opens them, a ".bas" name as a coloured Applesoft
// document. A name that is no file gets "Could not read file" and is not
// created. Each opened file's folder becomes `SourceDirectory` and "Src".
// A disk image is not opened as a file: once the message loop runs, the
// open dialog shows it listed (the last image, when several are named).
LRESULT OpenNamedFiles(HWND frame, const std::vector<std::string>& paths);
// What Save As does after its dialog: saves the active document as `path`
// (full path) and moves it to a new slot of the document table.
LRESULT SaveActiveDocumentAs(HWND frame, const std::string& path);
