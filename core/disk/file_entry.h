// FileEntry: one decoded directory entry of a disk-image file, ProDOS or
// DOS 3.3, with the facts about its volume and its image's container that
// the property sheet shows.
#pragma once
#include <cstdint>
#include <string_view>

#include "core/disk/containers/decoded_image.h"

constexpr int kFileNameChars = 32;  // 30 DOS 3.3 characters or 15 ProDOS ones, and the zero

// A plain value: the document table keeps a copy of it per open document.
// The access flags keep the masked bit values (2, 32, 64 ...); only zero or
// not matters.
struct FileEntry {
    int storageType = 0;
    int nameLength = 0;
    char name[kFileNameChars] = {};
    int fileType = 0;  // DOS 3.3: the catalog type byte with the lock bit 7
    int keyPointer = 0;
    int blocksUsed = 0;
    int eof = 0;  // length in bytes
    uint16_t createdDate = 0;
    uint16_t createdTime = 0;
    int version = 0;
    int minVersion = 0;
    int canRead = 0;
    int canWrite = 0;
    int backupNeeded = 0;
    int canRename = 0;
    int canDestroy = 0;
    int invisible = 0;
    int auxType = 0;
    uint16_t modifiedDate = 0;
    uint16_t modifiedTime = 0;
    int headerPointer = 0;
    int tsListTrack = 0;
    int tsListSector = 0;
    int dosVolumeNumber = 0;
    int layout = 0;  // ImageLayout of the image when the entry was decoded
    int dosOrderFlag = 0;
    int volumeTotal = 0;  // ProDOS blocks, or DOS 3.3 sectors
    int volumeFreeBytes = 0;
    int volumeFileCount = 0;
    int volumeCreatedDate = 0;
    int volumeCreatedTime = 0;
    ContainerFacts container;  // the image's container; its format is empty for plain sectors

    std::string_view Name() const { return std::string_view(name); }
};

// `EntryRef`: the 32-bit reference to a directory entry kept with each row.
// ProDOS: entry index within its directory block × 65536 + block number.
// DOS 3.3: catalog track × 256 + catalog sector × 16 + entry index.
using EntryRef = uint32_t;

constexpr EntryRef MakeProdosEntryRef(int block, int index)
{
    return static_cast<EntryRef>(index) * 65536u + static_cast<EntryRef>(block & 0xFFFF);
}
constexpr int ProdosRefBlock(EntryRef ref) { return static_cast<int>(ref & 0xFFFF); }
constexpr int ProdosRefIndex(EntryRef ref) { return static_cast<int>(ref >> 16); }

constexpr EntryRef MakeDosEntryRef(int track, int sector, int index)
{
    return static_cast<EntryRef>(track) * 256u + static_cast<EntryRef>(sector) * 16u +
           static_cast<EntryRef>(index);
}
// Decoded as the inverse of the encoding: sector in bits 4-7, index in bits 0-3.
constexpr int DosRefTrack(EntryRef ref) { return static_cast<int>((ref >> 8) & 0xFF); }
constexpr int DosRefSector(EntryRef ref) { return static_cast<int>((ref >> 4) & 0x0F); }
constexpr int DosRefIndex(EntryRef ref) { return static_cast<int>(ref & 0x0F); }
