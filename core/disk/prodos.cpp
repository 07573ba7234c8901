// ProDOS volumes: directory blocks, entries, the volume bit map, and the
// seedling, sapling and tree files.
//
// Every block pointer comes from the image and may be anything: reads fail
// cleanly past the end of the file, directory chains stop at a block they
// have already visited, and file reads are bounded by the entry's eof.
#include "core/disk/prodos.h"

#include <algorithm>
#include <array>
#include <bit>
#include <bitset>
#include <cstring>
#include <memory>

#include "core/disk/byte_reader.h"
#include "core/disk/containers/container.h"
#include "core/disk/containers/readable_sectors.h"
#include "core/disk/dos33.h"
#include "core/disk/file_types.h"
#include "core/disk/image.h"

namespace {

constexpr int kMaxBitMapBlocks = kMaxBlocks / kBlocksPerBitMapBlock;

// Entries of a directory block that lie wholly inside it.
int EntriesThatFit(int entriesPerBlock)
{
    int fit = (kBlockBytes - kDirectoryHeaderOffset) / kProdosEntryLength;
    return std::clamp(entriesPerBlock, 0, fit);
}

// The name of an entry as the row buffer holds it: at most 15 characters,
// ending early at a zero byte.
std::string EntryName(const BlockBuffer& block, int offset)
{
    int length = block[offset] & 0x0F;
    std::string name;
    for (int i = 1; i <= length && block[offset + i] != 0; ++i) name += static_cast<char>(block[offset + i]);
    return name;
}

// Walks a directory chain from `block` (already in `buffer`) and lists its
// entries. Header entries set or extend the prefix instead of being listed.
void ListChain(ImageFile& image, int layout, int block, BlockBuffer& buffer, int entriesPerBlock,
               std::string& currentPrefix, DirectoryListing& listing)
{
    auto visited = std::make_unique<std::bitset<kMaxBlocks>>();
    int entries = EntriesThatFit(entriesPerBlock);
    for (;;) {
        visited->set(static_cast<size_t>(block));
        int next = buffer[2] | (buffer[3] << 8);
        for (int index = 0; index < entries; ++index) {
            int offset = kDirectoryHeaderOffset + index * kProdosEntryLength;
            int storageType = buffer[offset] >> 4;
            if (storageType == 0) continue;
            if (storageType == kStorageVolumeHeader) {
                // Appended piece by piece: GCC 12 at -O3 takes "/" + name + "/" for an overlapping copy.
                currentPrefix.assign(1, '/');
                currentPrefix.append(EntryName(buffer, offset)).push_back('/');
            } else if (storageType == kStorageSubdirectoryHeader) {
                currentPrefix.append(EntryName(buffer, offset)).push_back('/');
            } else {
                DirectoryRow row;
                row.name = EntryName(buffer, offset);
                row.icon = ProdosIconIndex(buffer[offset + 16], row.name);
                row.ref = MakeProdosEntryRef(block, index);
                row.locked = (buffer[offset + 30] & kAccessWrite) == 0;
                listing.rows.push_back(std::move(row));
            }
        }
        // A chain that loops back is at its end, like an unreadable block.
        if (next == 0 || visited->test(static_cast<size_t>(next))) return;
        if (!ReadVolumeBlockFrom(image, buffer, next, layout)) return;
        block = next;
    }
}

// The sticky-checked fields of the 39-byte entry at `offset`.
bool FillEntryFields(const BlockBuffer& block, int offset, FileEntry& entry)
{
    ByteReader r(std::span<const uint8_t>(block).subspan(static_cast<size_t>(offset)));
    if (!r.Has(0, kProdosEntryLength)) return false;
    uint32_t first = r.U8(0);
    entry.storageType = static_cast<int>(first >> 4);
    entry.nameLength = static_cast<int>(first & 0x0F);
    for (int i = 0; i < entry.nameLength; ++i) entry.name[i] = static_cast<char>(r.U8(1 + static_cast<size_t>(i)));
    entry.name[entry.nameLength] = '\0';
    entry.fileType = static_cast<int>(r.U8(16));
    entry.keyPointer = static_cast<int>(r.U16(17));
    entry.blocksUsed = static_cast<int>(r.U16(19));
    entry.eof = static_cast<int>(r.U24(21));
    entry.createdDate = static_cast<uint16_t>(r.U16(24));
    entry.createdTime = static_cast<uint16_t>(r.U16(26));
    entry.version = static_cast<int>(r.U8(28));
    entry.minVersion = static_cast<int>(r.U8(29));
    int access = static_cast<int>(r.U8(30));
    entry.canRead = access & 1;
    entry.canWrite = access & 2;
    entry.backupNeeded = access & 32;
    entry.canRename = access & 64;
    entry.canDestroy = access & 128;
    entry.invisible = access & 4;
    entry.auxType = static_cast<int>(r.U16(31));
    entry.modifiedDate = static_cast<uint16_t>(r.U16(33));
    entry.modifiedTime = static_cast<uint16_t>(r.U16(35));
    entry.headerPointer = static_cast<int>(r.U16(37));
    return !r.Failed();
}

// The free blocks the volume bit map counts: one bit a block, a byte's first
// block in its bit 7; the bits past the volume's last block map no blocks.
int CountFreeBlocks(std::span<const uint8_t> bitMap, int volumeTotal)
{
    size_t wholeBytes = static_cast<size_t>(volumeTotal / 8);
    int free = 0;
    size_t at = 0;
    for (uint64_t word; at + sizeof word <= wholeBytes; at += sizeof word) {
        std::memcpy(&word, bitMap.data() + at, sizeof word);
        free += std::popcount(word);
    }
    for (; at < wholeBytes; ++at) free += std::popcount(bitMap[at]);
    if (int rest = volumeTotal % 8; rest != 0)
        free += std::popcount(static_cast<uint8_t>(bitMap[wholeBytes] & (0xFF00u >> rest)));
    return free;
}

// Decodes the entry and its volume's facts, the free space only when
// `countFree`: reading a file does not show it. Without it the bit map is
// not read, but the decoding still fails where reading it would.
int DecodeEntry(EntryRef ref, ImageFile& image, int layout, FileEntry& entry, bool countFree)
{
    entry = FileEntry{};
    int index = ProdosRefIndex(ref);
    BlockBuffer block;
    if (index >= kProdosEntriesPerBlock) return ProdosEntryUnreadable;
    if (!ReadVolumeBlockFrom(image, block, ProdosRefBlock(ref), layout)) return ProdosEntryUnreadable;
    if (!FillEntryFields(block, kDirectoryHeaderOffset + index * kProdosEntryLength, entry))
        return ProdosEntryUnreadable;
    entry.layout = layout;
    entry.container = image.Container().facts;

    if (!ReadVolumeBlockFrom(image, block, kVolumeDirectoryBlock, layout)) return ProdosEntryUnreadable;
    ByteReader volume{std::span<const uint8_t>(block)};
    entry.volumeTotal = static_cast<int>(volume.U16(41));
    entry.volumeCreatedDate = static_cast<int>(volume.U16(28));
    entry.volumeCreatedTime = static_cast<int>(volume.U16(30));
    entry.volumeFileCount = static_cast<int>(volume.U16(37));
    int bitMapStart = static_cast<int>(volume.U16(39));

    int bitMapBlocks = (entry.volumeTotal + kBlocksPerBitMapBlock - 1) / kBlocksPerBitMapBlock;
    if (!countFree)
        return VolumeBlocksInImage(image, bitMapStart, bitMapBlocks, layout) ? ProdosEntryDecoded : ProdosEntryUnreadable;
    std::array<uint8_t, kMaxBitMapBlocks * kBlockBytes> bitMap;
    std::span<uint8_t> bits = std::span(bitMap).first(static_cast<size_t>(bitMapBlocks) * kBlockBytes);
    if (!ReadVolumeBlocksFrom(image, bits, bitMapStart, layout)) return ProdosEntryUnreadable;
    entry.volumeFreeBytes = CountFreeBlocks(bits, entry.volumeTotal) * kBlockBytes;
    return ProdosEntryDecoded;
}

int IndexPointer(const BlockBuffer& index, int k) { return index[static_cast<size_t>(k)] | (index[256 + static_cast<size_t>(k)] << 8); }

// Copies the data blocks named by one index block into `out` from `base` on,
// up to the end of `out`. A zero pointer is a block the file does not store.
bool ReadIndexedBlocks(ImageFile& image, int layout, const BlockBuffer& index, std::vector<uint8_t>& out,
                       size_t base)
{
    for (int k = 0; k < kPointersPerIndexBlock;) {
        size_t offset = base + static_cast<size_t>(k) * kBlockBytes;
        if (offset >= out.size()) break;
        int pointer = IndexPointer(index, k);
        if (pointer == 0) {  // already zero
            ++k;
            continue;
        }
        // Whole blocks that follow each other on the volume are read as one run.
        size_t wholeBlocks = (out.size() - offset) / kBlockBytes;
        if (wholeBlocks > 0) {
            int run = 1;
            while (k + run < kPointersPerIndexBlock && static_cast<size_t>(run) < wholeBlocks &&
                   IndexPointer(index, k + run) == pointer + run)
                ++run;
            if (!ReadVolumeBlocksFrom(image, std::span(out).subspan(offset, static_cast<size_t>(run) * kBlockBytes),
                                      pointer, layout))
                return false;
            k += run;
            continue;
        }
        BlockBuffer data;
        if (!ReadVolumeBlockFrom(image, data, pointer, layout)) return false;
        std::memcpy(out.data() + offset, data.data(), out.size() - offset);
        ++k;
    }
    return true;
}

int ReadFile(EntryRef ref, ImageFile& image, std::vector<uint8_t>& out, int layout)
{
    FileEntry entry;
    out.clear();
    if (DecodeEntry(ref, image, layout, entry, false) != ProdosEntryDecoded) return ProdosFileEntryUnreadable;
    int storage = entry.storageType;
    bool dosOrder = layout == LayoutProdosDosOrder;
    if (storage != kStorageSeedling && storage != kStorageSapling && (storage != kStorageTree || dosOrder))
        return ProdosFileStorageUnsupported;
    out.assign(static_cast<size_t>(entry.eof), 0);
    BlockBuffer key;
    if (!ReadVolumeBlockFrom(image, key, entry.keyPointer, layout)) return ProdosFileBlockUnreadable;
    if (storage == kStorageSeedling) {
        // Past its one block a seedling reads as zeros.
        if (!out.empty()) std::memcpy(out.data(), key.data(), std::min<size_t>(kBlockBytes, out.size()));
        return storage;
    }
    if (storage == kStorageSapling)
        return ReadIndexedBlocks(image, layout, key, out, 0) ? storage : ProdosFileBlockUnreadable;
    constexpr size_t kBytesPerIndexBlock = static_cast<size_t>(kPointersPerIndexBlock) * kBlockBytes;
    BlockBuffer index;
    for (int i = 0; i < kTreeIndexBlocks; ++i) {
        size_t base = static_cast<size_t>(i) * kBytesPerIndexBlock;
        if (base >= out.size()) break;
        int pointer = IndexPointer(key, i);
        if (pointer == 0) continue;  // a whole index block the file does not store
        if (!ReadVolumeBlockFrom(image, index, pointer, layout)) return ProdosFileBlockUnreadable;
        if (!ReadIndexedBlocks(image, layout, index, out, base)) return ProdosFileBlockUnreadable;
    }
    return storage;
}

}  // namespace

DirectoryListing ListProdosVolume(ImageFile& image, int layout, std::string& currentPrefix)
{
    DirectoryListing listing;
    BlockBuffer buffer;
    if (!ReadVolumeBlockFrom(image, buffer, kVolumeDirectoryBlock, layout)) {
        listing.message = Message::CouldNotReadFile;
        return listing;
    }
    if (!IsVolumeDirectoryBlock(buffer)) {
        listing.message = Message::UnknownImageFormat;
        return listing;
    }
    ListChain(image, layout, kVolumeDirectoryBlock, buffer, kProdosEntriesPerBlock, currentPrefix, listing);
    return listing;
}

DirectoryListing ListProdosVolume(const std::string& imagePath, int layout, std::string& currentPrefix)
{
    ImageFile image(imagePath);
    return ListProdosVolume(image, layout, currentPrefix);
}

bool IsVolumeDirectoryBlock(std::span<const uint8_t> block)
{
    return block.size() >= kBlockBytes && block[kHeaderEntryLengthByte] == kProdosEntryLength &&
           block[kHeaderEntriesPerBlockByte] == kProdosEntriesPerBlock;
}

int SubdirectoryKeyBlock(ImageFile& image, int layout, EntryRef subdirectory)
{
    BlockBuffer buffer;
    int index = ProdosRefIndex(subdirectory);
    if (index >= kProdosEntriesPerBlock) return kNoKeyBlock;
    if (!ReadVolumeBlockFrom(image, buffer, ProdosRefBlock(subdirectory), layout)) return kNoKeyBlock;
    int offset = kDirectoryHeaderOffset + index * kProdosEntryLength;
    return buffer[static_cast<size_t>(offset) + 17] | (buffer[static_cast<size_t>(offset) + 18] << 8);
}

DirectoryListing ListProdosSubdirectory(ImageFile& image, int layout, EntryRef subdirectory,
                                        std::string& currentPrefix)
{
    DirectoryListing listing;
    BlockBuffer buffer;
    int keyBlock = SubdirectoryKeyBlock(image, layout, subdirectory);
    if (keyBlock == kNoKeyBlock || !ReadVolumeBlockFrom(image, buffer, keyBlock, layout)) {
        listing.message = Message::CouldNotReadFile;
        return listing;
    }
    // Entries are decoded at 39 bytes each, so a header that says otherwise
    // does not describe a directory this program can read.
    if (buffer[kHeaderEntryLengthByte] != kProdosEntryLength) {
        listing.message = Message::UnknownImageFormat;
        return listing;
    }
    ListChain(image, layout, keyBlock, buffer, buffer[kHeaderEntriesPerBlockByte], currentPrefix, listing);
    return listing;
}

DirectoryListing ListProdosSubdirectory(const std::string& imagePath, int layout, EntryRef subdirectory,
                                        std::string& currentPrefix)
{
    ImageFile image(imagePath);
    return ListProdosSubdirectory(image, layout, subdirectory, currentPrefix);
}

DirectoryListing ListProdosDirectory(ImageFile& image, int extensionIndex, int& layout, int level,
                                     EntryRef subdirectory, std::string& currentPrefix)
{
    if (level <= 0) return {};
    layout = DecideImageLayout(extensionIndex, image);
    if (layout != LayoutNone && !IsDosLayout(layout) && level > 1)
        return ListProdosSubdirectory(image, layout, subdirectory, currentPrefix);
    DirectoryListing listing;
    if (IsDosLayout(layout))
        listing = ListDosCatalog(image, currentPrefix);
    else if (layout != LayoutNone)
        listing = ListProdosVolume(image, layout, currentPrefix);
    else
        listing.message = Message::UnknownImageFormat;
    if (listing.message == Message::None || !image.FromContainer()) return listing;
    // A disk out of a container says what it is: damaged, or which of its sectors could be read.
    const DecodedImage& container = image.Container();
    listing.rows.clear();
    listing.message = container.Decoded() ? Message::NoListableVolume : container.message;
    listing.detail = container.Decoded() ? DescribeReadable(container) : container.detail;
    return listing;
}

DirectoryListing ListProdosDirectory(const std::string& imagePath, int extensionIndex, int& layout,
                                     int level, EntryRef subdirectory, std::string& currentPrefix)
{
    ImageFile image(imagePath);
    return ListProdosDirectory(image, extensionIndex, layout, level, subdirectory, currentPrefix);
}

int DecodeProdosEntry(EntryRef ref, ImageFile& image, int layout, FileEntry& entry)
{
    return DecodeEntry(ref, image, layout, entry, true);
}

int DecodeProdosEntry(EntryRef ref, const std::string& imagePath, int layout, FileEntry& entry)
{
    ImageFile image(imagePath);
    return DecodeProdosEntry(ref, image, layout, entry);
}

int ReadProdosFile(EntryRef ref, ImageFile& image, std::vector<uint8_t>& out)
{
    return ReadFile(ref, image, out, LayoutProdos);
}

int ReadProdosFile(EntryRef ref, const std::string& imagePath, std::vector<uint8_t>& out)
{
    ImageFile image(imagePath);
    return ReadProdosFile(ref, image, out);
}

int ReadProdosFileDosOrder(EntryRef ref, ImageFile& image, std::vector<uint8_t>& out)
{
    return ReadFile(ref, image, out, LayoutProdosDosOrder);
}

int ReadProdosFileDosOrder(EntryRef ref, const std::string& imagePath, std::vector<uint8_t>& out)
{
    ImageFile image(imagePath);
    return ReadProdosFileDosOrder(ref, image, out);
}
