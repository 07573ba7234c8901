// The frame's own commands: the toolbar's New menu, Help and About.
#include "app/frame_commands.h"

#include <commctrl.h>

#include <string>

#include "core/documents/file_names.h"
#include "core/text/buffer_size.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/report_error.h"

namespace {

constexpr int kNewSubmenuPosition = 0;  // in the File menu

}  // namespace

// The File menu's New submenu, dropped from the toolbar's New button.
void ShowNewPopup(HWND)
{
    HMENU popup = GetSubMenu(GetSubMenu(g_app.menu, MENU_POSITION_FILE), kNewSubmenuPosition);
    RECT button = {};
    SendMessageA(g_app.toolbar, TB_GETRECT, IDM_NEW_POPUP, reinterpret_cast<LPARAM>(&button));
    POINT corner = {button.left, button.bottom};
    ClientToScreen(g_app.toolbar, &corner);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, corner.x - 1, corner.y + 4, 0, g_app.toolbar, nullptr);
}

void ShowHelpContents(HWND frame)
{
    char windows[kTextBufferChars] = {};
    UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows) windows[0] = '\0';
    std::string command = HelpCommandLine(windows, g_app.helpPath);
    if (WinExec(command.c_str(), SW_SHOWNORMAL) < 32) ReportError(Message::CouldNotLaunch, g_app.helpPath, 0, frame);
}

namespace {

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

void ShowAbout(HWND frame) { DialogBoxParamA(g_app.instance, "AboutBox", frame, AboutProc, 0); }
