// Document windows: MDI children holding one rich-edit editor each, and the
// table of where each document came from.
#pragma once
#include <windows.h>

#include "app/document_table.h"

extern DocumentTable g_documents;

LRESULT CALLBACK DocumentWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The editor of the active document window; null when no document is open.
HWND GetActiveEditor();
// The save question: IDYES (after a successful Save), IDNO or IDCANCEL.
int AskSaveChanges(HWND owner, const char* title);
void FreeDocumentTable();
// True for the window classes of the document kinds.
bool IsDocumentWindow(HWND window);
