// Creating, replacing, deleting, renaming and locking ProDOS files and
// creating folders, laid out as ProDOS itself lays them out: the lowest free
// block each time, in the order a file takes blocks as it grows.
//
// Every block a change writes is kept aside and reaches the volume only once
// the whole change has been made, so a refusal at any point changes nothing.
#include "core/disk/prodos_writer.h"

#include <algorithm>
#include <functional>
#include <map>

#include "core/basic/applesoft_tokens.h"
#include "core/disk/apple_names.h"
#include "core/disk/file_type_codes.h"
#include "core/disk/image.h"
#include "core/disk/prodos.h"
#include "core/disk/prodos_check.h"
#include "core/disk/prodos_text.h"
#include "core/disk/volume.h"
#include "core/text/ascii.h"

namespace {

constexpr int kUnlockedAccess = 0xE3;      // destroy, rename, backup, write, read: a new file, or UNLOCK
constexpr int kLockedAccess = 0x21;        // backup and read: BASIC.SYSTEM's LOCK
constexpr int kFolderHeaderAccess = 0xC3;  // a new folder's own header, as ProDOS writes it
constexpr int kFolderHeaderMarker = 0x75;  // byte $14 of every subdirectory header
constexpr int kMaxEof = 0xFFFFFF;          // the 24-bit end of file

int Get16(const BlockBuffer& b, size_t at) { return b[at] | (b[at + 1] << 8); }
void Put16(BlockBuffer& b, size_t at, int value)
{
    b[at] = static_cast<uint8_t>(value & 0xFF);
    b[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}
void PutPointer(BlockBuffer& index, int k, int block)
{
    index[static_cast<size_t>(k)] = static_cast<uint8_t>(block & 0xFF);
    index[256 + static_cast<size_t>(k)] = static_cast<uint8_t>(block >> 8);
}
void PutStamp(BlockBuffer& b, size_t at, ProdosStamp stamp)
{
    Put16(b, at, stamp.date);
    Put16(b, at + 2, stamp.time);
}
size_t EntryOffset(int slot) { return static_cast<size_t>(kDirectoryHeaderOffset + slot * kProdosEntryLength); }

// Storage type, name length and name: the first 16 bytes of an entry or header.
void PutName(BlockBuffer& b, size_t at, int storage, std::string_view name)
{
    b[at] = static_cast<uint8_t>(storage << 4 | static_cast<int>(name.size()));
    for (size_t i = 0; i < kProdosNameMaxChars; ++i)
        b[at + 1 + i] = i < name.size() ? static_cast<uint8_t>(name[i]) : 0;
}

std::string Upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = AsciiUpper(c);
    return out;
}

// The blocks a change writes and the bit map it changes, kept until Commit.
class Pending {
public:
    Pending(Volume& volume, const ProdosVolumeCheck& check)
        : volume_(volume), total_(check.totalBlocks), bitMapStart_(check.bitMapStart)
    {
        int bitMapBlocks = (total_ + kBlocksPerBitMapBlock - 1) / kBlocksPerBitMapBlock;
        bits_.resize(static_cast<size_t>(bitMapBlocks) * kBlockBytes);
        for (int i = 0; i < bitMapBlocks; ++i) {
            BlockBuffer block = Read(bitMapStart_ + i);
            std::copy(block.begin(), block.end(), bits_.begin() + static_cast<ptrdiff_t>(i) * kBlockBytes);
        }
    }

    int Total() const { return total_; }
    const Volume& Original() const { return volume_; }

    BlockBuffer Read(int block) const
    {
        if (auto it = changed_.find(block); it != changed_.end()) return it->second;
        BlockBuffer out{};
        volume_.ReadBlock(block, out);
        return out;
    }
    void Write(int block, const BlockBuffer& buffer) { changed_[block] = buffer; }

    bool Free(int block) const { return bits_[static_cast<size_t>(block / 8)] & (0x80 >> (block % 8)); }
    void Release(int block)
    {
        bits_[static_cast<size_t>(block / 8)] |= static_cast<uint8_t>(0x80 >> (block % 8));
        lowest_ = std::min(lowest_, block);
    }
    int FreeCount() const
    {
        int free = 0;
        for (int b = 0; b < total_; ++b) free += Free(b);
        return free;
    }
    // The lowest free block, now used; the caller has counted that there is one.
    int Take()
    {
        while (lowest_ < total_ && !Free(lowest_)) ++lowest_;
        int block = lowest_;
        bits_[static_cast<size_t>(block / 8)] &= static_cast<uint8_t>(~(0x80 >> (block % 8)));
        return block;
    }

    void Commit()
    {
        for (size_t i = 0; i * kBlockBytes < bits_.size(); ++i) {
            BlockBuffer block;
            std::copy_n(bits_.begin() + static_cast<ptrdiff_t>(i * kBlockBytes), kBlockBytes, block.begin());
            Write(bitMapStart_ + static_cast<int>(i), block);
        }
        for (const auto& [block, buffer] : changed_) volume_.WriteBlock(block, buffer);
    }

private:
    Volume& volume_;
    int total_;
    int bitMapStart_;
    std::vector<uint8_t> bits_;
    std::map<int, BlockBuffer> changed_;
    int lowest_ = 0;
};

// An entry's place: its directory block and its slot there (the key
// block's slot 0 is the directory's own header).
struct Place {
    int block = 0;
    int slot = -1;
    bool Found() const { return slot >= 0; }
};

// What a path names, found before anything is changed.
struct Target {
    std::string path;  // upper case
    std::string name;
    int folderKey = kVolumeDirectoryBlock;
    Place folderEntry;  // the folder's own entry, when it is a subdirectory
    Place entry;        // the named entry, when there is one
    Place freeSlot;     // the folder's first unused entry, when it has one
    int lastFolderBlock = kVolumeDirectoryBlock;
};

void ScanFolder(const Pending& pending, int key, std::string_view name, Target& target)
{
    target.entry = target.freeSlot = Place{};
    for (int b = key, guard = 0; b != 0 && guard < pending.Total(); ++guard) {
        BlockBuffer buffer = pending.Read(b);
        for (int slot = b == key ? 1 : 0; slot < kProdosEntriesPerBlock; ++slot) {
            size_t at = EntryOffset(slot);
            if (buffer[at] >> 4 == kStorageDeleted) {
                if (!target.freeSlot.Found()) target.freeSlot = {b, slot};
                continue;
            }
            std::string_view entryName(reinterpret_cast<const char*>(&buffer[at + 1]), buffer[at] & 0x0F);
            if (!target.entry.Found() && entryName == name) target.entry = {b, slot};
        }
        target.lastFolderBlock = b;
        b = Get16(buffer, 2);
    }
}

DiskChange Locate(const Pending& pending, const ProdosVolumeCheck& check, std::string path, Target& target)
{
    target.path = std::move(path);
    std::vector<std::string_view> names;
    for (std::string_view rest = std::string_view(target.path).substr(1); !rest.empty();) {
        size_t slash = rest.find('/');
        names.push_back(rest.substr(0, slash));
        rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash + 1);
    }
    DiskChange missing{Message::AppleFileNotFound, target.path, 0};
    if (names.size() < 2 || names[0] != check.volumeName) return missing;
    for (size_t i = 1; i + 1 < names.size(); ++i) {
        ScanFolder(pending, target.folderKey, names[i], target);
        if (!target.entry.Found()) return missing;
        BlockBuffer block = pending.Read(target.entry.block);
        size_t at = EntryOffset(target.entry.slot);
        if (block[at] >> 4 != kStorageSubdirectory) return missing;
        target.folderEntry = target.entry;
        target.folderKey = Get16(block, at + kEntryKeyByte);
    }
    target.name = names.back();
    ScanFolder(pending, target.folderKey, target.name, target);
    return {};
}

// Runs `body` on what `path` names once the volume has passed its check
// and the names theirs; the blocks it writes reach the volume only if it
// returns a change made.
template <class Body>
DiskChange Change(Volume& volume, std::string_view path, Body body)
{
    ProdosVolumeCheck check = CheckProdosVolume(volume);
    if (!check.Writable()) return check.damage;
    AppleNameRefusal names = RefuseApplePath(LayoutProdos, path);
    if (names.message != Message::None) return {names.message, names.text, names.value};
    Pending pending(volume, check);
    Target target;
    if (DiskChange found = Locate(pending, check, Upper(path), target); !found.Made()) return found;
    if (check.Shares(target.path)) return {Message::SharedSectors, target.path, 0};
    DiskChange change = body(pending, target, check);
    if (change.Made()) pending.Commit();
    return change;
}

void AddToFileCount(Pending& pending, int folderKey, int delta)
{
    BlockBuffer key = pending.Read(folderKey);
    Put16(key, kHeaderFileCountByte, std::max(0, Get16(key, kHeaderFileCountByte) + delta));
    pending.Write(folderKey, key);
}

// Finds room for `blocks` more and an entry, giving a full subdirectory one
// more directory block (before the file's own, as ProDOS takes them). The
// volume directory keeps its four blocks.
DiskChange MakeRoom(Pending& pending, Target& target, int blocks)
{
    bool grow = !target.freeSlot.Found();
    if (grow && target.folderKey == kVolumeDirectoryBlock) return {Message::CatalogFull, target.path, 0};
    if (blocks + (grow ? 1 : 0) > pending.FreeCount()) return {Message::DiskFull, target.path, 0};
    if (!grow) return {};
    int added = pending.Take();
    BlockBuffer fresh{};
    Put16(fresh, 0, target.lastFolderBlock);
    pending.Write(added, fresh);
    BlockBuffer last = pending.Read(target.lastFolderBlock);
    Put16(last, 2, added);
    pending.Write(target.lastFolderBlock, last);
    // The folder's entry counts its blocks and its length in bytes.
    BlockBuffer parent = pending.Read(target.folderEntry.block);
    size_t at = EntryOffset(target.folderEntry.slot);
    Put16(parent, at + kEntryBlocksUsedByte, Get16(parent, at + kEntryBlocksUsedByte) + 1);
    int eof = Get16(parent, at + kEntryEofByte) | parent[at + kEntryEofByte + 2] << 16;
    eof += kBlockBytes;
    Put16(parent, at + kEntryEofByte, eof & 0xFFFF);
    parent[at + kEntryEofByte + 2] = static_cast<uint8_t>(eof >> 16);
    pending.Write(target.folderEntry.block, parent);
    target.freeSlot = {added, 0};
    return {};
}

int DataBlocks(size_t size) { return std::max(1, static_cast<int>((size + kBlockBytes - 1) / kBlockBytes)); }

// Data blocks and index blocks: a sapling has one index block, a tree its
// master index block and one index block per 256 data blocks.
int FileBlocks(size_t size)
{
    int data = DataBlocks(size);
    if (data == 1) return 1;
    if (data <= kPointersPerIndexBlock) return data + 1;
    return data + 1 + (data + kPointersPerIndexBlock - 1) / kPointersPerIndexBlock;
}

struct Stored {
    int storage = kStorageSeedling;
    int key = 0;
    int blocksUsed = 0;
};

// Writes the file as ProDOS does while it grows: its first data block, then
// the index block and the next data blocks; past 256 data blocks the master
// index block, then each new index block before its data blocks.
Stored WriteFileBlocks(Pending& pending, std::span<const uint8_t> bytes)
{
    int dataBlocks = DataBlocks(bytes.size());
    Stored stored;
    auto data = [&](int k) {
        BlockBuffer block{};
        size_t from = static_cast<size_t>(k) * kBlockBytes;
        if (from < bytes.size())
            std::copy_n(bytes.begin() + static_cast<ptrdiff_t>(from), std::min<size_t>(kBlockBytes, bytes.size() - from),
                        block.begin());
        int b = pending.Take();
        pending.Write(b, block);
        ++stored.blocksUsed;
        return b;
    };
    int first = data(0);
    if (dataBlocks == 1) return {kStorageSeedling, first, 1};
    BlockBuffer index{}, master{};
    int indexBlock = pending.Take(), masterBlock = 0;
    ++stored.blocksUsed;
    PutPointer(index, 0, first);
    for (int k = 1; k < dataBlocks; ++k) {
        if (k % kPointersPerIndexBlock == 0) {
            pending.Write(indexBlock, index);
            if (masterBlock == 0) {
                masterBlock = pending.Take();
                ++stored.blocksUsed;
                PutPointer(master, 0, indexBlock);
            }
            index = {};
            indexBlock = pending.Take();
            ++stored.blocksUsed;
            PutPointer(master, k / kPointersPerIndexBlock, indexBlock);
        }
        PutPointer(index, k % kPointersPerIndexBlock, data(k));
    }
    pending.Write(indexBlock, index);
    if (masterBlock == 0) return {kStorageSapling, indexBlock, stored.blocksUsed};
    pending.Write(masterBlock, master);
    return {kStorageTree, masterBlock, stored.blocksUsed};
}

// The fields of an entry that a file's contents set.
void PutContents(BlockBuffer& block, size_t at, const Stored& stored, std::string_view name,
                 const ProdosFileContents& contents, ProdosStamp modified)
{
    PutName(block, at, stored.storage, name);
    block[at + kEntryFileTypeByte] = static_cast<uint8_t>(contents.fileType);
    Put16(block, at + kEntryKeyByte, stored.key);
    Put16(block, at + kEntryBlocksUsedByte, stored.blocksUsed);
    int eof = static_cast<int>(contents.bytes.size());
    Put16(block, at + kEntryEofByte, eof & 0xFFFF);
    block[at + kEntryEofByte + 2] = static_cast<uint8_t>(eof >> 16);
    Put16(block, at + kEntryAuxTypeByte, contents.auxType);
    PutStamp(block, at + kEntryModifiedByte, modified);
}

// A new entry in the slot MakeRoom found: version and minimum version 0.
void PutNewEntry(Pending& pending, const Target& target, int access, ProdosStamp stamp,
                 const std::function<void(BlockBuffer&, size_t)>& fill)
{
    BlockBuffer block = pending.Read(target.freeSlot.block);
    size_t at = EntryOffset(target.freeSlot.slot);
    std::fill_n(block.begin() + static_cast<ptrdiff_t>(at), kProdosEntryLength, 0);
    PutStamp(block, at + kEntryCreatedByte, stamp);
    block[at + kEntryAccessByte] = static_cast<uint8_t>(access);
    Put16(block, at + kEntryHeaderPointerByte, target.folderKey);
    fill(block, at);
    pending.Write(target.freeSlot.block, block);
    AddToFileCount(pending, target.folderKey, 1);
}

int Access(const Pending& pending, const Place& place)
{
    return pending.Read(place.block)[EntryOffset(place.slot) + kEntryAccessByte];
}

// ProDOS swaps the halves of a deleted file's index blocks, leaving the
// pointers readable to a tool that brings the file back.
void SwapHalves(Pending& pending, int block)
{
    BlockBuffer b = pending.Read(block);
    std::swap_ranges(b.begin(), b.begin() + kSectorBytes, b.begin() + kSectorBytes);
    pending.Write(block, b);
}

}  // namespace

ProdosFileContents ApplesoftProdosFile(std::vector<uint8_t> program)
{
    return {kProdosApplesoftType, kApplesoftLoadAddress, std::move(program)};
}

ProdosFileContents IntegerProdosFile(std::vector<uint8_t> program) { return {kProdosIntegerType, 0, std::move(program)}; }

ProdosFileContents BinaryProdosFile(std::vector<uint8_t> bytes, int loadAddress)
{
    return {kProdosBinaryType, loadAddress, std::move(bytes)};
}

ProdosFileContents TextProdosFile(std::string_view text) { return {kProdosTextType, 0, ProdosTextBytes(text)}; }

DiskChange CreateProdosFile(Volume& volume, std::string_view path, const ProdosFileContents& contents,
                            ProdosStamp stamp)
{
    return Change(volume, path, [&](Pending& pending, Target& target, const ProdosVolumeCheck&) -> DiskChange {
        if (target.entry.Found()) return {Message::AppleFileExists, target.path, 0};
        if (contents.bytes.size() > kMaxEof) return {Message::DiskFull, target.path, 0};
        if (DiskChange room = MakeRoom(pending, target, FileBlocks(contents.bytes.size())); !room.Made()) return room;
        Stored stored = WriteFileBlocks(pending, contents.bytes);
        PutNewEntry(pending, target, kUnlockedAccess, stamp,
                    [&](BlockBuffer& block, size_t at) { PutContents(block, at, stored, target.name, contents, stamp); });
        return {};
    });
}

DiskChange ReplaceProdosFile(Volume& volume, std::string_view path, const ProdosFileContents& contents,
                             ProdosStamp stamp)
{
    return Change(volume, path, [&](Pending& pending, Target& target, const ProdosVolumeCheck& check) -> DiskChange {
        if (!target.entry.Found()) return {Message::AppleFileNotFound, target.path, 0};
        BlockBuffer block = pending.Read(target.entry.block);
        size_t at = EntryOffset(target.entry.slot);
        if (block[at] >> 4 == kStorageSubdirectory) return {Message::AppleFileExists, target.path, 0};
        if (!(block[at + kEntryAccessByte] & kAccessWrite)) return {Message::AppleFileLocked, target.path, 0};
        if (contents.bytes.size() > kMaxEof) return {Message::DiskFull, target.path, 0};
        std::vector<int> old;
        ProdosEntryBlocks(pending.Original(), check.totalBlocks, std::span(block).subspan(at, kProdosEntryLength), old);
        for (int b : old) pending.Release(b);
        if (FileBlocks(contents.bytes.size()) > pending.FreeCount()) return {Message::DiskFull, target.path, 0};
        Stored stored = WriteFileBlocks(pending, contents.bytes);
        PutContents(block, at, stored, target.name, contents, stamp);
        pending.Write(target.entry.block, block);
        return {};
    });
}

DiskChange DeleteProdosFile(Volume& volume, std::string_view path)
{
    return Change(volume, path, [&](Pending& pending, Target& target, const ProdosVolumeCheck& check) -> DiskChange {
        if (!target.entry.Found()) return {Message::AppleFileNotFound, target.path, 0};
        BlockBuffer block = pending.Read(target.entry.block);
        size_t at = EntryOffset(target.entry.slot);
        if (!(block[at + kEntryAccessByte] & kAccessDestroy)) return {Message::AppleFileLocked, target.path, 0};
        int storage = block[at] >> 4;
        int key = Get16(block, at + kEntryKeyByte);
        if (storage == kStorageSubdirectory) {
            BlockBuffer header = pending.Read(key);
            // An active entry counts even where the header's count says none.
            bool empty = Get16(header, kHeaderFileCountByte) == 0;
            for (int b = key, guard = 0; empty && b != 0 && guard < check.totalBlocks; ++guard) {
                BlockBuffer dir = pending.Read(b);
                for (int slot = b == key ? 1 : 0; slot < kProdosEntriesPerBlock; ++slot)
                    empty = empty && dir[EntryOffset(slot)] >> 4 == kStorageDeleted;
                b = Get16(dir, 2);
            }
            if (!empty) return {Message::FolderNotEmpty, target.path, 0};
            header[kDirectoryHeaderOffset] = 0;  // ProDOS clears the folder's own header too
            pending.Write(key, header);
        } else if (storage == kStorageSapling) {
            SwapHalves(pending, key);
        } else if (storage == kStorageTree) {
            BlockBuffer master = pending.Read(key);
            for (int i = 0; i < kTreeIndexBlocks; ++i)
                if (int index = master[static_cast<size_t>(i)] | master[256 + static_cast<size_t>(i)] << 8; index != 0)
                    SwapHalves(pending, index);
            SwapHalves(pending, key);
        }
        std::vector<int> blocks;
        ProdosEntryBlocks(pending.Original(), check.totalBlocks, std::span(block).subspan(at, kProdosEntryLength), blocks);
        for (int b : blocks) pending.Release(b);
        block[at] = 0;  // storage type and name length, as ProDOS leaves a deleted entry
        pending.Write(target.entry.block, block);
        AddToFileCount(pending, target.folderKey, -1);
        return {};
    });
}

DiskChange RenameProdosFile(Volume& volume, std::string_view path, std::string_view newName)
{
    return Change(volume, path, [&](Pending& pending, Target& target, const ProdosVolumeCheck&) -> DiskChange {
        if (!target.entry.Found()) return {Message::AppleFileNotFound, target.path, 0};
        std::string_view prefix = std::string_view(target.path).substr(0, target.path.rfind('/') + 1);
        AppleNameRefusal refusal = RefuseAppleNames(LayoutProdos, prefix, {newName});
        if (refusal.message != Message::None) return {refusal.message, refusal.text, refusal.value};
        Place entry = target.entry;
        if (Access(pending, entry) & kAccessRename) {
            std::string name = Upper(newName);
            ScanFolder(pending, target.folderKey, name, target);
            if (target.entry.Found() && (target.entry.block != entry.block || target.entry.slot != entry.slot))
                return {Message::AppleFileExists, std::string(prefix) + name, 0};
            BlockBuffer block = pending.Read(entry.block);
            size_t at = EntryOffset(entry.slot);
            int storage = block[at] >> 4;
            PutName(block, at, storage, name);
            // GS/OS keeps lower-case letters of the old name in the version
            // bytes when their top bit is set; they would not fit the new one.
            if (block[at + kEntryVersionByte + 1] & 0x80) Put16(block, at + kEntryVersionByte, 0);
            pending.Write(entry.block, block);
            if (storage == kStorageSubdirectory) {
                int key = Get16(block, at + kEntryKeyByte);
                BlockBuffer header = pending.Read(key);
                PutName(header, kDirectoryHeaderOffset, kStorageSubdirectoryHeader, name);
                pending.Write(key, header);
            }
            return {};
        }
        return {Message::AppleFileLocked, target.path, 0};
    });
}

DiskChange LockProdosFile(Volume& volume, std::string_view path, bool locked)
{
    return Change(volume, path, [&](Pending& pending, Target& target, const ProdosVolumeCheck&) -> DiskChange {
        if (!target.entry.Found()) return {Message::AppleFileNotFound, target.path, 0};
        BlockBuffer block = pending.Read(target.entry.block);
        block[EntryOffset(target.entry.slot) + kEntryAccessByte] =
            static_cast<uint8_t>(locked ? kLockedAccess : kUnlockedAccess);
        pending.Write(target.entry.block, block);
        return {};
    });
}

DiskChange CreateProdosFolder(Volume& volume, std::string_view path, ProdosStamp stamp)
{
    return Change(volume, path, [&](Pending& pending, Target& target, const ProdosVolumeCheck&) -> DiskChange {
        if (target.entry.Found()) return {Message::AppleFileExists, target.path, 0};
        if (DiskChange room = MakeRoom(pending, target, 1); !room.Made()) return room;
        int key = pending.Take();
        BlockBuffer header{};
        size_t h = kDirectoryHeaderOffset;
        PutName(header, h, kStorageSubdirectoryHeader, target.name);
        header[h + 16] = kFolderHeaderMarker;
        PutStamp(header, h + kEntryCreatedByte, stamp);
        header[h + kEntryAccessByte] = kFolderHeaderAccess;
        header[kHeaderEntryLengthByte] = kProdosEntryLength;
        header[kHeaderEntriesPerBlockByte] = kProdosEntriesPerBlock;
        Put16(header, kHeaderParentByte, target.freeSlot.block);
        header[kHeaderParentEntryByte] = static_cast<uint8_t>(target.freeSlot.slot + 1);
        header[kHeaderParentLengthByte] = kProdosEntryLength;
        pending.Write(key, header);
        PutNewEntry(pending, target, kUnlockedAccess, stamp, [&](BlockBuffer& block, size_t at) {
            PutName(block, at, kStorageSubdirectory, target.name);
            block[at + kEntryFileTypeByte] = kProdosDirectoryType;
            Put16(block, at + kEntryKeyByte, key);
            Put16(block, at + kEntryBlocksUsedByte, 1);
            Put16(block, at + kEntryEofByte, kBlockBytes);
            PutStamp(block, at + kEntryModifiedByte, stamp);
        });
        return {};
    });
}
