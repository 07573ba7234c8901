// The changes the window and tavo-image make, on either file system: the
// Apple path says where (a DOS 3.3 name, or a ProDOS /VOLUME/FOLDER/NAME)
// and the volume's layout says which system's rules apply.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/disk/disk_change.h"
#include "core/disk/file_types.h"

class Volume;

// What a file is, whichever system it is saved on: A/BAS, I/INT, T/TXT,
// B/BIN, or (ProDOS only) a file type of its own number.
enum class AppleKind { Applesoft, Integer, Text, Binary, OtherProdosType };

struct FileToSave {
    AppleKind kind = AppleKind::Text;
    // The tokenized program (Applesoft, Integer), the text with the PC's line
    // ends (Text), or the bytes as they are (Binary, OtherProdosType).
    std::vector<uint8_t> data;
    int auxType = 0;           // the load address of a binary file; ProDOS only otherwise
    int prodosFileType = 0;    // OtherProdosType only
};

// Saves `file` at `applePath`; an existing file there is replaced only with
// `replace` (AppleFileExists otherwise). `stamp` dates a ProDOS file.
DiskChange SaveIntoVolume(Volume& volume, std::string_view applePath, const FileToSave& file, bool replace,
                          ProdosStamp stamp);
DiskChange DeleteFromVolume(Volume& volume, std::string_view applePath);
DiskChange RenameInVolume(Volume& volume, std::string_view applePath, std::string_view newName);
DiskChange LockInVolume(Volume& volume, std::string_view applePath, bool locked);
// ProDOS only: a DOS 3.3 catalog holds no folders (BadApplePrefix).
DiskChange CreateFolderInVolume(Volume& volume, std::string_view applePath, ProdosStamp stamp);
