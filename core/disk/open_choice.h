// What opening an Apple file from a disk image shows: the document kind chosen
// by file type, and the text the converters make of the file's bytes.
#pragma once
#include <string>
#include <string_view>

#include "core/disk/file_entry.h"
#include "core/documents/document_kinds.h"
#include "core/messages/messages.h"

class ImageFile;

// The document kind (window class) of a decoded entry, by its layout.
DocumentKind DocumentKindFor(const FileEntry& entry);

struct DocumentContent {
    DocumentKind kind = DocumentKind::Bin;
    std::string text;      // the converter's output up to its terminating zero
    bool opened = false;   // false: the document stays empty
    // AppleFileReadError (with `value` and the image's file name),
    // UnsupportedStorageType, NonStandardFile, or UnreadableSectors (with
    // `detail`); None for none.
    Message message = Message::None;
    int value = 0;
    std::string detail;    // what the message shows instead of the image's name, when not empty
    bool beep = false;     // an Integer BASIC listing that ran past its data
};

// Decodes the entry into `entry`, reads the file in the way `layout` says and
// converts it by type: Applesoft and Integer BASIC listings, Apple text, or a
// hex dump (for any type when `hexDump`, as when Ctrl is held). A listing
// that stops at a non-standard byte keeps what it listed and asks for
// message 9.
DocumentContent OpenImageEntry(const std::string& imagePath, int layout, EntryRef ref, bool hexDump,
                               FileEntry& entry);
DocumentContent OpenImageEntry(ImageFile& image, int layout, EntryRef ref, bool hexDump, FileEntry& entry);
