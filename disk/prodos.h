// ProDOS volumes: directory listing, entry decoding and file reading.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "disk/directory_listing.h"
#include "disk/file_entry.h"

constexpr int kProdosEntryLength = 39;      // bytes per directory entry
constexpr int kProdosEntriesPerBlock = 13;  // entries in one directory block
constexpr int kVolumeDirectoryBlock = 2;

// Lists one directory of the image, as the browser does at `level`: level 1
// is the volume directory, level 2 and more the subdirectory whose entry
// `subdirectory` names, level 0 or less nothing. The layout is decided first
// from the extension (and for ".dsk" the boot block) and left in `layout`; a
// DOS 3.3 image is listed as its catalog. `currentPrefix` is set ("/VOL/") by
// the volume header and extended ("SUB/") by a subdirectory header.
DirectoryListing ListProdosDirectory(const std::string& imagePath, int extensionIndex, int& layout,
                                     int level, EntryRef subdirectory, std::string& currentPrefix);

// The listing of the volume directory or of one subdirectory of a ProDOS
// image whose layout is known.
DirectoryListing ListProdosVolume(const std::string& imagePath, int layout, std::string& currentPrefix);
DirectoryListing ListProdosSubdirectory(const std::string& imagePath, int layout, EntryRef subdirectory,
                                        std::string& currentPrefix);

// The key block of the directory whose entry `subdirectory` names, or -1.
int SubdirectoryKeyBlock(const std::string& imagePath, int layout, EntryRef subdirectory);

// Decodes the entry and its volume's facts. 0, or -1 when a block cannot be read.
int DecodeProdosEntry(EntryRef ref, const std::string& imagePath, int layout, FileEntry& entry);

// Result codes of the file readers: the storage type (1, 2, 3) on success,
// -1 entry not decodable, -2 image or block unreadable, -3 storage type not
// handled by that reader. `out` receives exactly `eof` bytes; blocks a
// sparse file does not store read as zeros.
int ReadProdosFile(EntryRef ref, const std::string& imagePath, std::vector<uint8_t>& out);
// For ProDOS stored in DOS sector order: seedlings and saplings only.
int ReadProdosFileDosOrder(EntryRef ref, const std::string& imagePath, std::vector<uint8_t>& out);
