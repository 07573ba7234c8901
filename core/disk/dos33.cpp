// DOS 3.3: VTOC, catalog chain and track/sector lists.
//
// Track and sector numbers come from the image: every chain is bounded by the
// sectors it has already visited, so a catalog or list that loops ends.
#include "core/disk/dos33.h"

#include <bit>
#include <bitset>
#include <cstring>

#include "core/disk/byte_reader.h"
#include "core/disk/file_type_codes.h"
#include "core/disk/file_types.h"
#include "core/disk/image.h"

namespace {

constexpr int kFileCountSectors = 15;    // catalog sectors read while counting files

// Sectors a chain has visited; keyed by track and sector (sector below 16).
class VisitedSectors {
public:
    bool Visit(int track, int sector)
    {
        size_t key = static_cast<size_t>(track & 0xFF) * kSectorsPerTrack + static_cast<size_t>(sector & 0x0F);
        if (seen_.test(key)) return false;
        seen_.set(key);
        return true;
    }

private:
    std::bitset<256 * kSectorsPerTrack> seen_;
};

bool ActiveEntry(uint8_t firstByte) { return firstByte != 0 && firstByte != kDeletedEntry; }

int EntryOffset(int index) { return kCatalogFirstEntry + index * kCatalogEntrySize; }

// The row text: 30 characters with bit 7 cleared, trailing blanks kept, ending
// early where a character clears to zero.
std::string CatalogName(const SectorBuffer& sector, int offset)
{
    std::string name;
    for (int i = 0; i < kDosNameChars; ++i) {
        char c = static_cast<char>(sector[static_cast<size_t>(offset + 3 + i)] & 0x7F);
        if (c == 0) break;
        name += c;
    }
    return name;
}

int Word(const SectorBuffer& sector, int offset) { return sector[static_cast<size_t>(offset)] | (sector[static_cast<size_t>(offset) + 1] << 8); }

// Length of a BASIC (header word at 0, +2) or binary (word at 2, +4) file
// from its first data sector. A list without data gives 0 rather than the
// boot sector's bytes.
int HeaderLength(const FileEntry& entry, ImageFile& image, int wordOffset, int headerBytes,
                 DosEntryResult listFailure, DosEntryResult dataFailure, int& eof)
{
    SectorBuffer list, data;
    if (!ReadSectorFrom(image, list, entry.tsListTrack, entry.tsListSector)) return listFailure;
    if (list[kFirstPairByte] == 0) {
        eof = 0;
        return DosEntryDecoded;
    }
    if (!ReadSectorFrom(image, data, list[kFirstPairByte], list[kFirstPairByte + 1])) return dataFailure;
    eof = Word(data, wordOffset) + headerBytes;
    return DosEntryDecoded;
}

// Length of a text file: the data sectors a read returns (up to the first
// pair of track 0), the last of them up to its first zero byte.
int TextLength(const FileEntry& entry, ImageFile& image, int& eof)
{
    SectorBuffer list;
    VisitedSectors visited;
    int track = entry.tsListTrack, sector = entry.tsListSector;
    int count = 0, lastTrack = 0, lastSector = 0;
    bool ended = false;
    while (!ended) {
        if (!ReadSectorFrom(image, list, track, sector) || !visited.Visit(track, sector))
            return DosEntryTextListUnreadable;
        for (int pair = 0; pair < kPairsPerList; ++pair) {
            int at = kFirstPairByte + 2 * pair;
            if (list[static_cast<size_t>(at)] == 0) {
                ended = true;
                break;
            }
            ++count;
            lastTrack = list[static_cast<size_t>(at)];
            lastSector = list[static_cast<size_t>(at) + 1];
        }
        track = list[1];
        sector = list[2];
        if (track == 0) ended = true;
    }
    if (count == 0) {
        eof = 0;
        return DosEntryDecoded;
    }
    SectorBuffer data;
    if (!ReadSectorFrom(image, data, lastTrack, lastSector)) return DosEntryTextDataUnreadable;
    int position = 0;
    while (position < kSectorBytes && data[static_cast<size_t>(position)] != 0) ++position;
    eof = (count - 1) * kSectorBytes + position;
    return DosEntryDecoded;
}

}  // namespace

bool IsStandardVtoc(std::span<const uint8_t> vtoc)
{
    if (vtoc.size() < kSectorBytes || vtoc[kVtocPairsPerListByte] != kPairsPerList || vtoc[kVtocTracksByte] != kDosTracks)
        return false;
    int release = vtoc[kVtocReleaseByte];
    int sectors = vtoc[kVtocSectorsByte];
    return (release == kDosRelease && sectors == kSectorsPerTrack) ||
           (release < kDosRelease && sectors == kDos32SectorsPerTrack);
}

DirectoryListing ListDosCatalog(ImageFile& image, std::string& currentPrefix)
{
    DirectoryListing listing;
    currentPrefix.clear();
    SectorBuffer sector;
    if (!ReadSectorFrom(image, sector, kVtocTrack, kVtocSector)) {
        listing.message = Message::CouldNotReadFile;
        return listing;
    }
    if (!IsStandardVtoc(sector)) {
        listing.message = Message::UnknownImageFormat;
        return listing;
    }
    // Without its first sector there is no catalog to list; a later sector
    // that cannot be read ends the listing where it fails.
    VisitedSectors visited;
    int track = sector[1], sectorNumber = sector[2];
    for (bool first = true; track != 0; first = false) {
        if (!ReadSectorFrom(image, sector, track, sectorNumber) || !visited.Visit(track, sectorNumber)) {
            if (first) listing.message = Message::CouldNotReadFile;
            break;
        }
        for (int index = 0; index < kCatalogEntries; ++index) {
            int offset = EntryOffset(index);
            if (!ActiveEntry(sector[static_cast<size_t>(offset)])) continue;
            DirectoryRow row;
            row.name = CatalogName(sector, offset);
            int type = sector[static_cast<size_t>(offset) + 2];
            row.icon = DosIconIndex(type);
            row.ref = MakeDosEntryRef(track, sectorNumber, index);
            row.locked = (type & kDosLockBit) != 0;
            listing.rows.push_back(std::move(row));
        }
        track = sector[1];
        sectorNumber = sector[2];
    }
    return listing;
}

DirectoryListing ListDosCatalog(const std::string& imagePath, std::string& currentPrefix)
{
    ImageFile image(imagePath);
    return ListDosCatalog(image, currentPrefix);
}

int DecodeDosEntry(EntryRef ref, ImageFile& image, FileEntry& entry)
{
    entry = FileEntry{};
    int index = DosRefIndex(ref);
    SectorBuffer sector;
    if (index >= kCatalogEntries) return DosEntryCatalogUnreadable;
    if (!ReadSectorFrom(image, sector, DosRefTrack(ref), DosRefSector(ref))) return DosEntryCatalogUnreadable;
    int offset = EntryOffset(index);
    entry.tsListTrack = sector[static_cast<size_t>(offset)];
    entry.tsListSector = sector[static_cast<size_t>(offset) + 1];
    entry.fileType = sector[static_cast<size_t>(offset) + 2];
    for (int i = 0; i < kDosNameChars; ++i)
        entry.name[i] = static_cast<char>(sector[static_cast<size_t>(offset + 3 + i)] & 0x7F);
    entry.name[kDosNameChars] = '\0';
    entry.eof = Word(sector, offset + 33) * kSectorBytes;

    int result = DosEntryDecoded;
    switch (entry.fileType & ~kDosLockBit) {
    case kDosIntegerType:
    case kDosApplesoftType:
        result = HeaderLength(entry, image, 0, kDosLengthHeaderBytes, DosEntryBasicListUnreadable, DosEntryBasicDataUnreadable, entry.eof);
        break;
    case kDosBinaryType:
        result = HeaderLength(entry, image, 2, 4, DosEntryBinaryListUnreadable, DosEntryBinaryDataUnreadable, entry.eof);
        break;
    case kDosTextType: result = TextLength(entry, image, entry.eof); break;
    default: break;
    }
    if (result != DosEntryDecoded) return result;

    bool locked = (entry.fileType & kDosLockBit) != 0;
    entry.dosOrderFlag = 1;
    entry.canRead = 1;
    entry.canWrite = entry.canRename = entry.canDestroy = locked ? 0 : 1;
    entry.backupNeeded = entry.invisible = 0;

    SectorBuffer vtoc;
    if (!ReadSectorFrom(image, vtoc, kVtocTrack, kVtocSector)) return DosEntryVtocUnreadable;
    entry.layout = vtoc[kVtocSectorsByte] == kDos32SectorsPerTrack ? LayoutDos32 : LayoutDos33;
    entry.container = image.Container().facts;
    entry.dosVolumeNumber = vtoc[6];
    entry.volumeTotal = vtoc[kVtocTracksByte] * vtoc[kVtocSectorsByte];
    int freeSectors = 0;
    int tracks = vtoc[kVtocTracksByte] < kVtocBitMapTracks ? vtoc[kVtocTracksByte] : kVtocBitMapTracks;
    for (int t = 0; t < tracks; ++t)
        for (int b = 0; b < 2; ++b)
            freeSectors += std::popcount(static_cast<unsigned>(vtoc[static_cast<size_t>(kVtocBitMapByte + 4 * t + b)]));
    entry.volumeFreeBytes = freeSectors * kSectorBytes;

    // The count is a fact for the property sheet: a catalog sector that
    // cannot be read ends the count and never keeps the file from opening.
    int track = vtoc[1], sectorNumber = vtoc[2];
    for (int read = 0; read < kFileCountSectors && track != 0; ++read) {
        if (!ReadSectorFrom(image, sector, track, sectorNumber)) break;
        for (int i = 0; i < kCatalogEntries; ++i)
            if (ActiveEntry(sector[static_cast<size_t>(EntryOffset(i))])) ++entry.volumeFileCount;
        track = sector[1];
        sectorNumber = sector[2];
    }
    return DosEntryDecoded;
}

int DecodeDosEntry(EntryRef ref, const std::string& imagePath, FileEntry& entry)
{
    ImageFile image(imagePath);
    return DecodeDosEntry(ref, image, entry);
}

int ReadDosFile(EntryRef ref, ImageFile& image, std::vector<uint8_t>& out)
{
    out.clear();
    FileEntry entry;
    if (DecodeDosEntry(ref, image, entry) != DosEntryDecoded) return DosFileEntryUnreadable;
    SectorBuffer list, data;
    VisitedSectors visited;
    int track = entry.tsListTrack, sector = entry.tsListSector;
    if (!ReadSectorFrom(image, list, track, sector)) return DosFileFirstListUnreadable;
    visited.Visit(track, sector);
    if (list[5] != 0 || list[6] != 0) return DosFileNotFromSectorZero;
    int count = 0;
    for (;;) {
        for (int pair = 0; pair < kPairsPerList; ++pair) {
            int at = kFirstPairByte + 2 * pair;
            if (list[static_cast<size_t>(at)] == 0) return count;
            // No file of a 560-sector volume holds more data sectors than that.
            if (count == kDosVolumeSectors) return DosFileNextListUnreadable;
            if (!ReadSectorFrom(image, data, list[static_cast<size_t>(at)], list[static_cast<size_t>(at) + 1]))
                return DosFileDataUnreadable;
            out.insert(out.end(), data.begin(), data.end());
            ++count;
        }
        track = list[1];
        sector = list[2];
        if (track == 0) return count;
        if (!ReadSectorFrom(image, list, track, sector) || !visited.Visit(track, sector))
            return DosFileNextListUnreadable;
    }
}

int ReadDosFile(EntryRef ref, const std::string& imagePath, std::vector<uint8_t>& out)
{
    ImageFile image(imagePath);
    return ReadDosFile(ref, image, out);
}
