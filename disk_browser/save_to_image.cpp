// Save to Apple ][ disk image As...: where the document goes on the disk,
// then Save, which types it into the emulator with SAVE and that path.
#include "disk_browser/save_to_image.h"

#include <string>

#include "core/disk/browser_names.h"
#include "core/documents/file_names.h"
#include "disk_browser/image_chooser.h"
#include "disk_browser/save_location.h"
#include "resources/resource.h"
#include "shell/documents.h"
#include "shell/report_error.h"
#include "shell/settings.h"

namespace {

constexpr size_t kProposedNameChars = 31;  // `SelectedAppleName` holds 31 characters

bool HasSlot(LONG_PTR slot) { return slot > 0 && static_cast<size_t>(slot) < g_documents.capacity; }

// The document's recorded file, where the chooser starts; "" when it has none.
std::string RecordedLocation(HWND editor)
{
    LONG_PTR slot = EditorSlot(editor);
    if (!HasSlot(slot) || g_documents.directory[slot].empty()) return {};
    return JoinDirectory(g_documents.directory[slot], g_documents.name[slot]);
}

// The document's slot, a new one when it has none; 0 when none can be had.
size_t SlotOf(HWND editor)
{
    LONG_PTR slot = EditorSlot(editor);
    if (HasSlot(slot)) return static_cast<size_t>(slot);
    size_t fresh = TakeFreeSlot(g_documents);
    if (fresh) SetEditorSlot(editor, static_cast<LONG_PTR>(fresh));
    return fresh;
}

}  // namespace

LRESULT SaveToAppleImageAs(HWND frame)
{
    HWND document = GetActiveDocument();
    HWND editor = EditorOf(document);
    if (!editor) return 0;
    std::string start = RecordedLocation(editor);
    INT_PTR result = kSaveLocationLeftImage;
    while (result == kSaveLocationLeftImage) {
        if (!ChooseImageForSaving(frame, start)) return 0;
        g_browser.selectedAppleName = WindowTitle(document).substr(0, kProposedNameChars);
        RememberSourceDirectory(SplitPath(g_browser.imagePath).directory);
        result = ShowSaveLocationDialog(frame);
    }
    if (result != kSaveLocationChosen) return 0;

    size_t slot = SlotOf(editor);
    if (slot == 0) {
        ReportError(Message::CantAllocateMemory, {}, 0, frame);
        return 0;
    }
    // The slot now names the image and the Apple file; the entry of a file
    // it was opened from describes another file.
    g_documents.directory[slot] = g_settings.sourceDirectory;
    g_documents.name[slot] = g_browser.imageTitle;
    g_documents.applePath[slot] = g_browser.currentPrefix + g_browser.selectedAppleName;
    g_documents.fileEntry[slot] = FileEntry{};
    SetWindowTextA(document, g_browser.selectedAppleName.c_str());
    return SendMessageA(frame, WM_COMMAND, IDM_SAVE, 0);
}
