#include "shell/command_enabling.h"

#include "resources/resource.h"
#include "shell/documents.h"

namespace {

constexpr UINT kGrayedCommands[] = {IDM_SAVE, IDM_SAVE_WINDOWS_AS, IDM_PRINT, IDM_UNDO, IDM_SELECT_ALL,
                                    IDM_GOTO_LINE, IDM_FIND, IDM_FIND_NEXT, IDM_REPLACE, IDM_SAVE_APPLE_AS,
                                    IDM_PROPERTIES, IDM_CUT, IDM_COPY, IDM_CLEAR, IDM_INJECT_TEXT,
                                    IDM_RUN_PROGRAM};
constexpr UINT kEnabledCommands[] = {IDM_SAVE, IDM_SAVE_WINDOWS_AS, IDM_PRINT, IDM_UNDO, IDM_CUT, IDM_COPY,
                                     IDM_PASTE, IDM_SELECT_ALL, IDM_CLEAR, IDM_GOTO_LINE, IDM_FIND,
                                     IDM_FIND_NEXT, IDM_REPLACE, IDM_SAVE_APPLE_AS, IDM_INJECT_TEXT,
                                     IDM_RUN_PROGRAM};

}  // namespace

void EnableCommand(HMENU menu, UINT id, bool enable)
{
    EnableMenuItem(menu, id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void GrayDocumentCommands(HMENU menu)
{
    for (UINT id : kGrayedCommands) EnableCommand(menu, id, false);
}

void EnableDocumentCommands(HMENU menu)
{
    for (UINT id : kEnabledCommands) EnableCommand(menu, id, true);
    EnableImageDocumentCommands(menu, GetActiveEditor());
}

void EnableImageDocumentCommands(HMENU menu, HWND editor)
{
    EnableCommand(menu, IDM_PROPERTIES, ImageSlotOf(editor) != 0);
}
