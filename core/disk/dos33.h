// DOS 3.3 volumes: the VTOC, the catalog, entry decoding and file reading.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/disk/directory_listing.h"
#include "core/disk/file_entry.h"

constexpr int kVtocTrack = 17;
constexpr int kVtocSector = 0;
constexpr int kCatalogEntries = 7;       // entries per catalog sector
constexpr int kCatalogEntrySize = 35;    // bytes per catalog entry
constexpr int kCatalogFirstEntry = 11;   // byte of entry 0 in a catalog sector
constexpr int kDosNameChars = 30;
constexpr int kPairsPerList = 122;       // track/sector pairs in one list sector
constexpr int kDosVolumeSectors = 560;   // 35 tracks of 16 sectors

class ImageFile;

// Lists the whole catalog of a standard 35-track, 16-sector volume and empties
// the prefix. A VTOC of another shape gives UnknownImageFormat, a VTOC or
// first catalog sector that cannot be read CouldNotReadFile; a later catalog
// sector that cannot be read ends the listing quietly.
DirectoryListing ListDosCatalog(const std::string& imagePath, std::string& currentPrefix);
DirectoryListing ListDosCatalog(ImageFile& image, std::string& currentPrefix);

// What DecodeDosEntry returns: the sector that could not be read. Users see
// the number in message 2.
enum DosEntryResult : int {
    DosEntryDecoded = 0,
    DosEntryCatalogUnreadable = -1,
    DosEntryBasicListUnreadable = -2,  // the first track/sector list of a BASIC program
    DosEntryBasicDataUnreadable = -3,  // its first data sector
    DosEntryBinaryListUnreadable = -4,
    DosEntryBinaryDataUnreadable = -5,
    DosEntryTextListUnreadable = -6,  // any track/sector list of a text file
    DosEntryTextDataUnreadable = -7,  // its last data sector
    DosEntryVtocUnreadable = -8,
};

// The failures of ReadDosFile, which returns the count of data sectors read.
enum DosFileResult : int {
    DosFileFirstListUnreadable = -1,
    DosFileNotFromSectorZero = -2,  // the first list does not start at file sector 0
    DosFileDataUnreadable = -3,
    DosFileNextListUnreadable = -4,  // or the lists loop, or name more sectors than a disk holds
    DosFileEntryUnreadable = -5,
};

// Decodes a catalog entry, works out its length in bytes, and fills the
// volume facts.
int DecodeDosEntry(EntryRef ref, const std::string& imagePath, FileEntry& entry);
int DecodeDosEntry(EntryRef ref, ImageFile& image, FileEntry& entry);

// Reads the file's data sectors whole into `out` (count × 256 bytes).
int ReadDosFile(EntryRef ref, const std::string& imagePath, std::vector<uint8_t>& out);
int ReadDosFile(EntryRef ref, ImageFile& image, std::vector<uint8_t>& out);
