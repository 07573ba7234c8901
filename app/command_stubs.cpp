// Commands whose work is not built yet. Each is a named entry point that the
// routing table already reaches; none of them may crash or pretend to succeed.
#include "app/commands.h"
#include "menus/menus.h"

void PrintActiveDocument(HWND) {}
void ShowPageSetup(HWND) {}
void ShowGotoLine(HWND) {}
void ShowFindReplace(HWND, bool) {}
void FindNextCommand(HWND) {}
void ToggleWordWrap(HWND) {}
void InsertSpecialCharacter(int) {}
void FormatCommand(UINT) {}
void FontBoxNotification(UINT, UINT) {}
void RemoveSpacesCommand(HWND) {}
void OnFindReplaceMessage(HWND, LPARAM) {}
void ShowProperties(HWND) {}
LRESULT RunEditedProgram(HWND) { return 0; }
void InjectDocumentText(HWND) {}
void TypeApplesoftKeyword(int) {}
LRESULT AppleDiskCommand(HWND, UINT, WPARAM) { return 0; }
void ListProgramsRunning(HWND) {}
void ShowPreferences(HWND) {}
void LaunchChosenProgram() {}
void ShowAddUtility() {}
void ShowRemoveUtility() {}
void ShowEditCommands() {}
void RunUserCommand(int) {}
