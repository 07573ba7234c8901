// The open dialog's hook: picking a disk image above lists it below, and
// choosing Apple files there ends the dialog with the selection list filled.
#include "disk_browser/open_dialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <string>

#include "core/disk/browser_names.h"
#include "core/disk/file_types.h"
#include "core/disk/image.h"
#include "core/text/buffer_size.h"
#include "disk_browser/apple_browser.h"
#include "disk_browser/last_image.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/file_dialog.h"
#include "shell/report_error.h"

namespace {

constexpr UINT kOpenLastImage = WM_APP;  // posted so that the system's file list is filled first; WM_USER is DM_GETDEFID

AppleBrowser g_open;
HWND g_frame = nullptr;  // the dialog's owner, which carries out the row commands
size_t g_selectionCount = 0;
bool g_accepting = false;  // Apple files are chosen: the next OK may close the dialog

HWND SystemDialog(HWND hook) { return GetParent(hook); }

// The system dialog's file-name box: a combo box, or an edit on older layouts.
HWND FileNameBox(HWND dialog)
{
    HWND box = GetDlgItem(dialog, cmb13);
    return box ? box : GetDlgItem(dialog, edt1);
}

std::string FileNameText(HWND dialog)
{
    char text[kFileBufferChars] = {};
    if (SendMessageA(dialog, CDM_GETSPEC, sizeof text, reinterpret_cast<LPARAM>(text)) <= 0) return {};
    return text;
}

void PressOpen(HWND dialog)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// The selection list must hold positions 1 to `count`.
bool MakeRoom(size_t count)
{
    while (g_documents.capacity <= count || g_documents.browserSelection.size() <= count)
        if (!GrowDocumentTable(g_documents)) return false;
    return true;
}

// Ends the dialog as a successful open of the image; OpenFiles then finds
// the selection count above 0.
void Accept(HWND hook)
{
    HWND dialog = SystemDialog(hook);
    g_accepting = true;
    SetWindowTextA(FileNameBox(dialog), g_browser.imagePath.c_str());
    PressOpen(dialog);
}

// Fills the selection list with the selected rows, the first row in list
// order at position n, a folder as 0, and ends the dialog.
void OpenSelectedRows(HWND hook)
{
    size_t count = ListView_GetSelectedCount(g_open.view);
    if (count == 0) {
        ReportError(Message::FileNeedsSelecting, {}, 0, hook);
        return;
    }
    if (!MakeRoom(count)) {
        ReportError(Message::CantAllocateMemory, {}, 0, hook);
        return;
    }
    size_t position = count;
    for (int item = FirstSelectedRow(g_open.view); item >= 0 && position >= 1;
         item = ListView_GetNextItem(g_open.view, item, LVNI_SELECTED)) {
        DirectoryRow row;
        if (!ReadBrowserRow(g_open.view, item, row)) {
            ReportError(Message::FileNeedsSelecting, {}, 0, hook);
            return;
        }
        g_documents.browserSelection[position--] = row.icon == kFolderIcon ? 0 : row.ref;
    }
    g_selectionCount = count;
    Accept(hook);
}

void ActivateRow(HWND hook, int item)
{
    DirectoryRow row;
    if (g_open.level < 1 || !ReadBrowserRow(g_open.view, item, row)) return;
    if (row.icon == kFolderIcon)
        EnterFolder(g_open, row.ref);
    else
        OpenSelectedRows(hook);
}

void OpenApple(HWND hook)
{
    if (g_open.level < 1) return;
    DirectoryRow row;
    if (ListView_GetSelectedCount(g_open.view) == 1 && ReadBrowserRow(g_open.view, FirstSelectedRow(g_open.view), row) &&
        row.icon == kFolderIcon) {
        EnterFolder(g_open, row.ref);
        return;
    }
    OpenSelectedRows(hook);
}

void GoUpOrLeave()
{
    if (!GoUp(g_open)) LeaveImage(g_open);
}

INT_PTR Answer(HWND hook, LONG_PTR result)
{
    SetWindowLongPtrA(hook, DWLP_MSGRESULT, result);
    return TRUE;
}

// The system dialog's OK: a disk image is listed and the OK refused; any
// other file closes the dialog as a Windows open.
INT_PTR FileOk(HWND hook, const OPENFILENAMEA& dialog)
{
    if (g_accepting) return FALSE;
    // Enter in the Apple list reaches the dialog's default button.
    if (g_open.level >= 1 && GetFocus() == g_open.view) {
        ActivateRow(hook, ListView_GetNextItem(g_open.view, -1, LVNI_FOCUSED));
        return Answer(hook, 1);
    }
    std::string title = dialog.lpstrFileTitle ? dialog.lpstrFileTitle : "";
    if (title.empty() || title.size() > static_cast<size_t>(kTextBufferChars)) return FALSE;
    int extensionIndex = ImageExtensionIndexOf(FileNameText(SystemDialog(hook)));
    if (extensionIndex == 0) return FALSE;
    g_browser.imagePath = dialog.lpstrFile;
    g_browser.imageTitle = title;
    g_browser.extensionIndex = extensionIndex;
    SetUpBrowserList(g_open);
    ListVolume(g_open);
    WriteLastImage(title);
    return Answer(hook, 1);
}

INT_PTR ListNotify(HWND hook, const NMHDR* header)
{
    switch (header->code) {
    case LVN_ITEMACTIVATE:
        ActivateRow(hook, reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem);
        return TRUE;
    case LVN_BEGINLABELEDITA:
    case LVN_BEGINLABELEDITW:
        NoteRenameStart(g_open.view, header);
        return Answer(hook, FALSE);
    case LVN_ENDLABELEDITA:
    case LVN_ENDLABELEDITW: {
        std::string name;
        return Answer(hook, EditedLabel(header, name) && FinishRename(g_frame, name.c_str()) ? TRUE : FALSE);
    }
    default:
        return FALSE;
    }
}

INT_PTR Command(HWND hook, UINT id)
{
    switch (id) {
    case IDC_BROWSER_UP:
        GoUpOrLeave();
        return TRUE;
    case IDC_BROWSER_OPEN_APPLE:
        OpenApple(hook);
        return TRUE;
    default:
        return RunRowCommand(g_open, g_frame, id) ? TRUE : FALSE;
    }
}

void Start(HWND hook, const OPENFILENAMEA* dialog)
{
    g_open = {};
    g_open.view = GetDlgItem(hook, IDC_BROWSER_LIST);
    g_open.owner = hook;
    LeaveImage(g_open);
    g_frame = dialog ? dialog->hwndOwner : nullptr;
    g_selectionCount = 0;
    g_accepting = false;
    PostMessageA(hook, kOpenLastImage, 0, 0);
}

}  // namespace

UINT_PTR CALLBACK OpenDialogHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        Start(hook, reinterpret_cast<const OPENFILENAMEA*>(lParam));
        return TRUE;
    case kOpenLastImage:
        // The user may have picked an image before the dialog got round to
        // this; listing the last one again would throw their selection away.
        if (g_open.level == 0) OpenLastImage(SystemDialog(hook));
        return TRUE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == CDN_FILEOK) return FileOk(hook, *reinterpret_cast<const OFNOTIFYA*>(lParam)->lpOFN);
        return header->idFrom == IDC_BROWSER_LIST ? ListNotify(hook, header) : FALSE;
    }
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) != g_open.view) return FALSE;
        ShowRowMenu(g_open, IDC_BROWSER_OPEN_APPLE, "&Open Apple", lParam);
        return TRUE;
    case WM_COMMAND:
        return Command(hook, LOWORD(wParam));
    default:
        return FALSE;
    }
}

size_t AppleSelectionCount() { return g_selectionCount; }
