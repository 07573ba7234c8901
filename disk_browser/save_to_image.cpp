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

    const LONG_PTR slotBefore = EditorSlot(editor);
    size_t slot = SlotOf(editor);
    if (slot == 0) {
        ReportError(Message::CantAllocateMemory, {}, 0, frame);
        return 0;
    }
    // The slot names the image and the Apple file while Save writes it; the
    // entry of a file it was opened from describes another file. Only a
    // save that succeeds keeps them and retitles the window.
    const std::string directory = g_documents.directory[slot], name = g_documents.name[slot];
    const std::string applePath = g_documents.applePath[slot];
    const FileEntry entry = g_documents.fileEntry[slot];
    g_documents.directory[slot] = g_settings.sourceDirectory;
    g_documents.name[slot] = g_browser.imageTitle;
    g_documents.applePath[slot] = g_browser.currentPrefix + g_browser.selectedAppleName;
    g_documents.fileEntry[slot] = FileEntry{};
    const std::string title = g_browser.selectedAppleName;
    if (SendMessageA(frame, WM_COMMAND, IDM_SAVE, 0)) {
        SetWindowTextA(document, title.c_str());
        return 1;
    }
    if (slotBefore != static_cast<LONG_PTR>(slot)) {
        ClearDocumentSlot(g_documents, slot);
        SetEditorSlot(editor, slotBefore);
        return 0;
    }
    g_documents.directory[slot] = directory;
    g_documents.name[slot] = name;
    g_documents.applePath[slot] = applePath;
    g_documents.fileEntry[slot] = entry;
    return 0;
}
