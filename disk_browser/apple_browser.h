// The list of Apple files inside a disk image, as the open dialog and the
// save-location dialog show it: the list view with its icons, the walk
// through the image's directories, the row context menu and the row
// commands handed to the frame window. The image walked is the one in
// `g_browser`.
#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "core/disk/apple_path.h"
#include "core/disk/directory_listing.h"

inline constexpr size_t kApplePathChars = 129;  // an Apple path buffer, its zero included

// One dialog's list and where it stands in the image.
struct AppleBrowser {
    HWND view = nullptr;  // the list view
    HWND owner = nullptr;  // the dialog: owner of its messages and menu
    int level = 0;        // 0: no image listed; 1: the volume directory; +1 per folder
    // Slot n: the EntryRef of the folder shown at level n (slot 1, the volume, is 0).
    std::array<EntryRef, kMaxDirectoryLevel + 1> stack{};
};

// Gives the list view of `browser.view` its styles (list mode, sorted by
// name, several rows selectable, selection always shown, labels editable)
// and the shared file-type icons. Without icons (after message
// CantCreateImageList) the list works all the same.
void SetUpBrowserList(AppleBrowser& browser);

// Lists the volume directory (or DOS 3.3 catalog) of the image from the top:
// level 1, an empty stack. False when the image could not be listed; the
// message was shown and nothing is listed (LeaveImage).
bool ListVolume(AppleBrowser& browser);
// Nothing listed: the list emptied and the image's layout forgotten, so
// nothing the last image allowed is offered.
void LeaveImage(AppleBrowser& browser);
// Enters the folder row `ref` names. Refused (false, the list unchanged)
// beyond kMaxDirectoryLevel, when its prefix would not fit an Apple path, or
// when the folder cannot be read.
bool EnterFolder(AppleBrowser& browser, EntryRef ref);
// One directory up. False when that leaves the image: the level is then 1
// again (0 stays 0) and the caller decides what leaving means.
bool GoUp(AppleBrowser& browser);
// `prefix` without its last directory: "/VOL/A/B/" becomes "/VOL/A/".
std::string ParentPrefix(const std::string& prefix);

// Replaces the rows of the list with those of `listing`.
void FillBrowserList(HWND view, const DirectoryListing& listing);
// Row `item` of the list: name as shown, icon, EntryRef, locked. False when
// there is no such row.
bool ReadBrowserRow(HWND view, int item, DirectoryRow& row);
// The first selected row, -1 for none.
int FirstSelectedRow(HWND view);

// The row context menu: `firstId`/`firstText` ("&Open Apple" or "&Save
// Apple"), then Lock/Unlock, Rename, Set Prefix (greyed on DOS 3.3) and
// Delete (row commands greyed while no row is selected). The caller destroys it.
HMENU BuildRowMenu(const AppleBrowser& browser, UINT firstId, const char* firstText);
// Shows that menu where WM_CONTEXTMENU's `where` says: at the mouse, or from
// the keyboard (Shift+F10, the menu key) under the selected row. The chosen
// command arrives at the owner as WM_COMMAND.
void ShowRowMenu(const AppleBrowser& browser, UINT firstId, const char* firstText, LPARAM where);

// Runs row command 36, 30, 35 or 16 on the first selected row, or 39 (a
// new folder, its name then open for editing), handing it to `frame`. False
// for any other id.
bool RunRowCommand(AppleBrowser& browser, HWND frame, UINT id);
// The start of an in-place rename (LVN_BEGINLABELEDIT), however it began:
// the name of the row being edited becomes `SelectedAppleName`.
void NoteRenameStart(HWND view, const NMHDR* beginEdit);
// The text an in-place edit ended with (LVN_ENDLABELEDIT, in either
// character set the list speaks); false when the edit was cancelled.
bool EditedLabel(const NMHDR* endEdit, std::string& text);
// The end of an in-place rename with the text typed: hands the rename to the
// frame. True when the frame typed it (the new label may stay).
bool FinishRename(HWND frame, const char* newName);
