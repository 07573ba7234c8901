// The Apple files picked in the browser, opened one document each.
#include "disk_browser/open_from_image.h"

#include <new>
#include <string>

#include "core/disk/apple_path.h"
#include "core/disk/browser_names.h"
#include "core/disk/image.h"
#include "core/disk/open_choice.h"
#include "core/documents/file_names.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/editor_setup.h"
#include "shell/frame_title.h"
#include "shell/report_error.h"
#include "shell/settings.h"

namespace {

enum class Outcome { Next, Skipped, Stop };

// Fills one new document from the entry `ref`. The image stays open for the
// whole command, so ten files cost one opening, not ten. `name` gets the
// file's name, for the message about files skipped.
Outcome OpenOne(HWND frame, ImageFile& image, EntryRef ref, bool hexDump, EntryOpener open, std::string& name)
{
    FileEntry entry;
    DocumentContent content;
    try {
        content = open(image, g_browser.layout, ref, hexDump, entry);
    } catch (const std::bad_alloc&) {
        name = TrimmedName(entry.Name());
        return Outcome::Skipped;
    }
    std::string title(TrimmedName(entry.Name()));
    if (RefuseSameName(title.c_str())) return Outcome::Next;
    HWND editor = EditorOf(CreateDocumentWindow(content.kind, title.c_str()));
    if (!editor) return Outcome::Next;
    PrepareOpenedEditor(editor);

    size_t slot = TakeFreeSlot(g_documents);
    if (slot == 0) {
        ReportError(Message::CantAllocateMemory, {}, 0, frame);
        FinishOpenedDocument(frame, editor, false);
        return Outcome::Stop;
    }
    if (content.opened) {
        // A file that could not be read gets no place: saving its empty
        // document would otherwise type an empty program over the Apple file.
        g_documents.directory[slot] = SplitPath(g_browser.imagePath).directory;
        g_documents.name[slot] = g_browser.imageTitle;
        g_documents.applePath[slot] = IsDosLayout(g_browser.layout) ? title : g_browser.currentPrefix + title;
        g_documents.fileEntry[slot] = entry;
        g_documents.hexDump[slot] = hexDump || content.kind == DocumentKind::Bin;
        SetEditorSlot(editor, static_cast<LONG_PTR>(slot));
        SendMessageA(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(content.text.c_str()));
    } else {
        SetEditorSlot(editor, kNoPlaceSlot);
    }
    if (content.message != Message::None)
        ReportError(content.message, content.detail.empty() ? g_browser.imageTitle : content.detail, content.value, frame);
    if (content.beep) MessageBeep(MB_OK);
    const bool program = content.kind == DocumentKind::Applesoft || content.kind == DocumentKind::Integer;
    FinishOpenedDocument(frame, editor, content.opened && program && !hexDump);
    return Outcome::Next;
}

}  // namespace

LRESULT OpenFromImage(HWND frame, size_t count, KeyHeld held, EntryOpener open)
{
    SetCursor(g_app.waitCursor);
    RememberSourceDirectory(SplitPath(g_browser.imagePath).directory);
    ImageFile image(g_browser.imagePath);
    LRESULT finished = 1;
    std::string skipped;
    for (size_t position = count; position >= 1 && position < g_documents.browserSelection.size(); --position) {
        EntryRef ref = g_documents.browserSelection[position];
        if (ref == 0) continue;  // a folder's row
        std::string name;
        Outcome outcome = OpenOne(frame, image, ref, held(VK_CONTROL), open, name);
        if (outcome == Outcome::Skipped) skipped += (skipped.empty() ? "" : ", ") + name;
        if (outcome == Outcome::Stop) {
            finished = 0;
            break;
        }
    }
    if (!skipped.empty()) ReportError(Message::FilesNotOpened, skipped, 0, frame);
    SetCursor(g_app.arrowCursor);
    SetFrameTitle(frame, g_browser.imageTitle);
    return finished;
}
