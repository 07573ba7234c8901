// The save-location dialog: a list of the image's files in which folders are
// entered and a file row offers its name, the name box, the prefix shown,
// and the row commands of the shared browser list.
#include "disk_browser/save_location.h"

#include <commctrl.h>

#include <string>

#include "core/disk/apple_names.h"
#include "core/disk/browser_names.h"
#include "core/disk/file_types.h"
#include "core/text/ascii.h"
#include "disk_browser/apple_browser.h"
#include "disk_browser/last_image.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/report_error.h"

namespace {

constexpr int kNameChars = 30;  // the longest Apple file name: DOS 3.3's

struct SaveLocation {
    AppleBrowser browser;
    HWND frame = nullptr;
    bool editingLabel = false;  // buttons wait while a row's name is edited in place
    // An image that could not be listed gives no prefix and no names to
    // check: SAVE would go to whatever disk the emulator has as its prefix.
    bool listed = false;
};

SaveLocation* StateOf(HWND dialog) { return reinterpret_cast<SaveLocation*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

// A DOS 3.3 row keeps the blanks that fill its name to 30 characters; the
// name offered and compared is without them.
std::string RowName(const DirectoryRow& row) { return std::string(TrimmedName(row.name)); }

std::string NameInBox(HWND dialog)
{
    char name[kNameChars + 1] = {};
    GetDlgItemTextA(dialog, IDC_SAVE_FILE_NAME, name, sizeof name);
    return name;
}

void ShowName(HWND dialog, const std::string& name)
{
    SetDlgItemTextA(dialog, IDC_SAVE_FILE_NAME, name.substr(0, kNameChars).c_str());
}

void ShowPrefix(HWND dialog) { SetDlgItemTextA(dialog, IDC_SAVE_PREFIX, g_browser.currentPrefix.c_str()); }

bool HasRowNamed(HWND view, const std::string& name)
{
    DirectoryRow row;
    for (int item = 0; ReadBrowserRow(view, item, row); ++item)
        if (EqualIgnoringCase(RowName(row), TrimmedName(name))) return true;
    return false;
}

bool MayOverwrite(HWND dialog, const std::string& name)
{
    return ReportError(Message::OverwriteQuestion, name, 0, dialog) == IDYES;
}

void SaveUnder(HWND dialog, const std::string& name)
{
    g_browser.selectedAppleName = name;
    WriteLastImage(g_browser.imageTitle);
    EndDialog(dialog, kSaveLocationChosen);
}

BOOL OnInitDialog(HWND dialog, SaveLocation* state)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    state->browser.view = GetDlgItem(dialog, IDC_SAVE_LIST);
    state->browser.owner = dialog;
    SendDlgItemMessageA(dialog, IDC_SAVE_FILE_NAME, EM_LIMITTEXT, kNameChars, 0);
    SetUpBrowserList(state->browser);
    state->listed = ListVolume(state->browser);
    ShowPrefix(dialog);
    ShowName(dialog, g_browser.selectedAppleName);
    SetDlgItemTextA(dialog, IDC_SAVE_IMAGE_NAME, g_browser.imageTitle.c_str());
    return TRUE;
}

void OnSave(HWND dialog)
{
    if (!StateOf(dialog)->listed) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    std::string name = NameInBox(dialog);
    if (name.empty()) {
        ReportError(Message::FileNeedsSelecting, {}, 0, dialog);
        return;
    }
    // A name the disk cannot hold is refused here, while the user can still change it.
    AppleNameRefusal refusal = RefuseAppleNames(g_browser.layout, g_browser.currentPrefix, {name});
    if (refusal.message != Message::None) {
        ReportError(refusal.message, refusal.text, refusal.value, dialog);
        return;
    }
    g_browser.selectedAppleName = name;
    if (!HasRowNamed(StateOf(dialog)->browser.view, name) || MayOverwrite(dialog, name)) SaveUnder(dialog, name);
}

void OnUp(HWND dialog, AppleBrowser& browser)
{
    if (GoUp(browser)) {
        ShowPrefix(dialog);
        return;
    }
    // Out of the volume: the user picks another image.
    WriteLastImage("");
    EndDialog(dialog, kSaveLocationLeftImage);
}

void OnClick(HWND dialog, int item)
{
    DirectoryRow row;
    if (ReadBrowserRow(StateOf(dialog)->browser.view, item, row) && row.icon != kFolderIcon) ShowName(dialog, RowName(row));
}

void OnActivate(HWND dialog, int item)
{
    SaveLocation& state = *StateOf(dialog);
    DirectoryRow row;
    if (!ReadBrowserRow(state.browser.view, item, row)) return;
    if (row.icon == kFolderIcon) {
        EnterFolder(state.browser, row.ref);
        ShowPrefix(dialog);
        return;
    }
    std::string name = RowName(row);
    ShowName(dialog, name);
    if (MayOverwrite(dialog, name)) SaveUnder(dialog, name);
}

void OnCommand(HWND dialog, UINT id)
{
    SaveLocation& state = *StateOf(dialog);
    switch (id) {
    case IDOK:
        if (state.editingLabel) return;
        // Enter in the list acts on the row, as in the Open dialog: a folder opens.
        if (GetFocus() == state.browser.view && ListView_GetNextItem(state.browser.view, -1, LVNI_FOCUSED) >= 0) {
            OnActivate(dialog, ListView_GetNextItem(state.browser.view, -1, LVNI_FOCUSED));
            return;
        }
        OnSave(dialog);
        return;
    case IDCANCEL:
        if (!state.editingLabel) EndDialog(dialog, kSaveLocationCancelled);
        return;
    case IDC_SAVE_UP: OnUp(dialog, state.browser); return;
    default: RunRowCommand(state.browser, state.frame, id); return;
    }
}

// The answer to a list notification; the label edit's end always refuses the
// new text, which the list shows only once the folder is listed again.
LRESULT OnListNotify(HWND dialog, NMHDR* header)
{
    SaveLocation& state = *StateOf(dialog);
    switch (header->code) {
    case NM_CLICK: OnClick(dialog, reinterpret_cast<NMITEMACTIVATE*>(header)->iItem); return 0;
    case LVN_ITEMACTIVATE: OnActivate(dialog, reinterpret_cast<NMITEMACTIVATE*>(header)->iItem); return 0;
    case LVN_BEGINLABELEDITA:
    case LVN_BEGINLABELEDITW:
        state.editingLabel = true;
        NoteRenameStart(state.browser.view, header);
        return FALSE;
    case LVN_ENDLABELEDITA:
    case LVN_ENDLABELEDITW: {
        std::string text;
        if (EditedLabel(header, text)) FinishRename(state.frame, text.c_str());
        state.editingLabel = false;
        return FALSE;
    }
    }
    return 0;
}

INT_PTR CALLBACK SaveLocationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return OnInitDialog(dialog, reinterpret_cast<SaveLocation*>(lParam));
    if (!StateOf(dialog)) return FALSE;
    switch (message) {
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam)); return TRUE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->idFrom != IDC_SAVE_LIST) return FALSE;
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, OnListNotify(dialog, header));
        return TRUE;
    }
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) != StateOf(dialog)->browser.view) return FALSE;
        ShowRowMenu(StateOf(dialog)->browser, IDOK, "&Save Apple", lParam);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR ShowSaveLocationDialog(HWND frame)
{
    SaveLocation state;
    state.frame = frame;
    return DialogBoxParamA(g_app.instance, "A2SaveFile", frame, SaveLocationProc, reinterpret_cast<LPARAM>(&state));
}
