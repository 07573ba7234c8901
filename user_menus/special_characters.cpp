// The Special Characters submenu: a control character typed into the Edit
// Commands dialog's script, or else into the active editor.
#include "user_menus/special_characters.h"

#include <windows.h>

#include "resources/resource.h"
#include "shell/documents.h"
#include "user_menus/edit_commands_dialog.h"

void InsertSpecialCharacter(int code)
{
    // Code 0 would end the text before it began: it inserts nothing.
    const char text[2] = {static_cast<char>(code), '\0'};
    if (HWND commands = EditCommandsDialog()) {
        SetFocus(commands);
        SendDlgItemMessageA(commands, IDC_EDITCMD_SCRIPT, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
        return;
    }
    if (HWND editor = GetActiveEditor()) SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}
