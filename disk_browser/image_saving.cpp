#include "disk_browser/image_saving.h"

#include <string>

#include "core/basic/applesoft_tokenizer.h"
#include "core/basic/integer_tokenizer.h"
#include "core/disk/apple_path.h"
#include "core/disk/dos33.h"
#include "core/disk/image.h"
#include "core/disk/prodos.h"
#include "core/disk/volume_changes.h"
#include "core/documents/file_names.h"
#include "core/settings/setting_values.h"
#include "shell/documents.h"
#include "shell/editor_text.h"
#include "shell/image_writing.h"
#include "shell/report_error.h"
#include "shell/settings.h"

namespace {

// What the document's kind stores: a tokenized program or text.
FileToSave FileOf(DocumentKind kind, const std::string& text)
{
    FileToSave file;
    if (kind == DocumentKind::Applesoft) {
        file.kind = AppleKind::Applesoft;
        file.data = TokenizeApplesoft(text);
    } else if (kind == DocumentKind::Integer) {
        file.kind = AppleKind::Integer;
        file.data = TokenizeIntegerBasic(text);
    } else {
        file.kind = AppleKind::Text;
        file.data.assign(text.begin(), text.end());
    }
    return file;
}

// The saved file's entry, so that Properties shows its new size.
void RecordEntry(size_t slot, const std::string& imagePath)
{
    int layout = LayoutNone;
    AppleDirectory directory;
    DirectoryRow row;
    if (FindAppleEntry(imagePath, ImageExtensionIndexOf(imagePath), g_documents.applePath[slot], layout, directory,
                       row) != Message::None)
        return;
    FileEntry entry;
    int result = IsDosLayout(layout) ? DecodeDosEntry(row.ref, imagePath, entry)
                                       : DecodeProdosEntry(row.ref, imagePath, layout, entry);
    if (result == 0) g_documents.fileEntry[slot] = entry;
}

}  // namespace

ImageSave SaveIntoImage(HWND frame, HWND document, size_t slot)
{
    // Its text is no program: written back, or typed in, it would replace the file with its dump.
    const DocumentKindRow* kind = DocumentKindOf(document);
    if (!kind || kind->kind == DocumentKind::Bin || g_documents.hexDump[slot]) {
        ReportError(Message::HexDumpNotSaved, {}, 0, frame);
        return ImageSave::NotSaved;
    }
    if (!ParseFlag(g_settings.writeImagesDirectly) || g_documents.directory[slot].empty() ||
        g_documents.name[slot].empty())
        return ImageSave::ThroughEmulator;
    HWND editor = EditorOf(document);
    const FileToSave file = FileOf(kind->kind, EditorTextRange(editor, 0, EditorTextLength(editor)));
    const std::string imagePath = JoinDirectory(g_documents.directory[slot], g_documents.name[slot]);
    const std::string applePath = g_documents.applePath[slot];
    const ProdosStamp stamp = ProdosStampNow();
    DiskChange result = WriteIntoImage(imagePath, [&](Volume& volume) {
        return SaveIntoVolume(volume, applePath, file, true, stamp);
    });
    if (result.message == Message::ImageInUse) {
        bool emulator = ReportError(Message::ImageInUse, g_documents.name[slot], 0, frame) == IDYES;
        return emulator ? ImageSave::ThroughEmulator : ImageSave::NotSaved;
    }
    if (!result.Made()) {
        ReportError(result.message, result.text, result.value, frame);
        return ImageSave::NotSaved;
    }
    RecordEntry(slot, imagePath);
    return ImageSave::Saved;
}
