// DOS 3.3 volumes: the VTOC, the catalog, entry decoding and file reading.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "disk/directory_listing.h"
#include "disk/file_entry.h"

constexpr int kVtocTrack = 17;
constexpr int kVtocSector = 0;
constexpr int kCatalogEntries = 7;       // entries per catalog sector
constexpr int kCatalogEntrySize = 35;    // bytes per catalog entry
constexpr int kCatalogFirstEntry = 11;   // byte of entry 0 in a catalog sector
constexpr int kDosNameChars = 30;
constexpr int kPairsPerList = 122;       // track/sector pairs in one list sector
constexpr int kDosVolumeSectors = 560;   // 35 tracks of 16 sectors

// Lists the whole catalog of a standard 35-track, 16-sector volume and empties
// the prefix. A VTOC of another shape gives message 27; an unreadable VTOC or
// catalog sector ends the listing quietly.
DirectoryListing ListDosCatalog(const std::string& imagePath, std::string& currentPrefix);

// Decodes a catalog entry, works out its length in bytes, and fills the
// volume facts. 0, or: -1 catalog sector, -2/-3 track/sector list and first
// data sector of a BASIC program, -4/-5 the same for a binary file, -6 a
// track/sector list and -7 the last data sector of a text file, -8 the VTOC.
int DecodeDosEntry(EntryRef ref, const std::string& imagePath, FileEntry& entry);

// Reads the file's data sectors whole into `out` (count × 256 bytes) and
// returns their count, or: -5 entry not decodable, -1 first track/sector list
// unreadable, -2 that list does not start at file sector 0, -3 a data sector
// unreadable, -4 a following list unreadable (or the lists loop).
int ReadDosFile(EntryRef ref, const std::string& imagePath, std::vector<uint8_t>& out);
