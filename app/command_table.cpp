// Which code carries out each command id of the menus, the toolbar and the
// accelerators. Ranges are tested before single ids. A command whose work is
// not built yet has no handler: it is greyed wherever it can be chosen.
#include "app/commands.h"

#include "app/frame_commands.h"
#include "app/windows_files.h"
#include "disk_browser/new_disk_image.h"
#include "disk_browser/properties_sheet.h"
#include "disk_browser/save_to_image.h"
#include "editing/check_program.h"
#include "editing/completion_list.h"
#include "editing/editing.h"
#include "editing/find_replace.h"
#include "editing/formatting.h"
#include "editing/goto_line.h"
#include "editing/line_jumps.h"
#include "editing/keyword_tip.h"
#include "editing/printing.h"
#include "editing/renumber_command.h"
#include "editing/text_colour_menu.h"
#include "editing/word_wrap_menu.h"
#include "emulator/disk_commands.h"
#include "emulator/program_list.h"
#include "emulator/run_program.h"
#include "preferences/preferences_sheet.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/editor_setup.h"
#include "user_menus/edit_commands_dialog.h"
#include "user_menus/special_characters.h"
#include "user_menus/user_commands.h"
#include "user_menus/utilities.h"
#include "user_menus/utility_dialogs.h"

namespace {

constexpr CommandHandler kNotBuilt = nullptr;

LRESULT Utility(HWND frame, UINT id, WPARAM, LPARAM) { RunUtility(frame, static_cast<int>(id) - (IDM_UTILITY_FIRST - 1)); return 0; }
LRESULT UserCommand(HWND, UINT id, WPARAM, LPARAM) { RunUserCommand(static_cast<int>(id) - (IDM_USER_COMMAND_FIRST - 1)); return 0; }
LRESULT EditCommands(HWND frame, UINT, WPARAM, LPARAM) { OpenEditCommandsDialog(frame, g_app.instance, g_app.accelerators); return 0; }
LRESULT NewPopup(HWND frame, UINT, WPARAM, LPARAM) { ShowNewPopup(frame); return 0; }
LRESULT New(HWND, UINT id, WPARAM, LPARAM)
{
    if (const DocumentKindRow* kind = DocumentKindOfNewCommand(static_cast<int>(id))) NewDocument(kind->kind);
    return 0;
}
LRESULT Open(HWND frame, UINT, WPARAM, LPARAM) { return OpenFiles(frame); }
LRESULT Save(HWND frame, UINT, WPARAM, LPARAM) { return SaveDocument(frame); }
LRESULT SaveAs(HWND frame, UINT, WPARAM, LPARAM) { return SaveDocumentAs(frame); }
LRESULT Properties(HWND frame, UINT, WPARAM, LPARAM) { return ShowProperties(frame); }
LRESULT Print(HWND frame, UINT, WPARAM, LPARAM) { PrintActiveDocument(frame); return 0; }
LRESULT PageSetup(HWND frame, UINT, WPARAM, LPARAM) { ShowPageSetup(frame); return 0; }
LRESULT SaveToApple(HWND frame, UINT, WPARAM, LPARAM) { return SaveToAppleImageAs(frame); }
LRESULT NewImage(HWND frame, UINT, WPARAM, LPARAM) { NewDiskImage(frame); return 0; }
LRESULT Exit(HWND frame, UINT, WPARAM, LPARAM) { SendMessageA(frame, WM_CLOSE, 0, 0); return 0; }
LRESULT Edit(HWND, UINT id, WPARAM, LPARAM) { EditCommand(id); return 0; }
LRESULT GotoLine(HWND frame, UINT, WPARAM, LPARAM) { GoToLine(frame); return 0; }
LRESULT Find(HWND frame, UINT, WPARAM, LPARAM) { OpenFindDialog(frame, false); return 0; }
LRESULT FindAgain(HWND frame, UINT, WPARAM, LPARAM) { FindNext(frame); return 0; }
LRESULT Replace(HWND frame, UINT, WPARAM, LPARAM) { OpenFindDialog(frame, true); return 0; }
LRESULT WordWrap(HWND, UINT, WPARAM, LPARAM) { ToggleWordWrap(); return 0; }
LRESULT SpecialCharacter(HWND, UINT id, WPARAM, LPARAM) { InsertSpecialCharacter(static_cast<int>(id) - IDM_CONTROL_CHAR_FIRST); return 0; }
LRESULT Effect(HWND, UINT id, WPARAM, LPARAM) { ToggleCharacterEffect(id); return 0; }
LRESULT TextColour(HWND frame, UINT, WPARAM, LPARAM) { ShowTextColourPalette(frame); return 0; }
LRESULT Align(HWND, UINT id, WPARAM, LPARAM) { AlignParagraphs(id); return 0; }
LRESULT FontName(HWND, UINT, WPARAM wParam, LPARAM) { ApplyFontNameBox(HIWORD(wParam)); return 0; }
LRESULT FontSize(HWND, UINT, WPARAM wParam, LPARAM) { ApplyFontSizeBox(HIWORD(wParam)); return 0; }
LRESULT Help(HWND frame, UINT, WPARAM, LPARAM) { ShowHelpContents(frame); return 0; }
LRESULT About(HWND frame, UINT, WPARAM, LPARAM) { ShowAbout(frame); return 0; }
LRESULT Cascade(HWND, UINT, WPARAM, LPARAM) { CascadeWindows(g_app.mdiClient, 0, nullptr, 0, nullptr); return 0; }
LRESULT Tile(HWND, UINT, WPARAM, LPARAM) { TileWindows(g_app.mdiClient, MDITILE_VERTICAL, nullptr, 0, nullptr); return 0; }
LRESULT Arrange(HWND, UINT, WPARAM, LPARAM) { SendMessageA(g_app.mdiClient, WM_MDIICONARRANGE, 0, 0); return 0; }
LRESULT CloseAll(HWND frame, UINT, WPARAM, LPARAM) { return CloseAllDocuments(frame); }
LRESULT Run(HWND frame, UINT, WPARAM, LPARAM) { return RunEditedProgram(frame); }
LRESULT Inject(HWND frame, UINT, WPARAM, LPARAM) { return InjectDocument(frame); }
LRESULT Keyword(HWND, UINT id, WPARAM, LPARAM) { TypeKeyword(static_cast<int>(id) - IDM_KEYWORD_FIRST); return 0; }
LRESULT ListPrograms(HWND frame, UINT, WPARAM, LPARAM) { ListProgramsRunning(frame); return 0; }
LRESULT AppleDelete(HWND frame, UINT, WPARAM, LPARAM) { return DeleteAppleFile(frame); }
LRESULT AppleRename(HWND frame, UINT, WPARAM, LPARAM) { return RenameAppleFile(frame); }
LRESULT AppleNewFolder(HWND frame, UINT, WPARAM, LPARAM) { return CreateAppleFolder(frame); }
LRESULT ApplePrefixOrLock(HWND frame, UINT id, WPARAM wParam, LPARAM)
{
    return id == IDM_APPLE_PREFIX ? SetApplePrefix(frame) : LockAppleFile(frame, HIWORD(wParam) == 1);
}
LRESULT Preferences(HWND frame, UINT, WPARAM, LPARAM) { ShowPreferences(frame); return 0; }
LRESULT Launch(HWND frame, UINT, WPARAM, LPARAM) { LaunchChosenProgram(frame); return 0; }
LRESULT AddUtilityEntry(HWND frame, UINT, WPARAM, LPARAM) { AddUtility(frame); return 0; }
LRESULT RemoveUtilityEntry(HWND frame, UINT, WPARAM, LPARAM) { RemoveUtility(frame); return 0; }
LRESULT RemoveSpaces(HWND, UINT, WPARAM, LPARAM) { RemoveSelectionSpaces(); return 0; }
LRESULT CheckProgram(HWND frame, UINT, WPARAM, LPARAM) { ShowProgramCheck(frame); return 0; }
LRESULT Renumber(HWND frame, UINT, WPARAM, LPARAM) { ShowRenumberDialog(frame); return 0; }
LRESULT GoToReference(HWND frame, UINT, WPARAM, LPARAM) { GoToReferencedLine(frame); return 0; }
LRESULT Back(HWND frame, UINT, WPARAM, LPARAM) { JumpBack(frame); return 0; }
LRESULT JumpingHere(HWND frame, UINT, WPARAM, LPARAM) { ShowLinesThatJumpHere(frame); return 0; }
LRESULT KeywordHelp(HWND, UINT, WPARAM, LPARAM) { ShowKeywordHelpAtCaret(); return 0; }
LRESULT CompleteWord(HWND, UINT, WPARAM, LPARAM) { OpenCompletionList(); return 0; }

constexpr CommandRoute kRoutes[] = {
    {IDM_UTILITY_FIRST, IDM_UTILITY_LAST, Utility},
    {IDM_KEYWORD_FIRST, IDM_KEYWORD_LAST, Keyword},
    {IDM_CONTROL_CHAR_FIRST, IDM_CONTROL_CHAR_LAST, SpecialCharacter},
    {IDM_USER_COMMAND_FIRST, IDM_USER_COMMAND_LAST, UserCommand},
    {IDM_BOLD, IDM_UNDERLINE, Effect},
    {IDM_TEXT_COLOR, IDM_TEXT_COLOR, TextColour},
    {IDM_ALIGN_LEFT, IDM_ALIGN_RIGHT, Align},
    {IDC_FONT_NAME_BOX, IDC_FONT_NAME_BOX, FontName},
    {IDC_FONT_SIZE_BOX, IDC_FONT_SIZE_BOX, FontSize},
    {IDM_LIST_PROGRAMS, IDM_LIST_PROGRAMS, ListPrograms},
    {IDM_NEW_POPUP, IDM_NEW_POPUP, NewPopup},
    {IDM_NEW_APPLESOFT, IDM_NEW_EDIT, New},
    {IDM_OPEN, IDM_OPEN, Open},
    {IDM_SAVE, IDM_SAVE, Save},
    {IDM_SAVE_WINDOWS_AS, IDM_SAVE_WINDOWS_AS, SaveAs},
    {IDM_PRINT, IDM_PRINT, Print},
    {IDM_EXIT, IDM_EXIT, Exit},
    {IDM_APPLE_DELETE, IDM_APPLE_DELETE, AppleDelete},
    {IDM_PAGE_SETUP, IDM_PAGE_SETUP, PageSetup},
    {IDM_SAVE_APPLE_AS, IDM_SAVE_APPLE_AS, SaveToApple},
    {IDM_NEW_DISK_IMAGE, IDM_NEW_DISK_IMAGE, NewImage},
    {IDM_PROPERTIES, IDM_PROPERTIES, Properties},
    {IDM_UNDO, IDM_SELECT_ALL, Edit},
    {IDM_GOTO_LINE, IDM_GOTO_LINE, GotoLine},
    {IDM_FIND, IDM_FIND, Find},
    {IDM_FIND_NEXT, IDM_FIND_NEXT, FindAgain},
    {IDM_REPLACE, IDM_REPLACE, Replace},
    {IDM_APPLE_RENAME, IDM_APPLE_RENAME, AppleRename},
    {IDM_APPLE_NEW_FOLDER, IDM_APPLE_NEW_FOLDER, AppleNewFolder},
    {IDM_EDIT_COMMANDS, IDM_EDIT_COMMANDS, EditCommands},
    {IDM_RUN_PROGRAM, IDM_RUN_PROGRAM, Run},
    {IDM_INJECT_TEXT, IDM_INJECT_TEXT, Inject},
    {IDM_APPLE_PREFIX, IDM_APPLE_LOCK, ApplePrefixOrLock},
    {IDM_REMOVE_SPACES, IDM_REMOVE_SPACES, RemoveSpaces},
    {IDM_COMPLETE_WORD, IDM_COMPLETE_WORD, CompleteWord},
    {IDM_LAUNCH, IDM_LAUNCH, Launch},
    {IDM_ADD_UTILITY, IDM_ADD_UTILITY, AddUtilityEntry},
    {IDM_REMOVE_UTILITY, IDM_REMOVE_UTILITY, RemoveUtilityEntry},
    {IDM_PREFERENCES, IDM_PREFERENCES, Preferences},
    {IDM_CHECK_PROGRAM, IDM_CHECK_PROGRAM, CheckProgram},
    {IDM_RENUMBER, IDM_RENUMBER, Renumber},
    {IDM_GOTO_REFERENCED_LINE, IDM_GOTO_REFERENCED_LINE, GoToReference},
    {IDM_JUMP_BACK, IDM_JUMP_BACK, Back},
    {IDM_LINES_THAT_JUMP_HERE, IDM_LINES_THAT_JUMP_HERE, JumpingHere},
    {IDM_HELP_CONTENTS, IDM_HELP_CONTENTS, Help},
    {IDM_KEYWORD_HELP, IDM_KEYWORD_HELP, KeywordHelp},
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

bool CommandIsBuilt(UINT id)
{
    const CommandRoute* route = FindCommandRoute(id);
    return route && route->handler;
}

void GrayUnbuiltCommands(HMENU menu)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            GrayUnbuiltCommands(sub);
            continue;
        }
        UINT id = GetMenuItemID(menu, i);
        if (FindCommandRoute(id) && !CommandIsBuilt(id)) EnableMenuItem(menu, i, MF_BYPOSITION | MF_GRAYED);
    }
}
