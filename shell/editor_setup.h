// A document's editor made ready for its text: for a new document, and
// before and after an opened file's text goes in.
#pragma once
#include <windows.h>

#include "core/documents/document_kinds.h"

// An empty document of `kind` titled "Untitled", with the tab stops of the
// settings, shown and ready for typing.
void NewDocument(DocumentKind kind);
// An opened file's editor before its text goes in: hidden, tab stops every
// five characters, the default font, colour and background, empty.
void PrepareOpenedEditor(HWND editor);
// Shows the filled editor with the caret at the start, unmodified, coloured
// as Applesoft when `colour`, and gives the active document the focus.
void FinishOpenedDocument(HWND frame, HWND editor, bool colour);
