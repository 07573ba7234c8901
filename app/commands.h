// Entry points of the frame's commands, one per menu item, toolbar button or
// accelerator, and the table that routes command ids to them.
#pragma once
#include <windows.h>

// A handler's result is the frame procedure's answer: Save and Close All
// return non-zero on success and 0 when cancelled or failed.
using CommandHandler = LRESULT (*)(HWND frame, UINT id, WPARAM wParam, LPARAM lParam);

struct CommandRoute {
    UINT first;
    UINT last;
    CommandHandler handler;
};

// The routing table, ranges first; ids it does not name go to DefFrameProcA.
const CommandRoute* FindCommandRoute(UINT id);

// Documents and Windows files.
void NewDocument(const char* kind);
LRESULT OpenFiles(HWND frame);
LRESULT SaveDocument(HWND frame);
LRESULT SaveDocumentAs(HWND frame);
LRESULT CloseAllDocuments(HWND frame);

// Printing.
void PrintActiveDocument(HWND frame);
void ShowPageSetup(HWND frame);

// Editing aids.
void EditCommand(UINT id);            // 20-25
void ShowGotoLine(HWND frame);        // 26
void ShowFindReplace(HWND frame, bool replace);  // 27, 29
void FindNextCommand(HWND frame);     // 28
void ToggleWordWrap(HWND frame);      // 90
void InsertSpecialCharacter(int code);  // 1400-1431
void FormatCommand(UINT id);          // 701-708
void FontBoxNotification(UINT id, UINT code);  // 3000, 4000
void RemoveSpacesCommand(HWND frame);  // 37
void OnFindReplaceMessage(HWND frame, LPARAM findReplace);

// Disk images.
void ShowProperties(HWND frame);      // 19

// Emulator link.
LRESULT RunEditedProgram(HWND frame);    // 32
void InjectDocumentText(HWND frame);     // 34
void TypeApplesoftKeyword(int index);    // 1200-1307
LRESULT AppleDiskCommand(HWND frame, UINT id, WPARAM wParam);  // 16, 18, 30, 35, 36
void ListProgramsRunning(HWND frame);    // 6001

// Settings.
void ShowPreferences(HWND owner);        // 51
