// "LastImage" and its opening by itself in a file dialog.
#include "disk_browser/last_image.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include "core/settings/setting_values.h"
#include "shell/settings.h"

namespace {

// The shell's list of files inside the system dialog.
HWND ShellFileList(HWND fileDialog)
{
    HWND view = FindWindowExA(fileDialog, nullptr, "SHELLDLL_DefView", nullptr);
    return view ? FindWindowExA(view, nullptr, WC_LISTVIEWA, nullptr) : nullptr;
}

// The row that reads exactly `name`; -1 for none. The list's own search
// ignores case, so each candidate it finds is compared again.
int FindExactRow(HWND list, const std::string& name)
{
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = name.c_str();
    for (int item = -1;;) {
        item = static_cast<int>(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&find)));
        if (item < 0) return -1;
        char text[MAX_PATH] = {};
        ListView_GetItemText(list, item, 0, text, sizeof text);
        if (name == text) return item;
    }
}

}  // namespace

std::string ReadLastImage() { return ReadSetting(kDirectoriesSection, kLastImageKey); }

void WriteLastImage(const std::string& title) { WriteSetting(kDirectoriesSection, kLastImageKey, title.c_str()); }

bool OpenLastImage(HWND fileDialog)
{
    std::string name = ReadLastImage();
    HWND list = ShellFileList(fileDialog);
    if (name.empty() || name == kMissingKeyText || !list) return false;
    int item = FindExactRow(list, name);
    if (item < 0) return false;
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    // The name box follows the selection in the system dialog; set it too,
    // so the button can only ever pick this file.
    for (int box : {cmb13, edt1})
        if (GetDlgItem(fileDialog, box)) SendMessageA(fileDialog, CDM_SETCONTROLTEXT, static_cast<WPARAM>(box), reinterpret_cast<LPARAM>(name.c_str()));
    LRESULT button = SendMessageA(fileDialog, DM_GETDEFID, 0, 0);
    WORD id = HIWORD(button) == DC_HASDEFID ? LOWORD(button) : IDOK;
    PostMessageA(fileDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(fileDialog, id)));
    return true;
}
