// The Apple file list shared by the open and save-location dialogs.
#include "disk_browser/apple_browser.h"

#include <commctrl.h>
#include <windowsx.h>

#include "core/disk/browser_names.h"
#include "core/disk/file_types.h"
#include "core/disk/image.h"
#include "core/disk/prodos.h"
#include "resources/resource.h"
#include "shell/report_error.h"

namespace {

constexpr int kIconPixels = 16;
constexpr int kImageListInitial = 18;
constexpr int kImageListGrowth = 100;
constexpr DWORD kListStyles = LVS_LIST | LVS_SORTASCENDING | LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_SHAREIMAGELISTS;

// One image list for every browser list; the lists only borrow it.
HIMAGELIST g_icons = nullptr;

HIMAGELIST FileTypeIcons(HWND owner)
{
    if (g_icons) return g_icons;
    g_icons = ImageList_Create(kIconPixels, kIconPixels, ILC_COLOR32 | ILC_MASK, kImageListInitial, kImageListGrowth);
    if (!g_icons) {
        ReportError(Message::CantCreateImageList, {}, 0, owner);
        return nullptr;
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (int i = 0; i < IDI_FILE_TYPE_COUNT; ++i) {
        auto icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_FILE_TYPE_FIRST + i), IMAGE_ICON,
                                                  kIconPixels, kIconPixels, LR_DEFAULTCOLOR));
        ImageList_ReplaceIcon(g_icons, -1, icon);
        if (icon) DestroyIcon(icon);
    }
    return g_icons;
}

// Shows a listing, or its failure with the image's file name or what failed.
bool Show(const AppleBrowser& browser, const DirectoryListing& listing)
{
    FillBrowserList(browser.view, listing);
    if (listing.message == Message::None) return true;
    ReportError(listing.message, listing.detail.empty() ? g_browser.imageTitle : listing.detail, 0, browser.owner);
    return false;
}

DirectoryListing ListLevel(int level, EntryRef ref, std::string& prefix)
{
    return ListProdosDirectory(g_browser.imagePath, g_browser.extensionIndex, g_browser.layout, level, ref, prefix);
}

void SetCut(HWND view, int item, bool cut)
{
    ListView_SetItemState(view, item, cut ? LVIS_CUT : 0, LVIS_CUT);
}

// The first selected row into `row` and `SelectedAppleName`; -1 for none.
// A name no row of the list has: NEW.FOLDER, then NEW.FOLDER2 and on.
std::string UnusedFolderName(HWND view)
{
    for (int n = 1;; ++n) {
        std::string name = "NEW.FOLDER" + (n == 1 ? std::string() : std::to_string(n));
        LVFINDINFOA find = {LVFI_STRING, name.c_str(), 0, {}, 0};
        if (SendMessageA(view, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)) < 0) return name;
    }
}

// The directory listed again, with the new folder's name open for editing.
void ShowNewFolder(AppleBrowser& browser)
{
    if (browser.level <= 1) {
        ListVolume(browser);
    } else {
        // Listing the folder appends its own name to its parent's prefix.
        g_browser.currentPrefix = ParentPrefix(g_browser.currentPrefix);
        Show(browser, ListLevel(browser.level, browser.stack[static_cast<size_t>(browser.level)], g_browser.currentPrefix));
    }
    LVFINDINFOA find = {LVFI_STRING, g_browser.newAppleName.c_str(), 0, {}, 0};
    int item = static_cast<int>(SendMessageA(browser.view, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
    if (item < 0) return;
    SetFocus(browser.view);
    ListView_EditLabel(browser.view, item);
}

int TakeSelectedRow(const AppleBrowser& browser, DirectoryRow& row)
{
    int item = FirstSelectedRow(browser.view);
    if (item < 0 || !ReadBrowserRow(browser.view, item, row)) return -1;
    g_browser.selectedAppleName = TrimmedName(row.name);
    return item;
}

// What the frame answers a disk command; 0 means it was typed.
LRESULT SendToFrame(HWND frame, UINT id, WORD high = 0)
{
    return SendMessageA(frame, WM_COMMAND, MAKEWPARAM(id, high), 0);
}

}  // namespace

void SetUpBrowserList(AppleBrowser& browser)
{
    LONG_PTR style = GetWindowLongPtrA(browser.view, GWL_STYLE);
    style = (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK | LVS_SINGLESEL | LVS_SORTDESCENDING)) | kListStyles;
    SetWindowLongPtrA(browser.view, GWL_STYLE, style);
    if (HIMAGELIST icons = FileTypeIcons(browser.owner)) ListView_SetImageList(browser.view, icons, LVSIL_SMALL);
}

bool ListVolume(AppleBrowser& browser)
{
    browser.stack.fill(0);
    browser.level = 1;
    g_browser.currentPrefix.clear();
    if (Show(browser, ListLevel(1, 0, g_browser.currentPrefix))) return true;
    LeaveImage(browser);
    return false;
}

bool EnterFolder(AppleBrowser& browser, EntryRef ref)
{
    if (browser.level < 1 || browser.level >= kMaxDirectoryLevel) {
        MessageBeep(MB_ICONWARNING);
        return false;
    }
    std::string prefix = g_browser.currentPrefix;
    DirectoryListing listing = ListLevel(browser.level + 1, ref, prefix);
    if (listing.message != Message::None) return Show(browser, listing);
    // A directory that names itself among its own folders would grow the
    // prefix without end; what no Apple path can hold is not entered.
    if (prefix.size() >= kApplePathChars) {
        MessageBeep(MB_ICONWARNING);
        return false;
    }
    browser.stack[static_cast<size_t>(++browser.level)] = ref;
    g_browser.currentPrefix = prefix;
    return Show(browser, listing);
}

void LeaveImage(AppleBrowser& browser)
{
    browser.level = 0;
    browser.stack.fill(0);
    g_browser.layout = LayoutNone;
    g_browser.currentPrefix.clear();
    if (browser.view) ListView_DeleteAllItems(browser.view);
}

bool GoUp(AppleBrowser& browser)
{
    if (browser.level <= 1) return false;
    --browser.level;
    if (browser.level == 1) {
        ListVolume(browser);
        return true;
    }
    // Listing the folder appends its own name to its parent's prefix.
    g_browser.currentPrefix = ParentPrefix(ParentPrefix(g_browser.currentPrefix));
    EntryRef folder = browser.stack[static_cast<size_t>(browser.level)];
    Show(browser, ListLevel(browser.level, folder, g_browser.currentPrefix));
    return true;
}

std::string ParentPrefix(const std::string& prefix)
{
    if (prefix.size() < 2) return {};
    size_t slash = prefix.find_last_of('/', prefix.size() - 2);
    return slash == std::string::npos ? std::string() : prefix.substr(0, slash + 1);
}

void FillBrowserList(HWND view, const DirectoryListing& listing)
{
    SendMessageA(view, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(view);
    for (const DirectoryRow& row : listing.rows) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.iItem = ListView_GetItemCount(view);
        item.pszText = const_cast<char*>(row.name.c_str());
        item.iImage = row.icon;
        item.lParam = static_cast<LPARAM>(row.ref);
        item.state = row.locked ? LVIS_CUT : 0;
        item.stateMask = LVIS_CUT;
        if (SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) < 0) {
            ReportError(Message::CantInsertListItem, {}, 0, GetParent(view));
            break;
        }
    }
    SendMessageA(view, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view, nullptr, TRUE);
}

bool ReadBrowserRow(HWND view, int item, DirectoryRow& row)
{
    char name[kFileNameChars] = {};
    LVITEMA read = {};
    read.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    read.iItem = item;
    read.pszText = name;
    read.cchTextMax = sizeof name;
    read.stateMask = LVIS_CUT;
    if (item < 0 || !SendMessageA(view, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read))) return false;
    row.name = name;
    row.icon = read.iImage;
    row.ref = static_cast<EntryRef>(read.lParam);
    row.locked = (read.state & LVIS_CUT) != 0;
    return true;
}

int FirstSelectedRow(HWND view) { return ListView_GetNextItem(view, -1, LVNI_SELECTED); }

HMENU BuildRowMenu(const AppleBrowser& browser, UINT firstId, const char* firstText)
{
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    UINT rowState = FirstSelectedRow(browser.view) < 0 ? MF_GRAYED : MF_ENABLED;
    // Folders and prefixes are ProDOS's, and only of the image listed now.
    bool prodos = g_browser.layout == LayoutProdos || g_browser.layout == LayoutProdosDosOrder;
    UINT prefixState = prodos ? MF_ENABLED : MF_GRAYED;
    AppendMenuA(menu, MF_STRING, firstId, firstText);
    AppendMenuA(menu, MF_STRING | rowState, IDM_APPLE_LOCK, "&Lock/Unlock");
    AppendMenuA(menu, MF_STRING | rowState, IDM_APPLE_RENAME, "&Rename");
    AppendMenuA(menu, MF_STRING | prefixState, IDM_APPLE_PREFIX, "Set &Prefix");
    AppendMenuA(menu, MF_STRING | prefixState, IDM_APPLE_NEW_FOLDER, "New &Folder");
    AppendMenuA(menu, MF_STRING | rowState, IDM_APPLE_DELETE, "&Delete");
    return menu;
}

void ShowRowMenu(const AppleBrowser& browser, UINT firstId, const char* firstText, LPARAM where)
{
    POINT screen = {GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (where == -1) {  // from the keyboard: under the selected row, or at the list's corner
        RECT row = {};
        int item = FirstSelectedRow(browser.view);
        if (item >= 0 && ListView_GetItemRect(browser.view, item, &row, LVIR_LABEL)) screen = {row.left, row.bottom};
        else screen = {0, 0};
        ClientToScreen(browser.view, &screen);
    }
    HMENU menu = BuildRowMenu(browser, firstId, firstText);
    if (!menu) return;
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, browser.owner, nullptr);
    DestroyMenu(menu);
}

bool RunRowCommand(AppleBrowser& browser, HWND frame, UINT id)
{
    DirectoryRow row;
    switch (id) {
    case IDM_APPLE_LOCK: {
        int item = TakeSelectedRow(browser, row);
        if (item >= 0 && SendToFrame(frame, id, row.locked ? 1 : 0) == 0) SetCut(browser.view, item, !row.locked);
        return true;
    }
    case IDM_APPLE_RENAME: {
        int item = TakeSelectedRow(browser, row);
        if (item >= 0) {
            SetFocus(browser.view);
            ListView_EditLabel(browser.view, item);
        }
        return true;
    }
    case IDM_APPLE_PREFIX:
        SendToFrame(frame, id);
        return true;
    case IDM_APPLE_NEW_FOLDER:
        g_browser.newAppleName = UnusedFolderName(browser.view);
        if (SendToFrame(frame, id) == 0) ShowNewFolder(browser);
        return true;
    case IDM_APPLE_DELETE: {
        int item = TakeSelectedRow(browser, row);
        if (item >= 0 && SendToFrame(frame, id) == 0) ListView_DeleteItem(browser.view, item);
        return true;
    }
    default:
        return false;
    }
}

void NoteRenameStart(HWND view, const NMHDR* beginEdit)
{
    // Both character sets keep the item index at the same place.
    DirectoryRow row;
    if (ReadBrowserRow(view, reinterpret_cast<const NMLVDISPINFOA*>(beginEdit)->item.iItem, row))
        g_browser.selectedAppleName = TrimmedName(row.name);
}

bool EditedLabel(const NMHDR* endEdit, std::string& text)
{
    if (endEdit->code == LVN_ENDLABELEDITA) {
        const char* typed = reinterpret_cast<const NMLVDISPINFOA*>(endEdit)->item.pszText;
        if (!typed) return false;
        text = typed;
        return true;
    }
    const wchar_t* typed = reinterpret_cast<const NMLVDISPINFOW*>(endEdit)->item.pszText;
    if (!typed) return false;
    char narrow[kFileNameChars] = {};
    WideCharToMultiByte(CP_ACP, 0, typed, -1, narrow, sizeof narrow - 1, nullptr, nullptr);
    text = narrow;
    return true;
}

bool FinishRename(HWND frame, const char* newName)
{
    g_browser.newAppleName = TrimmedName(newName);
    return SendToFrame(frame, IDM_APPLE_RENAME) == 0;
}
