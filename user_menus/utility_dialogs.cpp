// The Add Utility and Remove Utility dialogs: they change the Utilities list
// in the settings file and rebuild the menu from it. List row i is entry i + 1.
#include "user_menus/utility_dialogs.h"

#include "core/settings/setting_values.h"
#include "core/text/buffer_size.h"
#include "core/user_menus/user_entries.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/file_dialog.h"
#include "shell/report_error.h"
#include "shell/settings.h"
#include "user_menus/utilities.h"

namespace {


HWND FrameOf(HWND dialog) { return reinterpret_cast<HWND>(GetWindowLongPtrA(dialog, DWLP_USER)); }

void KeepFrame(HWND dialog, LPARAM frame) { SetWindowLongPtrA(dialog, DWLP_USER, frame); }

std::string FieldText(HWND dialog, int id)
{
    char text[kTextBufferChars] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// ---- Add Utility ----

void OnBrowse(HWND dialog)
{
    PrepareFileDialog(dialog, "", "Get utility filename: ", "All Files (*.*)\0*.*\0");
    // A cancelled dialog leaves the typed path as it was.
    std::string path = ChooseProgramFile();
    if (!path.empty()) SetDlgItemTextA(dialog, IDC_UTILITY_PATH, path.c_str());
}

void OnAdd(HWND dialog)
{
    std::string path = FieldText(dialog, IDC_UTILITY_PATH);
    std::string name = FieldText(dialog, IDC_UTILITY_NAME);
    if (path.empty() || name.empty()) {
        ReportError(Message::UtilityNameAndPath, {}, 0, dialog);
        return;
    }
    int n = UtilityCount() + 1;
    if (n > kMaxUtilities) {  // a further entry would have no command id
        ReportError(Message::TooManyUtilities, {}, 0, dialog);
        return;
    }
    bool autoRun = IsDlgButtonChecked(dialog, IDC_UTILITY_AUTORUN) == BST_CHECKED;
    WriteUtilitySetting(kUtilityNameKey, n, name.c_str());
    WriteUtilitySetting(kUtilityPathKey, n, path.c_str());
    WriteUtilitySetting(kUtilityAutoRunKey, n, autoRun ? "TRUE" : "FALSE");
    WriteSetting(kUtilitiesSection, kUtilityCountKey, FormatDecimal(n).c_str());
    RebuildUtilityItems(FrameOf(dialog));
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK AddUtilityProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        KeepFrame(dialog, lParam);
        SendDlgItemMessageA(dialog, IDC_UTILITY_NAME, EM_LIMITTEXT, kTextBufferChars - 1, 0);
        SendDlgItemMessageA(dialog, IDC_UTILITY_PATH, EM_LIMITTEXT, kTextBufferChars - 1, 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_UTILITY_BROWSE: OnBrowse(dialog); return TRUE;
        case IDOK: OnAdd(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

// ---- Remove Utility ----

int SelectedRow(HWND dialog)
{
    LRESULT row = SendDlgItemMessageA(dialog, IDC_UTILITY_LIST, CB_GETCURSEL, 0, 0);
    if (row == CB_ERR) ReportError(Message::NoItemSelected, {}, 0, dialog);
    return row == CB_ERR ? -1 : static_cast<int>(row);
}

void OnOpenRemove(HWND dialog, LPARAM frame)
{
    KeepFrame(dialog, frame);
    int count = UtilityCount();
    if (count <= 0) {
        ReportError(Message::NoUtilitiesToRemove, {}, 0, dialog);
        EndDialog(dialog, 0);
        return;
    }
    for (int n = 1; n <= count; ++n)
        SendDlgItemMessageA(dialog, IDC_UTILITY_LIST, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(UtilitySetting(kUtilityNameKey, n).c_str()));
}

void OnRemove(HWND dialog)
{
    int row = SelectedRow(dialog);
    if (row >= 0) {
        RemoveNumberedEntry(kUtilitiesSection, {kUtilityNameKey, kUtilityPathKey, kUtilityAutoRunKey},
                            kUtilityCountKey, row + 1, UtilityCount());
        RebuildUtilityItems(FrameOf(dialog));
    }
    EndDialog(dialog, 0);
}

// Only exactly "TRUE" is on, so any other text is switched on.
void OnToggleAutoRun(HWND dialog)
{
    int row = SelectedRow(dialog);
    if (row >= 0) {
        bool on = UtilitySetting(kUtilityAutoRunKey, row + 1) != "TRUE";
        WriteUtilitySetting(kUtilityAutoRunKey, row + 1, on ? "TRUE" : "FALSE");
        HWND frame = FrameOf(dialog);
        CheckMenuItem(GetSubMenu(GetMenu(frame), MENU_POSITION_UTILITIES), IDM_UTILITY_FIRST + row,
                      MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
        DrawMenuBar(frame);
    }
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK RemoveUtilityProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: OnOpenRemove(dialog, lParam); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: OnRemove(dialog); return TRUE;
        case IDC_UTILITY_TOGGLE: OnToggleAutoRun(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

void AddUtility(HWND frame)
{
    DialogBoxParamA(g_app.instance, "ADDUTIL", frame, AddUtilityProc, reinterpret_cast<LPARAM>(frame));
}

void RemoveUtility(HWND frame)
{
    DialogBoxParamA(g_app.instance, "REMOVEUTIL", frame, RemoveUtilityProc,
                    reinterpret_cast<LPARAM>(frame));
}
