// Finding the document windows and their editors, and the table of where
// each document came from.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "core/basic/basic_language.h"
#include "core/documents/document_kinds.h"
#include "core/documents/document_table.h"

extern DocumentTable g_documents;

inline constexpr LONG_PTR kNoPlaceSlot = -1;  // the slot of a document never saved
inline constexpr int kDocumentTitleChars = 328;

// The editor of the active document window; null when no document is open.
HWND GetActiveEditor();
// The active document window; null when none is open.
HWND GetActiveDocument();
// The editor of a document window.
HWND EditorOf(HWND document);
// A window's title, at most `maxChars` characters.
std::string WindowTitle(HWND window, int maxChars = kDocumentTitleChars);

void FreeDocumentTable();

// The kind of a window by its class name; null for a window that is no document.
const DocumentKindRow* DocumentKindOf(HWND window);
bool IsDocumentWindow(HWND window);
bool IsDocumentOfKind(HWND window, DocumentKind kind);
// The BASIC of an Applesoft or Integer BASIC document; none for other windows.
std::optional<BasicLanguage> ProgramLanguageOf(HWND window);
// The open document windows.
int CountDocuments();

// The slot in the document table stored with an editor (-1 for none).
LONG_PTR EditorSlot(HWND editor);
void SetEditorSlot(HWND editor, LONG_PTR slot);
// The editor's slot when it lies inside the document table, 0 otherwise.
size_t TableSlotOf(HWND editor);
// The slot of a document that came from a disk image (its file entry is a
// DOS 3.3 or ProDOS one), 0 for any other document.
size_t ImageSlotOf(HWND editor);
