// ProDOS volumes: directory blocks, entries, the volume bit map, and the
// seedling, sapling and tree files.
//
// Every block pointer comes from the image and may be anything: reads fail
// cleanly past the end of the file, directory chains stop at a block they
// have already visited, and file reads are bounded by the entry's eof.
#include "disk/prodos.h"

#include <algorithm>
#include <bitset>
#include <cstring>
#include <memory>

#include "disk/byte_reader.h"
#include "disk/dos33.h"
#include "disk/file_types.h"
#include "disk/image.h"

namespace {

constexpr int kDirectoryHeaderOffset = 4;  // first entry of a directory block
constexpr int kHeaderEntryLengthByte = 35;
constexpr int kHeaderEntriesPerBlockByte = 36;
constexpr int kStorageVolumeHeader = 15;
constexpr int kStorageSubdirectoryHeader = 14;
constexpr int kStorageSeedling = 1;
constexpr int kStorageSapling = 2;
constexpr int kStorageTree = 3;
constexpr int kAccessWrite = 0x02;
constexpr int kMaxBlocks = 65536;            // block numbers are 16-bit
constexpr int kPointersPerIndexBlock = 256;  // a sapling's data blocks
constexpr int kTreeIndexBlocks = 128;        // a tree's index blocks (24-bit eof)
constexpr int kBlocksPerBitMapBlock = 4096;  // 512 bytes of 8 bits

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
void ListChain(const std::string& imagePath, int layout, int block, BlockBuffer& buffer, int entriesPerBlock,
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
                currentPrefix = "/" + EntryName(buffer, offset) + "/";
            } else if (storageType == kStorageSubdirectoryHeader) {
                currentPrefix += EntryName(buffer, offset) + "/";
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
        if (!ReadVolumeBlock(buffer, next, imagePath, layout)) return;
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

int CountFreeBlocks(const BlockBuffer& bitMap, int firstBlock, int volumeTotal)
{
    int free = 0;
    for (int bit = 0; bit < kBlocksPerBitMapBlock && firstBlock + bit < volumeTotal; ++bit)
        if (bitMap[static_cast<size_t>(bit / 8)] & (0x80 >> (bit % 8))) ++free;
    return free;
}

// Reads one block of a file for the readers below.
class BlockSource {
public:
    BlockSource(const std::string& imagePath, bool dosOrder) : path_(imagePath), dosOrder_(dosOrder) {}
    bool Read(BlockBuffer& buffer, int block)
    {
        // Each DOS-order block opens the image anew; block order keeps one handle.
        if (dosOrder_) return ReadBlockDosOrder(buffer, block, path_);
        if (!opened_) {
            opened_ = true;
            if (!image_.Open(path_)) return false;
        }
        return ReadBlockFrom(image_, buffer, block);
    }

private:
    const std::string& path_;
    bool dosOrder_;
    bool opened_ = false;
    ImageFile image_;
};

int IndexPointer(const BlockBuffer& index, int k) { return index[static_cast<size_t>(k)] | (index[256 + static_cast<size_t>(k)] << 8); }

// Copies the data blocks named by one index block into `out` from `base` on,
// up to the end of `out`. A zero pointer is a block the file does not store.
bool ReadIndexedBlocks(BlockSource& source, const BlockBuffer& index, std::vector<uint8_t>& out, size_t base)
{
    BlockBuffer data;
    for (int k = 0; k < kPointersPerIndexBlock; ++k) {
        size_t offset = base + static_cast<size_t>(k) * kBlockBytes;
        if (offset >= out.size()) break;
        int pointer = IndexPointer(index, k);
        if (pointer == 0) continue;  // already zero
        if (!source.Read(data, pointer)) return false;
        size_t count = std::min<size_t>(kBlockBytes, out.size() - offset);
        std::memcpy(out.data() + offset, data.data(), count);
    }
    return true;
}

int ReadFile(EntryRef ref, const std::string& imagePath, std::vector<uint8_t>& out, bool dosOrder)
{
    FileEntry entry;
    out.clear();
    if (DecodeProdosEntry(ref, imagePath, dosOrder ? LayoutProdosDosOrder : LayoutProdos, entry) < 0) return -1;
    int storage = entry.storageType;
    if (storage != kStorageSeedling && storage != kStorageSapling && (storage != kStorageTree || dosOrder))
        return -3;
    out.assign(static_cast<size_t>(entry.eof), 0);
    BlockSource source(imagePath, dosOrder);
    BlockBuffer key;
    if (!source.Read(key, entry.keyPointer)) return -2;
    if (storage == kStorageSeedling) {
        // Past its one block a seedling reads as zeros.
        if (!out.empty()) std::memcpy(out.data(), key.data(), std::min<size_t>(kBlockBytes, out.size()));
        return storage;
    }
    if (storage == kStorageSapling) return ReadIndexedBlocks(source, key, out, 0) ? storage : -2;
    constexpr size_t kBytesPerIndexBlock = static_cast<size_t>(kPointersPerIndexBlock) * kBlockBytes;
    BlockBuffer index;
    for (int i = 0; i < kTreeIndexBlocks; ++i) {
        size_t base = static_cast<size_t>(i) * kBytesPerIndexBlock;
        if (base >= out.size()) break;
        int pointer = IndexPointer(key, i);
        if (pointer == 0) continue;  // a whole index block the file does not store
        if (!source.Read(index, pointer)) return -2;
        if (!ReadIndexedBlocks(source, index, out, base)) return -2;
    }
    return storage;
}

}  // namespace

DirectoryListing ListProdosVolume(const std::string& imagePath, int layout, std::string& currentPrefix)
{
    DirectoryListing listing;
    BlockBuffer buffer;
    if (!ReadVolumeBlock(buffer, kVolumeDirectoryBlock, imagePath, layout)) return listing;
    if (buffer[kHeaderEntryLengthByte] != kProdosEntryLength ||
        buffer[kHeaderEntriesPerBlockByte] != kProdosEntriesPerBlock) {
        listing.message = Message::UnknownImageFormat;
        return listing;
    }
    ListChain(imagePath, layout, kVolumeDirectoryBlock, buffer, kProdosEntriesPerBlock, currentPrefix, listing);
    return listing;
}

int SubdirectoryKeyBlock(const std::string& imagePath, int layout, EntryRef subdirectory)
{
    BlockBuffer buffer;
    int index = ProdosRefIndex(subdirectory);
    if (index >= kProdosEntriesPerBlock) return -1;
    if (!ReadVolumeBlock(buffer, ProdosRefBlock(subdirectory), imagePath, layout)) return -1;
    int offset = kDirectoryHeaderOffset + index * kProdosEntryLength;
    return buffer[static_cast<size_t>(offset) + 17] | (buffer[static_cast<size_t>(offset) + 18] << 8);
}

DirectoryListing ListProdosSubdirectory(const std::string& imagePath, int layout, EntryRef subdirectory,
                                        std::string& currentPrefix)
{
    DirectoryListing listing;
    BlockBuffer buffer;
    int keyBlock = SubdirectoryKeyBlock(imagePath, layout, subdirectory);
    if (keyBlock < 0 || !ReadVolumeBlock(buffer, keyBlock, imagePath, layout)) return listing;
    // Entries are decoded at 39 bytes each, so a header that says otherwise
    // does not describe a directory this program can read.
    if (buffer[kHeaderEntryLengthByte] != kProdosEntryLength) {
        listing.message = Message::UnknownImageFormat;
        return listing;
    }
    ListChain(imagePath, layout, keyBlock, buffer, buffer[kHeaderEntriesPerBlockByte], currentPrefix, listing);
    return listing;
}

DirectoryListing ListProdosDirectory(const std::string& imagePath, int extensionIndex, int& layout,
                                     int level, EntryRef subdirectory, std::string& currentPrefix)
{
    if (level <= 0) return {};
    layout = DecideImageLayout(extensionIndex, imagePath);
    if (layout == LayoutNone) {
        DirectoryListing listing;
        listing.message = Message::UnknownImageFormat;
        return listing;
    }
    if (layout == LayoutDos33) return ListDosCatalog(imagePath, currentPrefix);
    if (level == 1) return ListProdosVolume(imagePath, layout, currentPrefix);
    return ListProdosSubdirectory(imagePath, layout, subdirectory, currentPrefix);
}

int DecodeProdosEntry(EntryRef ref, const std::string& imagePath, int layout, FileEntry& entry)
{
    entry = FileEntry{};
    int index = ProdosRefIndex(ref);
    BlockBuffer block;
    if (index >= kProdosEntriesPerBlock) return -1;
    if (!ReadVolumeBlock(block, ProdosRefBlock(ref), imagePath, layout)) return -1;
    if (!FillEntryFields(block, kDirectoryHeaderOffset + index * kProdosEntryLength, entry)) return -1;
    entry.layout = layout;

    if (!ReadVolumeBlock(block, kVolumeDirectoryBlock, imagePath, layout)) return -1;
    ByteReader volume{std::span<const uint8_t>(block)};
    entry.volumeTotal = static_cast<int>(volume.U16(41));
    entry.volumeCreatedDate = static_cast<int>(volume.U16(28));
    entry.volumeCreatedTime = static_cast<int>(volume.U16(30));
    entry.volumeFileCount = static_cast<int>(volume.U16(37));
    int bitMapStart = static_cast<int>(volume.U16(39));

    int bitMapBlocks = (entry.volumeTotal + kBlocksPerBitMapBlock - 1) / kBlocksPerBitMapBlock;
    int free = 0;
    for (int i = 0; i < bitMapBlocks; ++i) {
        if (!ReadVolumeBlock(block, bitMapStart + i, imagePath, layout)) return -1;
        free += CountFreeBlocks(block, i * kBlocksPerBitMapBlock, entry.volumeTotal);
    }
    entry.volumeFreeBytes = free * kBlockBytes;
    return 0;
}

int ReadProdosFile(EntryRef ref, const std::string& imagePath, std::vector<uint8_t>& out)
{
    return ReadFile(ref, imagePath, out, false);
}

int ReadProdosFileDosOrder(EntryRef ref, const std::string& imagePath, std::vector<uint8_t>& out)
{
    return ReadFile(ref, imagePath, out, true);
}
