// Changes to a ProDOS volume in memory, each addressed by a full path
// ("/VOLUME/FOLDER/NAME", the volume's name checked), each preceded by the
// volume check and each made whole or not at all: a change that does not fit
// leaves every byte of the volume as it was.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/disk/disk_change.h"
#include "core/disk/file_types.h"

class Volume;

// What a file holds, and the type and aux type its entry gets.
struct ProdosFileContents {
    int fileType = 0;
    int auxType = 0;
    std::vector<uint8_t> bytes;
};

ProdosFileContents ApplesoftProdosFile(std::vector<uint8_t> program);  // BAS, aux $0801
ProdosFileContents IntegerProdosFile(std::vector<uint8_t> program);    // INT
ProdosFileContents BinaryProdosFile(std::vector<uint8_t> bytes, int loadAddress);
ProdosFileContents TextProdosFile(std::string_view text);  // TXT, see ProdosTextBytes

// AppleFileExists when the name is taken.
DiskChange CreateProdosFile(Volume& volume, std::string_view path, const ProdosFileContents& contents,
                            ProdosStamp stamp);
// The file keeps its entry, creation stamp and access; its blocks may be
// used again for the new contents. AppleFileNotFound when there is none.
DiskChange ReplaceProdosFile(Volume& volume, std::string_view path, const ProdosFileContents& contents,
                             ProdosStamp stamp);
// A folder only when it is empty.
DiskChange DeleteProdosFile(Volume& volume, std::string_view path);
// `newName` is a name alone, in the same folder.
DiskChange RenameProdosFile(Volume& volume, std::string_view path, std::string_view newName);
DiskChange LockProdosFile(Volume& volume, std::string_view path, bool locked);
DiskChange CreateProdosFolder(Volume& volume, std::string_view path, ProdosStamp stamp);
