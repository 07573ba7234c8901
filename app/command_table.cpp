// Which code carries out each command id of the menus, the toolbar and the
// accelerators. Ranges are tested before single ids.
#include <iterator>

#include "app/app.h"
#include "app/commands.h"
#include "app/frame.h"
#include "menus/menus.h"
#include "resources/resource.h"

namespace {

LRESULT Utility(HWND, UINT id, WPARAM, LPARAM) { RunUtility(static_cast<int>(id) - (IDM_UTILITY_FIRST - 1)); return 0; }
LRESULT Keyword(HWND, UINT id, WPARAM, LPARAM) { TypeApplesoftKeyword(static_cast<int>(id - IDM_KEYWORD_FIRST)); return 0; }
LRESULT ControlChar(HWND, UINT id, WPARAM, LPARAM) { InsertSpecialCharacter(static_cast<int>(id - IDM_CONTROL_CHAR_FIRST)); return 0; }
LRESULT UserCommand(HWND, UINT id, WPARAM, LPARAM) { RunUserCommand(static_cast<int>(id) - (IDM_USER_COMMAND_FIRST - 1)); return 0; }
LRESULT Format(HWND, UINT id, WPARAM, LPARAM) { FormatCommand(id); return 0; }
LRESULT FontBox(HWND, UINT id, WPARAM wp, LPARAM) { FontBoxNotification(id, HIWORD(wp)); return 0; }
LRESULT ProgramList(HWND frame, UINT, WPARAM, LPARAM) { ListProgramsRunning(frame); return 0; }

LRESULT NewPopup(HWND frame, UINT, WPARAM, LPARAM) { ShowNewPopup(frame); return 0; }
LRESULT New(HWND, UINT id, WPARAM, LPARAM)
{
    static const char* const kKinds[] = {"Applesoft", "Integer", "Text", "MDIChildClass"};
    NewDocument(kKinds[id - IDM_NEW_APPLESOFT]);
    return 0;
}
LRESULT Open(HWND frame, UINT, WPARAM, LPARAM) { return OpenFiles(frame); }
LRESULT Save(HWND frame, UINT, WPARAM, LPARAM) { return SaveDocument(frame); }
LRESULT SaveAs(HWND frame, UINT, WPARAM, LPARAM) { return SaveDocumentAs(frame); }
LRESULT Print(HWND frame, UINT, WPARAM, LPARAM) { PrintActiveDocument(frame); return 0; }
LRESULT Exit(HWND frame, UINT, WPARAM, LPARAM) { SendMessageA(frame, WM_CLOSE, 0, 0); return 0; }
LRESULT DiskCommand(HWND frame, UINT id, WPARAM wp, LPARAM) { return AppleDiskCommand(frame, id, wp); }
LRESULT PageSetup(HWND frame, UINT, WPARAM, LPARAM) { ShowPageSetup(frame); return 0; }
LRESULT Properties(HWND frame, UINT, WPARAM, LPARAM) { ShowProperties(frame); return 0; }
LRESULT Edit(HWND, UINT id, WPARAM, LPARAM) { EditCommand(id); return 0; }
LRESULT GotoLine(HWND frame, UINT, WPARAM, LPARAM) { ShowGotoLine(frame); return 0; }
LRESULT Find(HWND frame, UINT id, WPARAM, LPARAM) { ShowFindReplace(frame, id == IDM_REPLACE); return 0; }
LRESULT FindNext(HWND frame, UINT, WPARAM, LPARAM) { FindNextCommand(frame); return 0; }
LRESULT EditCommands(HWND, UINT, WPARAM, LPARAM) { ShowEditCommands(); return 0; }
LRESULT Run(HWND frame, UINT, WPARAM, LPARAM) { return RunEditedProgram(frame); }
LRESULT Inject(HWND frame, UINT, WPARAM, LPARAM) { InjectDocumentText(frame); return 0; }
LRESULT RemoveSpaces(HWND frame, UINT, WPARAM, LPARAM) { RemoveSpacesCommand(frame); return 0; }
LRESULT Launch(HWND, UINT, WPARAM, LPARAM) { LaunchChosenProgram(); return 0; }
LRESULT AddUtility(HWND, UINT, WPARAM, LPARAM) { ShowAddUtility(); return 0; }
LRESULT RemoveUtility(HWND, UINT, WPARAM, LPARAM) { ShowRemoveUtility(); return 0; }
LRESULT Preferences(HWND frame, UINT, WPARAM, LPARAM) { ShowPreferences(frame); return 0; }
LRESULT Help(HWND frame, UINT, WPARAM, LPARAM) { ShowHelpContents(frame); return 0; }
LRESULT About(HWND frame, UINT, WPARAM, LPARAM) { ShowAbout(frame); return 0; }
LRESULT Cascade(HWND, UINT, WPARAM, LPARAM) { CascadeWindows(g_app.mdiClient, 0, nullptr, 0, nullptr); return 0; }
LRESULT Tile(HWND, UINT, WPARAM, LPARAM) { TileWindows(g_app.mdiClient, MDITILE_VERTICAL, nullptr, 0, nullptr); return 0; }
LRESULT Arrange(HWND, UINT, WPARAM, LPARAM) { SendMessageA(g_app.mdiClient, WM_MDIICONARRANGE, 0, 0); return 0; }
LRESULT CloseAll(HWND frame, UINT, WPARAM, LPARAM) { return CloseAllDocuments(frame); }
LRESULT WordWrap(HWND frame, UINT, WPARAM, LPARAM) { ToggleWordWrap(frame); return 0; }

constexpr CommandRoute kRoutes[] = {
    {IDM_UTILITY_FIRST, IDM_UTILITY_LAST, Utility},
    {IDM_KEYWORD_FIRST, IDM_KEYWORD_LAST, Keyword},
    {IDM_CONTROL_CHAR_FIRST, IDM_CONTROL_CHAR_LAST, ControlChar},
    {IDM_USER_COMMAND_FIRST, IDM_USER_COMMAND_LAST, UserCommand},
    {IDM_BOLD, IDM_ALIGN_RIGHT, Format},
    {IDC_FONT_NAME_BOX, IDC_FONT_NAME_BOX, FontBox},
    {IDC_FONT_SIZE_BOX, IDC_FONT_SIZE_BOX, FontBox},
    {IDM_LIST_PROGRAMS, IDM_LIST_PROGRAMS, ProgramList},
    {IDM_NEW_POPUP, IDM_NEW_POPUP, NewPopup},
    {IDM_NEW_APPLESOFT, IDM_NEW_EDIT, New},
    {IDM_OPEN, IDM_OPEN, Open},
    {IDM_SAVE, IDM_SAVE, Save},
    {IDM_SAVE_WINDOWS_AS, IDM_SAVE_WINDOWS_AS, SaveAs},
    {IDM_PRINT, IDM_PRINT, Print},
    {IDM_EXIT, IDM_EXIT, Exit},
    {IDM_APPLE_DELETE, IDM_APPLE_DELETE, DiskCommand},
    {IDM_PAGE_SETUP, IDM_PAGE_SETUP, PageSetup},
    {IDM_SAVE_APPLE_AS, IDM_SAVE_APPLE_AS, DiskCommand},
    {IDM_PROPERTIES, IDM_PROPERTIES, Properties},
    {IDM_UNDO, IDM_SELECT_ALL, Edit},
    {IDM_GOTO_LINE, IDM_GOTO_LINE, GotoLine},
    {IDM_FIND, IDM_FIND, Find},
    {IDM_FIND_NEXT, IDM_FIND_NEXT, FindNext},
    {IDM_REPLACE, IDM_REPLACE, Find},
    {IDM_APPLE_RENAME, IDM_APPLE_RENAME, DiskCommand},
    {IDM_EDIT_COMMANDS, IDM_EDIT_COMMANDS, EditCommands},
    {IDM_RUN_PROGRAM, IDM_RUN_PROGRAM, Run},
    {IDM_INJECT_TEXT, IDM_INJECT_TEXT, Inject},
    {IDM_APPLE_PREFIX, IDM_APPLE_LOCK, DiskCommand},
    {IDM_REMOVE_SPACES, IDM_REMOVE_SPACES, RemoveSpaces},
    {IDM_LAUNCH, IDM_LAUNCH, Launch},
    {IDM_ADD_UTILITY, IDM_ADD_UTILITY, AddUtility},
    {IDM_REMOVE_UTILITY, IDM_REMOVE_UTILITY, RemoveUtility},
    {IDM_PREFERENCES, IDM_PREFERENCES, Preferences},
    {IDM_HELP_CONTENTS, IDM_HELP_CONTENTS, Help},
    {IDM_ABOUT, IDM_ABOUT, About},
    {IDM_CASCADE, IDM_CASCADE, Cascade},
    {IDM_TILE, IDM_TILE, Tile},
    {IDM_ARRANGE, IDM_ARRANGE, Arrange},
    {IDM_CLOSE_ALL, IDM_CLOSE_ALL, CloseAll},
    {IDM_WORD_WRAP, IDM_WORD_WRAP, WordWrap},
};

}  // namespace

const CommandRoute* FindCommandRoute(UINT id)
{
    for (const CommandRoute& route : kRoutes)
        if (id >= route.first && id <= route.last) return &route;
    return nullptr;
}
