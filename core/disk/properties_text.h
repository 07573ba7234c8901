// The texts of the two property pages of an Apple file: the file itself
// ("General") and its volume and image ("Volume - Disk Image"). Everything
// comes from the FileEntry kept when the file was opened; nothing is read.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/disk/file_entry.h"

constexpr std::string_view kNotApplicable = "Not Applicable!";

struct PropertyField {
    int controlId;
    std::string_view label;  // the static label beside the field, "" for the title line
    std::string value;
};

struct AccessBox {
    int controlId;
    std::string_view label;
    bool checked;
};

struct PropertyTexts {
    std::vector<PropertyField> general;  // title line first, then Type: ... Modified:
    std::vector<AccessBox> access;       // Read, Write, Invisible, Backup bit, Rename, Destroy
    int icon = 0;                        // icon index drawn on the General page
    std::vector<PropertyField> image;    // Volume: ... Location:
};

// `applePath` is the document's Apple path (/VOL/SUB/HELLO, or the DOS 3.3
// name), `imageName` and `imageFolder` the image file's name and folder,
// `extensionIndex` the image extension index that picks the medium text.
PropertyTexts ComposePropertyTexts(const FileEntry& entry, std::string_view applePath, std::string_view imageName,
                                   std::string_view imageFolder, int extensionIndex);

// The medium text of an image extension index ("Apple II harddrive" ...).
std::string_view MediumText(int extensionIndex);
