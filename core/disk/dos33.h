// DOS 3.3 volumes: the VTOC, the catalog, entry decoding and file reading.
#pragma once
#include <cstdint>
#include <span>
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
constexpr int kDosTracks = 35;           // a standard disk
constexpr int kDosLongTracks = 40;       // the longer disks some drives write
constexpr int kDosTracksOfDos = 3;       // tracks 0-2 hold DOS itself
constexpr int kDos32SectorsPerTrack = 13;  // DOS 3.2 and earlier

// VTOC bytes.
constexpr int kDosRelease = 3;
constexpr int kVtocCatalogByte = 1;       // track and sector of the first catalog sector
constexpr int kVtocReleaseByte = 3;
constexpr int kVtocVolumeByte = 6;
constexpr int kVtocPairsPerListByte = 39;
constexpr int kVtocLastTrackByte = 48;    // the track DOS last took sectors from
constexpr int kVtocDirectionByte = 49;    // +1 or -1 ($FF): the way it searches on from there
constexpr int kVtocTracksByte = 52;
constexpr int kVtocSectorsByte = 53;
constexpr int kVtocSectorBytesByte = 54;  // bytes per sector, low byte first
constexpr int kVtocBitMapByte = 56;       // four bytes per track from here
constexpr int kVtocBitMapTracks = 50;     // track bit maps that fit in the sector

// Catalog sectors and their entries.
constexpr int kCatalogNextByte = 1;       // track and sector of the next catalog sector; track 0 ends
constexpr int kEntryListByte = 0;         // track and sector of the first track/sector list
constexpr int kEntryTypeByte = 2;
constexpr int kEntryNameByte = 3;
constexpr int kEntryCountByte = 33;       // sectors used, lists included, low byte first
constexpr uint8_t kDeletedEntry = 0xFF;   // in the list track byte; the track moves to the name's last byte

// Track/sector list sectors.
constexpr int kListNextByte = 1;          // track and sector of the next list; track 0 ends
constexpr int kListOffsetByte = 5;        // file sector of the first pair, low byte first
constexpr int kFirstPairByte = 12;

// A sector's bit in the VTOC bit map: set while the sector is free. The
// first byte of a track's four holds sectors 15-8, the second 7-0.
constexpr int VtocBitMapByte(int track, int sector) { return kVtocBitMapByte + 4 * track + (sector >= 8 ? 0 : 1); }
constexpr uint8_t VtocBitMapBit(int sector) { return static_cast<uint8_t>(1u << (sector % 8)); }

class ImageFile;

// The VTOC of a standard 35-track volume: DOS 3.3's with 16 sectors a track,
// or an earlier release's with 13.
bool IsStandardVtoc(std::span<const uint8_t> vtoc);

// Lists the whole catalog of a volume with a standard VTOC and empties the
// prefix. A VTOC of another shape gives UnknownImageFormat, a VTOC or
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
