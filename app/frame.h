// The frame window: MDI frame with menu bar, toolbar, font boxes, status bar
// and the hidden clipboard carrier.
#pragma once
#include <windows.h>

#include <string>

LRESULT CALLBACK FrameWndProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);

// Document commands that need an open document (Paste is left alone when graying).
void GrayDocumentCommands(HMENU menu);
void EnableDocumentCommands(HMENU menu);
// Properties shows what a document's disk image recorded: it is there for
// the document of `editor` only when that came from an image.
void EnableImageDocumentCommands(HMENU menu, HWND editor);

// "TAVO - " and the name of the file last opened or saved ("Untitled" for none).
void SetFrameTitle(HWND frame, const std::string& fileName);
void ShowNewPopup(HWND frame);      // command 6: the toolbar's New menu
void ShowHelpContents(HWND frame);  // command 60
void ShowAbout(HWND frame);         // command 61

// Builds the toolbar with its two font boxes and tool tips (toolbar.cpp).
void CreateToolbar(HWND frame);
void LayOutToolbar();
// Selects `text` in a font box, or shows it in the box's edit field when
// the list has no such entry.
void ShowInFontBox(HWND box, const std::string& text);
