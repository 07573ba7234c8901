// Builds ProDOS and DOS 3.3 disk images in memory, with chosen files, for the
// tests and the benchmark, and writes them to temporary files.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "core/disk/file_entry.h"
#include "core/disk/image.h"

namespace fixture {

inline std::vector<uint8_t> Bytes(std::string_view text) { return std::vector<uint8_t>(text.begin(), text.end()); }

// A file in the system's temporary folder, removed again at the end of scope.
class TempImage {
public:
    TempImage(const std::vector<uint8_t>& bytes, std::string_view extension)
    {
        static int counter = 0;
        path_ = (std::filesystem::temp_directory_path() /
                 ("tavo_disk_" + std::to_string(reinterpret_cast<uintptr_t>(this) % 100000) + "_" +
                  std::to_string(++counter) + "." + std::string(extension)))
                    .string();
        std::ofstream out(path_, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    ~TempImage() { std::remove(path_.c_str()); }
    TempImage(const TempImage&) = delete;
    TempImage& operator=(const TempImage&) = delete;
    const std::string& path() const { return path_; }
    std::string name() const { return std::filesystem::path(path_).filename().string(); }

private:
    std::string path_;
};

// ProDOS boot block starts: ProDOS 8 in block order carries "PRODOS" at byte 256.
inline void WriteProdosBootBlock(std::span<uint8_t> block0, bool blockOrderSignature)
{
    const uint8_t start[5] = {0x01, 0x38, 0xB0, 0x03, 0x4C};
    std::copy(std::begin(start), std::end(start), block0.begin());
    if (blockOrderSignature) {
        const uint8_t second[9] = {0x3F, 0x09, 0x26, 0x50, 0x52, 0x4F, 0x44, 0x4F, 0x53};
        std::copy(std::begin(second), std::end(second), block0.begin() + 256);
    }
}

// Block order to DOS sector order: DOS sector s of a track holds what block
// order keeps at the place the block-to-sector map gives it.
inline std::vector<uint8_t> ToDosOrder(const std::vector<uint8_t>& blockOrder)
{
    std::vector<uint8_t> dos(blockOrder.size(), 0);
    size_t tracks = blockOrder.size() / kTrackBytes;
    for (size_t t = 0; t < tracks; ++t)
        for (int p = 0; p < kBlocksPerTrack; ++p)
            for (int half = 0; half < 2; ++half) {
                size_t from = t * kTrackBytes + static_cast<size_t>(p) * kBlockBytes + static_cast<size_t>(half) * kSectorBytes;
                size_t to = t * kTrackBytes + static_cast<size_t>(kBlockSectorMap[2 * p + half]) * kSectorBytes;
                std::copy_n(blockOrder.begin() + static_cast<long>(from), kSectorBytes, dos.begin() + static_cast<long>(to));
            }
    return dos;
}

struct ProdosFileOptions {
    int fileType = 0x06;
    int auxType = 0;
    int access = 0xC3;
    uint16_t createdDate = 0, createdTime = 0, modifiedDate = 0, modifiedTime = 0;
    bool sparse = false;    // data blocks of zeros are not stored (pointer 0)
    int storageType = 0;    // 0: seedling, sapling or tree by size
    int eofOverride = -1;   // an eof other than the data's length
};

class ProdosBuilder {
public:
    static constexpr int kVolumeDirectoryBlocks = 4;

    ProdosBuilder(int totalBlocks, std::string_view volumeName, uint16_t createdDate = 0, uint16_t createdTime = 0)
        : total_(totalBlocks), image_(static_cast<size_t>(totalBlocks) * kBlockBytes, 0)
    {
        WriteProdosBootBlock(Block(0), true);
        bitMapStart_ = 2 + kVolumeDirectoryBlocks;
        int bitMapBlocks = (totalBlocks + 4095) / 4096;
        next_ = bitMapStart_ + bitMapBlocks;
        for (int b = next_; b < totalBlocks; ++b) SetFree(b, true);
        for (int i = 0; i < kVolumeDirectoryBlocks; ++i) {
            auto block = Block(2 + i);
            Put16(block, 0, i == 0 ? 0 : 2 + i - 1);
            Put16(block, 2, i + 1 < kVolumeDirectoryBlocks ? 2 + i + 1 : 0);
        }
        auto key = Block(2);
        WriteHeader(key, 0xF, volumeName);
        Put16(key, 4 + 24, createdDate);
        Put16(key, 4 + 26, createdTime);
        Put16(key, 39, bitMapStart_);
        Put16(key, 41, totalBlocks);
        dirs_.push_back({2, {2, 3, 4, 5}, 1});
    }

    int VolumeDirectory() const { return 0; }

    // A subdirectory in directory `parent` (a handle from this builder);
    // returns its handle.
    int AddDirectory(int parent, std::string_view name)
    {
        int key = Allocate();
        auto block = Block(key);
        WriteHeader(block, 0xE, name);
        EntryRef ref = AddEntry(parent, 0xD, name, 0x0F, key, 1, kBlockBytes, {});
        Put16(block, 39, ProdosRefBlock(ref));
        block[41] = static_cast<uint8_t>(ProdosRefIndex(ref));
        block[42] = 39;
        dirs_.push_back({key, {key}, 1});
        refs_.push_back(ref);
        return static_cast<int>(dirs_.size()) - 1;
    }

    EntryRef DirectoryRef(int handle) const { return refs_[static_cast<size_t>(handle) - 1]; }
    int DirectoryKeyBlock(int handle) const { return dirs_[static_cast<size_t>(handle)].key; }

    EntryRef AddFile(int directory, std::string_view name, const std::vector<uint8_t>& data,
                     const ProdosFileOptions& options = {})
    {
        int eof = options.eofOverride >= 0 ? options.eofOverride : static_cast<int>(data.size());
        size_t dataBlocks = std::max<size_t>(1, (data.size() + kBlockBytes - 1) / kBlockBytes);
        int storage = options.storageType;
        if (storage == 0) storage = dataBlocks <= 1 ? 1 : dataBlocks <= 256 ? 2 : 3;
        int used = 0;
        auto dataBlock = [&](size_t k) -> int {
            std::vector<uint8_t> chunk(kBlockBytes, 0);
            size_t from = k * kBlockBytes;
            if (from < data.size())
                std::copy_n(data.begin() + static_cast<long>(from), std::min<size_t>(kBlockBytes, data.size() - from),
                            chunk.begin());
            if (options.sparse && std::all_of(chunk.begin(), chunk.end(), [](uint8_t b) { return b == 0; })) return 0;
            int b = Allocate();
            std::copy(chunk.begin(), chunk.end(), Block(b).begin());
            ++used;
            return b;
        };
        int keyPointer = 0;
        if (storage == 1) {
            keyPointer = dataBlock(0);
            if (keyPointer == 0) keyPointer = Allocate(), ++used;
        } else if (storage == 2) {
            keyPointer = Allocate();
            ++used;
            for (size_t k = 0; k < dataBlocks && k < 256; ++k) SetPointer(keyPointer, static_cast<int>(k), dataBlock(k));
        } else {
            keyPointer = Allocate();
            ++used;
            for (size_t i = 0; i * 256 < dataBlocks && i < 128; ++i) {
                int index = Allocate();
                ++used;
                bool any = false;
                for (size_t k = 0; k < 256 && i * 256 + k < dataBlocks; ++k) {
                    int b = dataBlock(i * 256 + k);
                    any = any || b != 0;
                    SetPointer(index, static_cast<int>(k), b);
                }
                if (options.sparse && !any) {
                    --used;  // a whole index block of holes is not stored
                    continue;
                }
                SetPointer(keyPointer, static_cast<int>(i), index);
            }
        }
        return AddEntry(directory, storage, name, options.fileType, keyPointer, used, eof, options);
    }

    // Raw access, for damaging the image on purpose.
    std::span<uint8_t> Block(int block)
    {
        return std::span<uint8_t>(image_).subspan(static_cast<size_t>(block) * kBlockBytes, kBlockBytes);
    }
    std::span<uint8_t> Entry(EntryRef ref)
    {
        return Block(ProdosRefBlock(ref)).subspan(4 + static_cast<size_t>(ProdosRefIndex(ref)) * 39, 39);
    }
    void SetFree(int block, bool free)
    {
        size_t byte = static_cast<size_t>(bitMapStart_) * kBlockBytes + static_cast<size_t>(block / 8);
        uint8_t bit = static_cast<uint8_t>(0x80 >> (block % 8));
        image_[byte] = free ? (image_[byte] | bit) : (image_[byte] & ~bit);
    }
    int BitMapStart() const { return bitMapStart_; }
    int Allocate()
    {
        int b = next_++;
        SetFree(b, false);
        return b;
    }
    int FreeBlocks() const
    {
        int free = 0;
        for (int b = 0; b < total_; ++b)
            if (image_[static_cast<size_t>(bitMapStart_) * kBlockBytes + static_cast<size_t>(b / 8)] & (0x80 >> (b % 8))) ++free;
        return free;
    }

    const std::vector<uint8_t>& BlockOrder() const { return image_; }
    std::vector<uint8_t> DosOrder() const
    {
        std::vector<uint8_t> copy = image_;
        std::fill(copy.begin() + 256, copy.begin() + 512, 0);  // no block-order signature
        return ToDosOrder(copy);
    }

    static void Put16(std::span<uint8_t> bytes, size_t at, int value)
    {
        bytes[at] = static_cast<uint8_t>(value & 0xFF);
        bytes[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
    }

private:
    struct Directory {
        int key;
        std::vector<int> blocks;
        int nextIndex;  // next free entry index in the current block
        size_t current = 0;
    };

    static void WriteHeader(std::span<uint8_t> block, int storage, std::string_view name)
    {
        block[4] = static_cast<uint8_t>((storage << 4) | static_cast<int>(name.size()));
        std::copy(name.begin(), name.end(), block.begin() + 5);
        block[35] = 39;
        block[36] = 13;
    }

    void SetPointer(int indexBlock, int k, int pointer)
    {
        auto block = Block(indexBlock);
        block[static_cast<size_t>(k)] = static_cast<uint8_t>(pointer & 0xFF);
        block[256 + static_cast<size_t>(k)] = static_cast<uint8_t>(pointer >> 8);
    }

    EntryRef AddEntry(int directory, int storage, std::string_view name, int fileType, int keyPointer, int used,
                      int eof, const ProdosFileOptions& options)
    {
        Directory& dir = dirs_[static_cast<size_t>(directory)];
        if (dir.nextIndex == 13) {
            if (dir.current + 1 == dir.blocks.size()) {
                int b = Allocate();
                Put16(Block(dir.blocks.back()), 2, b);
                Put16(Block(b), 0, dir.blocks.back());
                dir.blocks.push_back(b);
            }
            ++dir.current;
            dir.nextIndex = 0;
        }
        int blockNumber = dir.blocks[dir.current];
        int index = dir.nextIndex++;
        EntryRef ref = MakeProdosEntryRef(blockNumber, index);
        auto e = Entry(ref);
        e[0] = static_cast<uint8_t>((storage << 4) | static_cast<int>(name.size()));
        std::copy(name.begin(), name.end(), e.begin() + 1);
        e[16] = static_cast<uint8_t>(fileType);
        Put16(e, 17, keyPointer);
        Put16(e, 19, used);
        e[21] = static_cast<uint8_t>(eof & 0xFF);
        e[22] = static_cast<uint8_t>((eof >> 8) & 0xFF);
        e[23] = static_cast<uint8_t>((eof >> 16) & 0xFF);
        Put16(e, 24, options.createdDate);
        Put16(e, 26, options.createdTime);
        e[30] = static_cast<uint8_t>(options.access);
        Put16(e, 31, options.auxType);
        Put16(e, 33, options.modifiedDate);
        Put16(e, 35, options.modifiedTime);
        Put16(e, 37, dir.key);
        // file count in the directory's header
        auto key = Block(dir.key);
        Put16(key, 37, key[37] + key[38] * 256 + 1);
        return ref;
    }

    int total_;
    std::vector<uint8_t> image_;
    int bitMapStart_ = 6;
    int next_ = 0;
    std::vector<Directory> dirs_;
    std::vector<EntryRef> refs_;
};

struct DosFileOptions {
    bool locked = false;
    int holesAfter = -1;  // a pair of track 0 after this many data sectors (a hole), then the rest
    int firstListOffset = 0;  // file sector offset written in the first list (bytes 5-6)
};

// A standard 35-track, 16-sector DOS 3.3 volume with its catalog on track 17.
class DosBuilder {
public:
    static constexpr int kTracks = 35;

    explicit DosBuilder(int volume = 254) : image_(static_cast<size_t>(kTracks) * kTrackBytes, 0)
    {
        const uint8_t boot[32] = {0x01, 0xA5, 0x27, 0xC9, 0x09, 0xD0, 0x18, 0xA5, 0x2B, 0x4A, 0x4A,
                                  0x4A, 0x4A, 0x09, 0xC0, 0x85, 0x3F, 0xA9, 0x5C, 0x85, 0x3E, 0x18,
                                  0xAD, 0xFE, 0x08, 0x6D, 0xFF, 0x08, 0x8D, 0xFE, 0x08, 0xAE};
        std::copy(std::begin(boot), std::end(boot), image_.begin());
        auto vtoc = Sector(17, 0);
        vtoc[1] = 17;
        vtoc[2] = 15;
        vtoc[3] = 3;
        vtoc[6] = static_cast<uint8_t>(volume);
        vtoc[39] = 122;
        vtoc[52] = kTracks;
        vtoc[53] = 16;
        for (int t = 1; t < kTracks; ++t)
            if (t != 17)
                for (int s = 0; s < 16; ++s) SetFree(t, s, true);
        for (int s = 15; s >= 1; --s) {
            auto cat = Sector(17, s);
            cat[1] = s > 1 ? 17 : 0;
            cat[2] = static_cast<uint8_t>(s > 1 ? s - 1 : 0);
        }
    }

    std::span<uint8_t> Sector(int track, int sector)
    {
        return std::span<uint8_t>(image_).subspan(static_cast<size_t>(track) * kTrackBytes +
                                                      static_cast<size_t>(sector) * kSectorBytes,
                                                  kSectorBytes);
    }
    std::span<uint8_t> Vtoc() { return Sector(17, 0); }

    void SetFree(int track, int sector, bool free)
    {
        size_t byte = 56 + 4 * static_cast<size_t>(track) + (sector >= 8 ? 0 : 1);
        uint8_t bit = static_cast<uint8_t>(1 << (sector % 8));
        auto vtoc = Sector(17, 0);
        vtoc[byte] = free ? (vtoc[byte] | bit) : (vtoc[byte] & ~bit);
    }

    std::pair<int, int> Allocate()
    {
        for (;;) {
            int t = nextTrack_, s = nextSector_;
            if (++nextSector_ == 16) {
                nextSector_ = 0;
                ++nextTrack_;
                if (nextTrack_ == 17) ++nextTrack_;
                if (nextTrack_ == kTracks) nextTrack_ = 1;
            }
            SetFree(t, s, false);
            return {t, s};
        }
    }

    // Adds a file whose data sectors hold `data` (header included, as stored).
    // `sectorCount` overrides the number of data sectors (0: as the data needs).
    EntryRef AddFile(std::string_view name, int type, const std::vector<uint8_t>& data,
                     const DosFileOptions& options = {}, int sectorCount = 0)
    {
        int sectors = sectorCount > 0 ? sectorCount : static_cast<int>((data.size() + 255) / 256);
        std::vector<std::pair<int, int>> lists;
        auto [listT, listS] = Allocate();
        lists.push_back({listT, listS});
        Sector(listT, listS)[5] = static_cast<uint8_t>(options.firstListOffset & 0xFF);
        Sector(listT, listS)[6] = static_cast<uint8_t>(options.firstListOffset >> 8);
        int pair = 0, listSectors = 1;
        for (int k = 0; k < sectors; ++k) {
            if (pair == 122) {
                auto [t, s] = Allocate();
                auto prev = Sector(lists.back().first, lists.back().second);
                prev[1] = static_cast<uint8_t>(t);
                prev[2] = static_cast<uint8_t>(s);
                lists.push_back({t, s});
                int offset = 122 * static_cast<int>(lists.size() - 1);
                Sector(t, s)[5] = static_cast<uint8_t>(offset & 0xFF);
                Sector(t, s)[6] = static_cast<uint8_t>(offset >> 8);
                pair = 0;
                ++listSectors;
            }
            auto list = Sector(lists.back().first, lists.back().second);
            if (k == options.holesAfter) {
                ++pair;  // this file sector is a hole
                if (pair == 122) continue;
            }
            auto [t, s] = Allocate();
            list[12 + 2 * static_cast<size_t>(pair)] = static_cast<uint8_t>(t);
            list[13 + 2 * static_cast<size_t>(pair)] = static_cast<uint8_t>(s);
            ++pair;
            auto sector = Sector(t, s);
            size_t from = static_cast<size_t>(k) * 256;
            if (from < data.size())
                std::copy_n(data.begin() + static_cast<long>(from), std::min<size_t>(256, data.size() - from), sector.begin());
        }
        return AddCatalogEntry(name, type | (options.locked ? 0x80 : 0), listT, listS, sectors + listSectors);
    }

    EntryRef AddCatalogEntry(std::string_view name, int typeByte, int listTrack, int listSector, int length)
    {
        int catSector = 15 - entries_ / 7;
        int index = entries_ % 7;
        ++entries_;
        auto cat = Sector(17, catSector);
        auto e = cat.subspan(11 + 35 * static_cast<size_t>(index), 35);
        e[0] = static_cast<uint8_t>(listTrack);
        e[1] = static_cast<uint8_t>(listSector);
        e[2] = static_cast<uint8_t>(typeByte);
        for (int i = 0; i < 30; ++i)
            e[3 + static_cast<size_t>(i)] = static_cast<uint8_t>((i < static_cast<int>(name.size()) ? name[static_cast<size_t>(i)] : ' ') | 0x80);
        e[33] = static_cast<uint8_t>(length & 0xFF);
        e[34] = static_cast<uint8_t>(length >> 8);
        return MakeDosEntryRef(17, catSector, index);
    }

    std::span<uint8_t> CatalogEntry(EntryRef ref)
    {
        return Sector(DosRefTrack(ref), DosRefSector(ref)).subspan(11 + 35 * static_cast<size_t>(DosRefIndex(ref)), 35);
    }
    // The first track/sector list of a file.
    std::span<uint8_t> FirstList(EntryRef ref)
    {
        auto e = CatalogEntry(ref);
        return Sector(e[0], e[1]);
    }

    const std::vector<uint8_t>& Bytes() const { return image_; }

private:
    std::vector<uint8_t> image_;
    int nextTrack_ = 18, nextSector_ = 0;
    int entries_ = 0;
};

// High-bit DOS 3.3 text: every character with bit 7 set, CR as $8D.
inline std::vector<uint8_t> DosText(std::string_view text)
{
    std::vector<uint8_t> out;
    for (char c : text) out.push_back(static_cast<uint8_t>((c == '\n' ? '\r' : c) | 0x80));
    return out;
}

}  // namespace fixture
