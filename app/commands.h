// Entry points of the frame's commands, one per menu item, toolbar button or
// accelerator, and the table that routes command ids to them.
#pragma once
#include <windows.h>

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
void EditCommand(UINT id);            // 20-25

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
