// Document windows: MDI children holding one rich-edit editor each, and the
// table of where each document came from.
#pragma once
#include <windows.h>

#include <string>

#include "app/document_table.h"
#include "resources/document_kinds.h"

extern DocumentTable g_documents;

inline constexpr LONG_PTR kNoPlaceSlot = -1;  // the slot of a document never saved
inline constexpr int kDocumentTitleChars = 328;

LRESULT CALLBACK DocumentWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The editor of the active document window; null when no document is open.
HWND GetActiveEditor();
// The active document window; null when none is open.
HWND GetActiveDocument();
// The editor of a document window.
HWND EditorOf(HWND document);
// A window's title, at most `maxChars` characters.
std::string WindowTitle(HWND window, int maxChars = kDocumentTitleChars);
// The save question: IDYES (after a successful Save), IDNO or IDCANCEL.
int AskSaveChanges(HWND owner, const char* title);
void FreeDocumentTable();
// The kind of a window by its class name; null for a window that is no document.
const DocumentKindRow* DocumentKindOf(HWND window);
bool IsDocumentWindow(HWND window);
bool IsDocumentOfKind(HWND window, DocumentKind kind);
// The open document windows.
int CountDocuments();

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
// The slot in the document table stored with an editor (-1 for none).
LONG_PTR EditorSlot(HWND editor);
void SetEditorSlot(HWND editor, LONG_PTR slot);
// The editor's slot when it lies inside the document table, 0 otherwise.
size_t TableSlotOf(HWND editor);
// The slot of a document that came from a disk image (its file entry is a
// DOS 3.3 or ProDOS one), 0 for any other document.
size_t ImageSlotOf(HWND editor);

// Status bar and toolbar read-out of the selection (status_readout.cpp).
void ShowSelectionReadout(HWND editor);
