// The rows of one listed directory or catalog, in on-disk order, as the
// browser's list view takes them.
#pragma once
#include <string>
#include <vector>

#include "disk/file_entry.h"

struct DirectoryRow {
    std::string name;  // as the row shows it (DOS 3.3 names keep their trailing blanks)
    int icon = 0;
    EntryRef ref = 0;
    bool locked = false;  // drawn with the cut state
};

struct DirectoryListing {
    std::vector<DirectoryRow> rows;
    unsigned message = 0;  // a message number to report (27), or 0
};
