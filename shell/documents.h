// Document windows: MDI children holding one rich-edit editor each, made,
// closed and asked about unsaved changes here.
#pragma once
#include <windows.h>

#include "shell/document_windows.h"

// The document window's extra bytes: whether its editor wraps.
inline constexpr int kDocumentWrapOffset = 0;
inline constexpr int kDocumentExtraBytes = 4;

LRESULT CALLBACK DocumentWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The save question: IDYES (after a successful Save), IDNO or IDCANCEL.
int AskSaveChanges(HWND owner, const char* title);
// Closes every document, asking about unsaved changes; 0 when the user cancelled.
LRESULT CloseAllDocuments(HWND frame);

// A document window of `kind` titled `title`, at the default place, 615
// pixels wide; null, after message CantCreateWindow, when it could not be
// created (its editor included).
HWND CreateDocumentWindow(DocumentKind kind, const char* title);
// `SetTabStops`: `count` stops (never more than 32), `width` average
// character widths apart; leaves the editor marked modified.
void SetTabStops(HWND editor, int count, int width);
// The 'Same Name' rule: with "StopDuplicates" "TRUE", a name that an open
// document already has as its title is refused with message 19. True when
// the file must not be opened.
bool RefuseSameName(const char* name);

