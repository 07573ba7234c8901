// Disk image access: extension table, layout detection, sector and block reads.
#include "disk/image.h"

#include <algorithm>
#include <cstring>

const std::string_view kImageExtensions[kImageExtensionCount] = {
    "", "dsk", "2mg", "hdv", "po", "do", "app", "nib", "fdi", "dc",
};

// Block position p takes sectors map[2p] (bytes 0-255) and map[2p+1] (256-511).
const int kBlockSectorMap[16] = {0, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 15};

namespace {

// Start of the DOS 3.3 boot sector.
constexpr uint8_t kDosBootSignature[32] = {
    0x01, 0xA5, 0x27, 0xC9, 0x09, 0xD0, 0x18, 0xA5, 0x2B, 0x4A, 0x4A, 0x4A, 0x4A, 0x09, 0xC0, 0x85,
    0x3F, 0xA9, 0x5C, 0x85, 0x3E, 0x18, 0xAD, 0xFE, 0x08, 0x6D, 0xFF, 0x08, 0x8D, 0xFE, 0x08, 0xAE,
};
// Start of the ProDOS boot block.
constexpr uint8_t kProdosBootSignature[5] = {0x01, 0x38, 0xB0, 0x03, 0x4C};
// What block order puts at byte 256 of a ProDOS boot block.
constexpr uint8_t kProdosSecondHalf[9] = {0x3F, 0x09, 0x26, 0x50, 0x52, 0x4F, 0x44, 0x4F, 0x53};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithIgnoringCase(std::string_view text, std::string_view tail)
{
    if (tail.size() > text.size()) return false;
    text.remove_prefix(text.size() - tail.size());
    for (size_t i = 0; i < tail.size(); ++i)
        if (Lower(text[i]) != Lower(tail[i])) return false;
    return true;
}

int Seek(std::FILE* file, uint64_t offset, int origin)
{
#ifdef _WIN32
    return _fseeki64(file, static_cast<long long>(offset), origin);
#else
    return fseeko(file, static_cast<off_t>(offset), origin);
#endif
}

int64_t Tell(std::FILE* file)
{
#ifdef _WIN32
    return _ftelli64(file);
#else
    return ftello(file);
#endif
}

}  // namespace

int ImageExtensionIndexOf(std::string_view fileName)
{
    for (int i = 1; i < kImageExtensionCount; ++i) {
        std::string dotted = ".";
        dotted += kImageExtensions[i];
        if (EndsWithIgnoringCase(fileName, dotted)) return i;
    }
    return 0;
}

bool ImageFile::Open(const std::string& imagePath)
{
    Close();
    file_ = std::fopen(imagePath.c_str(), "rb");
    if (!file_) return false;
    int64_t size = -1;
    if (Seek(file_, 0, SEEK_END) == 0) size = Tell(file_);
    if (size < 0) {
        Close();
        return false;
    }
    size_ = static_cast<uint64_t>(size);
    return true;
}

void ImageFile::Close()
{
    if (file_) std::fclose(file_);
    file_ = nullptr;
    size_ = 0;
}

bool ImageFile::ReadAt(uint64_t offset, std::span<uint8_t> out)
{
    if (!file_ || offset > size_ || out.size() > size_ - offset) return false;
    if (Seek(file_, offset, SEEK_SET) != 0) return false;
    return std::fread(out.data(), 1, out.size(), file_) == out.size();
}

bool ReadSectorFrom(ImageFile& image, SectorBuffer& buffer, int track, int sector)
{
    // A sector number beyond 15 would silently read the next track.
    if (track < 0 || sector < 0 || sector >= kSectorsPerTrack) return false;
    uint64_t offset = static_cast<uint64_t>(track) * kTrackBytes + static_cast<uint64_t>(sector) * kSectorBytes;
    return image.ReadAt(offset, buffer);
}

bool ReadBlockFrom(ImageFile& image, BlockBuffer& buffer, int block)
{
    if (block < 0) return false;
    return image.ReadAt(static_cast<uint64_t>(block) * kBlockBytes, buffer);
}

bool ReadBlockDosOrderFrom(ImageFile& image, BlockBuffer& buffer, int block)
{
    if (block < 0) return false;
    uint64_t track = static_cast<uint64_t>(block / kBlocksPerTrack);
    int p = block % kBlocksPerTrack;
    std::span<uint8_t> halves(buffer);
    uint64_t base = track * kTrackBytes;
    if (!image.ReadAt(base + static_cast<uint64_t>(kBlockSectorMap[2 * p]) * kSectorBytes,
                      halves.first(kSectorBytes)))
        return false;
    return image.ReadAt(base + static_cast<uint64_t>(kBlockSectorMap[2 * p + 1]) * kSectorBytes,
                        halves.last(kSectorBytes));
}

bool ReadSector(SectorBuffer& buffer, int track, int sector, const std::string& imagePath)
{
    ImageFile image;
    return image.Open(imagePath) && ReadSectorFrom(image, buffer, track, sector);
}

bool ReadBlock(BlockBuffer& buffer, int block, const std::string& imagePath)
{
    ImageFile image;
    return image.Open(imagePath) && ReadBlockFrom(image, buffer, block);
}

bool ReadBlockDosOrder(BlockBuffer& buffer, int block, const std::string& imagePath)
{
    ImageFile image;
    return image.Open(imagePath) && ReadBlockDosOrderFrom(image, buffer, block);
}

bool ReadVolumeBlock(BlockBuffer& buffer, int block, const std::string& imagePath, int layout)
{
    if (layout == LayoutProdosDosOrder) return ReadBlockDosOrder(buffer, block, imagePath);
    return ReadBlock(buffer, block, imagePath);
}

int DetectImageLayout(const std::string& imagePath)
{
    BlockBuffer block{};
    if (!ReadBlock(block, 0, imagePath)) block.fill(0);
    if (std::equal(std::begin(kDosBootSignature), std::end(kDosBootSignature), block.begin()))
        return LayoutDos33;
    if (!std::equal(std::begin(kProdosBootSignature), std::end(kProdosBootSignature), block.begin()))
        return LayoutNone;
    if (std::equal(std::begin(kProdosSecondHalf), std::end(kProdosSecondHalf), block.begin() + 256))
        return LayoutProdos;
    return LayoutProdosDosOrder;
}

int DecideImageLayout(int extensionIndex, const std::string& imagePath)
{
    switch (extensionIndex) {
    case kExtensionDsk: return DetectImageLayout(imagePath);
    case kExtensionHdv:
    case kExtensionPo: return LayoutProdos;
    case kExtensionDo: return LayoutDos33;
    default: return LayoutNone;
    }
}
