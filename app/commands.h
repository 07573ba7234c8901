// Entry points of the frame's commands, one per menu item, toolbar button or
// accelerator, and the table that routes command ids to them.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include "resources/document_kinds.h"

// A handler's result is the frame procedure's answer: Save and Close All
// return non-zero on success and 0 when cancelled or failed.
using CommandHandler = LRESULT (*)(HWND frame, UINT id, WPARAM wParam, LPARAM lParam);

struct CommandRoute {
    UINT first;
    UINT last;
    CommandHandler handler;  // null while the command's work is not built
};

// The routing table, ranges first; ids it does not name go to DefFrameProcA.
const CommandRoute* FindCommandRoute(UINT id);
// True when the command has a handler. A menu item, button or shortcut that
// did nothing would be worse than a greyed one.
bool CommandIsBuilt(UINT id);
// Enables or greys a menu item; a command that is not built stays greyed.
void EnableCommand(HMENU menu, UINT id, bool enable);
// Greys every item of `menu` and its submenus whose command is not built.
void GrayUnbuiltCommands(HMENU menu);

// Documents and Windows files.
void NewDocument(DocumentKind kind);
LRESULT OpenFiles(HWND frame);
LRESULT SaveDocument(HWND frame);
LRESULT SaveDocumentAs(HWND frame);
LRESULT CloseAllDocuments(HWND frame);

// The file and volume property sheet of a document from a disk image;
// 1 when it was shown.
LRESULT ShowProperties(HWND frame);  // 19

// Editing aids.
void EditCommand(UINT id);                      // 20-25
void GoToLine(HWND frame);                      // 26
void OpenFindDialog(HWND frame, bool replace);  // 27, 29
void FindNext(HWND frame);                      // 28: nothing without a document
// The find and replace dialogs' registered message "commdlg_FindReplace",
// and its handling; `request` is the dialog's FINDREPLACEA.
UINT FindReplaceMessage();
void OnFindReplace(HWND frame, const FINDREPLACEA& request);
void ToggleWordWrap();                          // 90
void InsertSpecialCharacter(int code);          // 1400-1431: code id - 1400
void ToggleCharacterEffect(UINT command);       // 701-703
void ShowTextColourPalette(HWND frame);         // 704
void AlignParagraphs(UINT command);             // 706-708
void ApplyFontNameBox(WORD notification);       // 3000
void ApplyFontSizeBox(WORD notification);       // 4000
void EditCommand(UINT id);            // 20-25
// 37: the spaces Applesoft ignores taken out of the active editor's
// selection, as one step that Undo takes back.
void RemoveSelectionSpaces();

// The emulator link. Run answers 1 when the program was typed, 0 otherwise.
LRESULT RunEditedProgram(HWND frame);  // 32
LRESULT InjectDocument(HWND frame);    // 34
void TypeKeyword(int index);           // 1200-1307: the token table's entry
void ListProgramsRunning(HWND frame);  // 6001

// Shows the message of a name the disk's system would not take; false,
// showing nothing, when there is none.
struct AppleNameRefusal;
bool ReportRefusal(HWND frame, const AppleNameRefusal& refusal);
// The browser's disk commands answer 0 when the line was typed, 1 when not.
LRESULT DeleteAppleFile(HWND frame);             // 16
LRESULT RenameAppleFile(HWND frame);             // 30
LRESULT SetApplePrefix(HWND frame);              // 35
LRESULT LockAppleFile(HWND frame, bool unlock);  // 36: unlock for a row shown locked
