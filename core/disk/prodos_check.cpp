// Walks a ProDOS volume from its header down every folder and file, owning
// each block to one name, then holds the ownership against the bit map.
#include "core/disk/prodos_check.h"

#include <algorithm>
#include <deque>

#include "core/disk/byte_reader.h"
#include "core/disk/prodos.h"
#include "core/disk/volume.h"

namespace {

int Pointer(const BlockBuffer& block, int k) { return block[static_cast<size_t>(k)] | (block[256 + static_cast<size_t>(k)] << 8); }

std::string Beyond(int block, int total)
{
    return "points to block " + std::to_string(block) + ", past the volume's " + std::to_string(total) + " blocks";
}

// Reads an index block and adds its nonzero pointers, `count` of them.
std::string AddIndexed(const Volume& volume, int total, int indexBlock, int count, std::vector<int>& blocks)
{
    BlockBuffer index;
    if (indexBlock >= total) return Beyond(indexBlock, total);
    if (!volume.ReadBlock(indexBlock, index)) return "has an index block " + std::to_string(indexBlock) + " that cannot be read";
    for (int k = 0; k < count; ++k)
        if (int p = Pointer(index, k); p != 0) {
            if (p >= total) return Beyond(p, total);
            blocks.push_back(p);
        }
    return {};
}

// A file of storage type 1, 2 or 3 from its key block.
std::string AddStored(const Volume& volume, int total, int storage, int key, std::vector<int>& blocks)
{
    if (key == 0 || key >= total) return Beyond(key, total);
    blocks.push_back(key);
    if (storage == kStorageSeedling) return {};
    if (storage == kStorageSapling) return AddIndexed(volume, total, key, kPointersPerIndexBlock, blocks);
    size_t first = blocks.size();
    if (std::string problem = AddIndexed(volume, total, key, kTreeIndexBlocks, blocks); !problem.empty()) return problem;
    size_t last = blocks.size();
    for (size_t i = first; i < last; ++i)
        if (std::string problem = AddIndexed(volume, total, blocks[i], kPointersPerIndexBlock, blocks); !problem.empty())
            return problem;
    return {};
}

// Who owns each block, by a number into `names`; the first three are the volume's own.
enum : int { kNoOwner = -1, kBootOwner, kDirectoryOwner, kBitMapOwner };

class Walk {
public:
    Walk(const Volume& volume, ProdosVolumeCheck& check)
        : volume_(volume), check_(check), owners_(static_cast<size_t>(check.totalBlocks), kNoOwner)
    {
    }

    bool Damaged() const { return !check_.damage.Made(); }

    void Damage(std::string what, int block = 0)
    {
        if (Damaged()) return;
        check_.damage = {Message::DamagedVolume, std::move(what), block};
    }

    int Owner(std::string name)
    {
        names_.push_back(std::move(name));
        return static_cast<int>(names_.size()) - 1;
    }

    // False when the block already had an owner.
    bool Claim(int block, int owner)
    {
        int& was = owners_[static_cast<size_t>(block)];
        if (was == kNoOwner) {
            was = owner;
            return true;
        }
        if (was <= kBitMapOwner || owner <= kBitMapOwner) {
            Damage("block " + std::to_string(block) + " is used by both " + names_[static_cast<size_t>(was)] + " and " +
                       names_[static_cast<size_t>(owner)],
                   block);
        } else {
            Share(was);
            Share(owner);
        }
        return false;
    }

    // Every block of a directory chain; false (leaving it unwalked) when a
    // block of it is another's, so that a folder naming its own parent is
    // walked once.
    bool ClaimChain(int key, int owner, std::vector<int>& chain)
    {
        if (std::string problem = ProdosDirectoryChain(volume_, check_.totalBlocks, key, chain); !problem.empty()) {
            Damage(names_[static_cast<size_t>(owner)] + " " + problem, key);
            return false;
        }
        bool all = true;
        for (int b : chain) all = Claim(b, owner) && all;
        return all;
    }

    // The entries of the directory at `key`, whose blocks are already
    // claimed, and of every folder under it, breadth first.
    void Directory(int key, const std::string& path)
    {
        std::deque<std::pair<int, std::string>> folders{{key, path}};
        while (!folders.empty() && !Damaged()) {
            auto [folderKey, folderPath] = folders.front();
            folders.pop_front();
            std::vector<int> chain;
            ProdosDirectoryChain(volume_, check_.totalBlocks, folderKey, chain);
            for (int b : chain) Entries(b, b == folderKey, folderPath, folders);
        }
    }

    void CompareBitMap()
    {
        int total = check_.totalBlocks;
        BlockBuffer bits;
        for (int b = 0; b < total && !Damaged(); ++b) {
            if (b % kBlocksPerBitMapBlock == 0 && !volume_.ReadBlock(check_.bitMapStart + b / kBlocksPerBitMapBlock, bits)) {
                Damage("the volume bit map cannot be read", check_.bitMapStart + b / kBlocksPerBitMapBlock);
                return;
            }
            int at = b % kBlocksPerBitMapBlock;
            bool free = bits[static_cast<size_t>(at / 8)] & (0x80 >> (at % 8));
            int owner = owners_[static_cast<size_t>(b)];
            if (free && owner != kNoOwner)
                Damage("block " + std::to_string(b) + " is used by " + names_[static_cast<size_t>(owner)] +
                           " but marked free",
                       b);
        }
    }

private:
    void Share(int owner)
    {
        const std::string& name = names_[static_cast<size_t>(owner)];
        for (const std::string& s : check_.sharing)
            if (s == name) return;
        check_.sharing.push_back(name);
    }

    void Entries(int block, bool keyBlock, const std::string& folderPath,
                 std::deque<std::pair<int, std::string>>& folders)
    {
        BlockBuffer buffer;
        if (!volume_.ReadBlock(block, buffer)) return Damage("the folder " + folderPath + " cannot be read", block);
        for (int slot = keyBlock ? 1 : 0; slot < kProdosEntriesPerBlock && !Damaged(); ++slot) {
            std::span<const uint8_t> entry = std::span(buffer).subspan(
                static_cast<size_t>(kDirectoryHeaderOffset + slot * kProdosEntryLength), kProdosEntryLength);
            int storage = entry[0] >> 4;
            if (storage == kStorageDeleted) continue;
            std::string path = folderPath + "/";
            for (int i = 1; i <= (entry[0] & 0x0F); ++i) path += static_cast<char>(entry[static_cast<size_t>(i)]);
            int owner = Owner(path);
            if (storage == kStorageSubdirectory) {
                int key = entry[kEntryKeyByte] | (entry[kEntryKeyByte + 1] << 8);
                std::vector<int> chain;
                if (!ClaimChain(key, owner, chain)) continue;
                if (!FolderHeader(key, path)) return;
                folders.emplace_back(key, path);
                continue;
            }
            std::vector<int> blocks;
            if (std::string problem = ProdosEntryBlocks(volume_, check_.totalBlocks, entry, blocks); !problem.empty())
                return Damage(path + " " + problem, block);
            for (int b : blocks) Claim(b, owner);
        }
    }

    bool FolderHeader(int key, const std::string& path)
    {
        BlockBuffer header;
        volume_.ReadBlock(key, header);
        if (header[kDirectoryHeaderOffset] >> 4 == kStorageSubdirectoryHeader &&
            header[kHeaderEntryLengthByte] == kProdosEntryLength && header[kHeaderEntriesPerBlockByte] == kProdosEntriesPerBlock)
            return true;
        Damage("the folder " + path + " has a header this program cannot read", key);
        return false;
    }

    const Volume& volume_;
    ProdosVolumeCheck& check_;
    std::vector<int> owners_;
    std::vector<std::string> names_{"the boot blocks", "the volume directory", "the volume bit map"};
};

}  // namespace

std::string ProdosDirectoryChain(const Volume& volume, int totalBlocks, int keyBlock, std::vector<int>& blocks)
{
    std::vector<bool> seen(static_cast<size_t>(std::max(totalBlocks, 0)));
    BlockBuffer buffer;
    for (int b = keyBlock; b != 0;) {
        if (b >= totalBlocks) return Beyond(b, totalBlocks);
        if (seen[static_cast<size_t>(b)]) return "has directory blocks that loop back to block " + std::to_string(b);
        seen[static_cast<size_t>(b)] = true;
        if (!volume.ReadBlock(b, buffer)) return "has a directory block " + std::to_string(b) + " that cannot be read";
        blocks.push_back(b);
        b = buffer[2] | (buffer[3] << 8);
    }
    return {};
}

std::string ProdosEntryBlocks(const Volume& volume, int totalBlocks, std::span<const uint8_t> entry,
                              std::vector<int>& blocks)
{
    ByteReader r(entry);
    int storage = static_cast<int>(r.U8(0) >> 4);
    int key = static_cast<int>(r.U16(kEntryKeyByte));
    switch (storage) {
    case kStorageSeedling:
    case kStorageSapling:
    case kStorageTree: return AddStored(volume, totalBlocks, storage, key, blocks);
    case kStorageSubdirectory: return ProdosDirectoryChain(volume, totalBlocks, key, blocks);
    case kStoragePascalArea: {
        int count = static_cast<int>(r.U16(kEntryBlocksUsedByte));
        if (key + count > totalBlocks) return Beyond(key + count - 1, totalBlocks);
        for (int b = key; b < key + count; ++b) blocks.push_back(b);
        return {};
    }
    case kStorageExtended: {
        // The key block holds a small entry for each fork: the data fork in
        // its first half, the resource fork in its second.
        if (key == 0 || key >= totalBlocks) return Beyond(key, totalBlocks);
        BlockBuffer forks;
        if (!volume.ReadBlock(key, forks)) return "has a key block that cannot be read";
        blocks.push_back(key);
        for (size_t half : {size_t{0}, size_t{256}}) {
            int forkStorage = forks[half] & 0x0F;
            int forkKey = forks[half + 1] | (forks[half + 2] << 8);
            if (forkStorage < kStorageSeedling || forkStorage > kStorageTree) return "has a fork this program does not know";
            if (std::string problem = AddStored(volume, totalBlocks, forkStorage, forkKey, blocks); !problem.empty())
                return problem;
        }
        return {};
    }
    default: return "has a storage type (" + std::to_string(storage) + ") this program does not know";
    }
}

bool ProdosVolumeCheck::Shares(std::string_view path) const
{
    for (const std::string& s : sharing)
        if (path == s || (path.size() > s.size() && path.starts_with(s) && path[s.size()] == '/')) return true;
    return false;
}

ProdosVolumeCheck CheckProdosVolume(const Volume& volume)
{
    ProdosVolumeCheck check;
    BlockBuffer header;
    auto damaged = [&](std::string what) {
        check.damage = {Message::DamagedVolume, std::move(what), kVolumeDirectoryBlock};
        return check;
    };
    if (!volume.ReadBlock(kVolumeDirectoryBlock, header)) return damaged("the volume directory cannot be read");
    if (header[kDirectoryHeaderOffset] >> 4 != kStorageVolumeHeader || header[kHeaderEntryLengthByte] != kProdosEntryLength ||
        header[kHeaderEntriesPerBlockByte] != kProdosEntriesPerBlock)
        return damaged("the volume directory has a header this program cannot read");
    for (int i = 1; i <= (header[kDirectoryHeaderOffset] & 0x0F); ++i)
        check.volumeName += static_cast<char>(header[static_cast<size_t>(kDirectoryHeaderOffset + i)]);
    check.totalBlocks = header[kHeaderTotalBlocksByte] | (header[kHeaderTotalBlocksByte + 1] << 8);
    check.bitMapStart = header[kHeaderBitMapByte] | (header[kHeaderBitMapByte + 1] << 8);
    if (check.totalBlocks > volume.BlockCount())
        return damaged("the volume says it has " + std::to_string(check.totalBlocks) + " blocks but the image holds " +
                       std::to_string(volume.BlockCount()));
    int bitMapBlocks = (check.totalBlocks + kBlocksPerBitMapBlock - 1) / kBlocksPerBitMapBlock;
    if (check.bitMapStart < kVolumeDirectoryBlock || check.bitMapStart + bitMapBlocks > check.totalBlocks)
        return damaged("the volume bit map lies outside the volume");

    Walk walk(volume, check);
    std::string root = "/" + check.volumeName;
    walk.Claim(0, kBootOwner);
    walk.Claim(1, kBootOwner);
    for (int b = 0; b < bitMapBlocks; ++b) walk.Claim(check.bitMapStart + b, kBitMapOwner);
    std::vector<int> chain;
    if (!walk.ClaimChain(kVolumeDirectoryBlock, kDirectoryOwner, chain)) {
        walk.Damage("the volume directory's blocks are used twice");
        return check;
    }
    walk.Directory(kVolumeDirectoryBlock, root);
    if (!walk.Damaged()) walk.CompareBitMap();
    return check;
}
