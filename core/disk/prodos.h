// ProDOS volumes: directory listing, entry decoding and file reading.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/disk/directory_listing.h"
#include "core/disk/file_entry.h"

constexpr int kProdosEntryLength = 39;      // bytes per directory entry
constexpr int kProdosEntriesPerBlock = 13;  // entries in one directory block
constexpr int kVolumeDirectoryBlock = 2;
constexpr int kVolumeDirectoryBlocks = 4;   // blocks 2-5, chained; the volume directory never grows
constexpr int kDirectoryHeaderOffset = 4;   // first entry of a directory block, after its two links
// Bytes of a directory's key block: its header entry's fields.
constexpr int kHeaderEntryLengthByte = 35;
constexpr int kHeaderEntriesPerBlockByte = 36;
constexpr int kHeaderFileCountByte = 37;    // 16 bits: the active entries of the directory
constexpr int kHeaderBitMapByte = 39;       // volume: the first bit map block
constexpr int kHeaderTotalBlocksByte = 41;  // volume: its size in blocks
constexpr int kHeaderParentByte = 39;       // subdirectory: the block holding its entry
constexpr int kHeaderParentEntryByte = 41;  // subdirectory: that entry's number in its block, from 1
constexpr int kHeaderParentLengthByte = 42;
// Storage types, the high nibble of an entry's first byte.
constexpr int kStorageDeleted = 0;
constexpr int kStorageSeedling = 1;
constexpr int kStorageSapling = 2;
constexpr int kStorageTree = 3;
constexpr int kStoragePascalArea = 4;
constexpr int kStorageExtended = 5;  // a data fork and a resource fork
constexpr int kStorageSubdirectory = 13;
constexpr int kStorageSubdirectoryHeader = 14;
constexpr int kStorageVolumeHeader = 15;
// Access bits of an entry.
constexpr int kAccessRead = 0x01;
constexpr int kAccessWrite = 0x02;
constexpr int kAccessRename = 0x40;
constexpr int kAccessDestroy = 0x80;
// Bytes of a 39-byte entry.
constexpr int kEntryFileTypeByte = 16;
constexpr int kEntryKeyByte = 17;
constexpr int kEntryBlocksUsedByte = 19;
constexpr int kEntryEofByte = 21;  // 24 bits
constexpr int kEntryCreatedByte = 24;   // date then time
constexpr int kEntryVersionByte = 28;   // and the minimum version after it
constexpr int kEntryAccessByte = 30;
constexpr int kEntryAuxTypeByte = 31;
constexpr int kEntryModifiedByte = 33;  // date then time
constexpr int kEntryHeaderPointerByte = 37;
constexpr int kMaxBlocks = 65536;            // block numbers are 16-bit
constexpr int kPointersPerIndexBlock = 256;  // a sapling's data blocks
constexpr int kTreeIndexBlocks = 128;        // a tree's index blocks (24-bit eof)
constexpr int kBlocksPerBitMapBlock = 4096;  // 512 bytes of 8 bits

class ImageFile;

// What DecodeProdosEntry returns.
enum ProdosEntryResult : int {
    ProdosEntryDecoded = 0,
    ProdosEntryUnreadable = -1,  // a block of the entry or of its volume cannot be read
};

// The failures of ReadProdosFile and ReadProdosFileDosOrder, which return the
// storage type (1, 2, 3) on success. Users see the number in message 2.
enum ProdosFileResult : int {
    ProdosFileEntryUnreadable = -1,
    ProdosFileBlockUnreadable = -2,  // the image or an index or data block
    ProdosFileStorageUnsupported = -3,  // not a storage type that reader handles
};

// Whether `block` has the header of a directory whose entries this program
// reads: 39 bytes each, 13 to a block.
bool IsVolumeDirectoryBlock(std::span<const uint8_t> block);

// What SubdirectoryKeyBlock returns when there is no key block to name.
constexpr int kNoKeyBlock = -1;

// Lists one directory of the image, as the browser does at `level`: level 1
// is the volume directory, level 2 and more the subdirectory whose entry
// `subdirectory` names, level 0 or less nothing. The layout is decided first
// (DecideImageLayout) and left in `layout`; a DOS image is listed as its
// catalog. `currentPrefix` is set ("/VOL/") by the volume header and
// extended ("SUB/") by a subdirectory header. An image in a container that
// cannot be decoded gives its DamagedContainer, one whose volume directory
// or catalog cannot be listed NoListableVolume with the sectors read.
DirectoryListing ListProdosDirectory(const std::string& imagePath, int extensionIndex, int& layout,
                                     int level, EntryRef subdirectory, std::string& currentPrefix);
DirectoryListing ListProdosDirectory(ImageFile& image, int extensionIndex, int& layout, int level,
                                     EntryRef subdirectory, std::string& currentPrefix);

// The listing of the volume directory or of one subdirectory of a ProDOS
// image whose layout is known. A directory whose first block cannot be read
// gives CouldNotReadFile; one that fails later ends where it fails.
DirectoryListing ListProdosVolume(const std::string& imagePath, int layout, std::string& currentPrefix);
DirectoryListing ListProdosVolume(ImageFile& image, int layout, std::string& currentPrefix);
DirectoryListing ListProdosSubdirectory(const std::string& imagePath, int layout, EntryRef subdirectory,
                                        std::string& currentPrefix);
DirectoryListing ListProdosSubdirectory(ImageFile& image, int layout, EntryRef subdirectory,
                                        std::string& currentPrefix);

// The key block of the directory whose entry `subdirectory` names, or kNoKeyBlock.
int SubdirectoryKeyBlock(ImageFile& image, int layout, EntryRef subdirectory);

// Decodes the entry and its volume's facts.
int DecodeProdosEntry(EntryRef ref, const std::string& imagePath, int layout, FileEntry& entry);
int DecodeProdosEntry(EntryRef ref, ImageFile& image, int layout, FileEntry& entry);

// `out` receives exactly `eof` bytes; blocks a sparse file does not store
// read as zeros. Returns the storage type or a ProdosFileResult.
int ReadProdosFile(EntryRef ref, const std::string& imagePath, std::vector<uint8_t>& out);
int ReadProdosFile(EntryRef ref, ImageFile& image, std::vector<uint8_t>& out);
// For ProDOS stored in DOS sector order: seedlings and saplings only.
int ReadProdosFileDosOrder(EntryRef ref, const std::string& imagePath, std::vector<uint8_t>& out);
int ReadProdosFileDosOrder(EntryRef ref, ImageFile& image, std::vector<uint8_t>& out);
