// The rows of one listed directory or catalog, in on-disk order, as the
// browser's list view takes them.
#pragma once
#include <string>
#include <vector>

#include "core/disk/file_entry.h"
#include "core/messages/messages.h"

struct DirectoryRow {
    std::string name;  // as the row shows it (DOS 3.3 names keep their trailing blanks)
    int icon = 0;
    EntryRef ref = 0;
    bool locked = false;  // drawn with the cut state
};

struct DirectoryListing {
    std::vector<DirectoryRow> rows;
    // UnknownImageFormat; CouldNotReadFile when the directory's first block
    // (or the VTOC and first catalog sector) cannot be read; for an image in
    // a container, DamagedContainer or NoListableVolume; or None.
    Message message = Message::None;
    // What the message shows instead of the image's name, when not empty.
    std::string detail;
};
