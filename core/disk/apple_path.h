// Apple paths inside a disk image: the directory or file a path such as
// /VOL/SUB/HELLO names, found by listing directories the way the browser
// walks them, and a walk over every entry of an image.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "core/disk/directory_listing.h"

class ImageFile;

constexpr int kMaxDirectoryLevel = 64;  // deepest directory level the browser keeps

// One listed directory: level 1 is the volume directory (or the DOS 3.3
// catalog), each subdirectory one more; `ref` names the subdirectory's entry.
struct AppleDirectory {
    int level = 0;
    EntryRef ref = 0;
    std::string prefix;  // CurrentPrefix after listing it ("" on DOS 3.3)
    DirectoryListing listing;
};

// Lists the directory `path` names ("" or "/" or "/VOL/" for the volume
// directory, "/VOL/SUB/" for a subdirectory). Returns None, the listing's
// own message (UnknownImageFormat, or CouldNotReadFile for a directory that
// cannot be read), or CouldNotReadFile when no directory has that path. A
// DOS 3.3 image has only its catalog.
Message OpenAppleDirectory(const std::string& imagePath, int extensionIndex, std::string_view path, int& layout,
                           AppleDirectory& directory);
Message OpenAppleDirectory(ImageFile& image, int extensionIndex, std::string_view path, int& layout,
                           AppleDirectory& directory);

// Finds the entry `path` names: a ProDOS path (/VOL/SUB/HELLO, names compared
// ignoring case) or a DOS 3.3 name (compared without its trailing blanks,
// exactly first, then ignoring case). `directory` receives the listing that
// holds it, `row` its row.
Message FindAppleEntry(const std::string& imagePath, int extensionIndex, std::string_view path, int& layout,
                       AppleDirectory& directory, DirectoryRow& row);
Message FindAppleEntry(ImageFile& image, int extensionIndex, std::string_view path, int& layout,
                       AppleDirectory& directory, DirectoryRow& row);

// Calls `visit` for every row of the image in on-disk order, entering each
// folder right after its row. A folder whose directory was already entered,
// or that lies deeper than kMaxDirectoryLevel, is not entered again.
using AppleEntryVisitor = std::function<void(const AppleDirectory& directory, const DirectoryRow& row)>;
Message WalkAppleImage(const std::string& imagePath, int extensionIndex, int& layout,
                       const AppleEntryVisitor& visit);
Message WalkAppleImage(ImageFile& image, int extensionIndex, int& layout, const AppleEntryVisitor& visit);

// The name of a row without its trailing blanks.
std::string_view TrimmedName(std::string_view name);
