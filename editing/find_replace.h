// The modeless Find and Replace dialogs and Find Next.
#pragma once
#include <windows.h>
#include <commdlg.h>

void OpenFindDialog(HWND frame, bool replace);  // 27, 29
void FindNext(HWND frame);                      // 28: nothing without a document
// The find and replace dialogs' registered message "commdlg_FindReplace",
// and its handling; `request` is the dialog's FINDREPLACEA.
UINT FindReplaceMessage();
void OnFindReplace(HWND frame, const FINDREPLACEA& request);
