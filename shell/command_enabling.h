// Which menu commands can be chosen: those that need an open document, and
// Properties, which needs a document from a disk image.
#pragma once
#include <windows.h>

// Enables or greys one menu item.
void EnableCommand(HMENU menu, UINT id, bool enable);
// The document commands: greyed with no document open, enabled with one
// (Paste is left alone when greying).
void GrayDocumentCommands(HMENU menu);
void EnableDocumentCommands(HMENU menu);
// Properties shows what a document's disk image recorded: it is there for
// the document of `editor` only when that came from an image.
void EnableImageDocumentCommands(HMENU menu, HWND editor);
