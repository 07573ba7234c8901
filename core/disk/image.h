// Disk image files: the extension table, the layout of an image, and reads of
// single DOS 3.3 sectors and ProDOS blocks. Images are only ever read.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/disk/containers/decoded_image.h"

constexpr int kSectorBytes = 256;      // one DOS 3.3 sector
constexpr int kBlockBytes = 512;       // one ProDOS block
constexpr int kSectorsPerTrack = 16;
constexpr int kTrackBytes = kSectorsPerTrack * kSectorBytes;  // 4096
constexpr int kBlocksPerTrack = kTrackBytes / kBlockBytes;    // 8

using SectorBuffer = std::array<uint8_t, kSectorBytes>;
using BlockBuffer = std::array<uint8_t, kBlockBytes>;

// The image extension table; its index is what the program stores, so new
// extensions are only ever appended. Entry 0 is empty and never matches.
constexpr int kImageExtensionCount = 14;
extern const std::string_view kImageExtensions[kImageExtensionCount];
constexpr int kExtensionDsk = 1;
constexpr int kExtension2mg = 2;
constexpr int kExtensionHdv = 3;
constexpr int kExtensionPo = 4;
constexpr int kExtensionDo = 5;
constexpr int kExtensionNib = 7;
constexpr int kExtension2img = 10;
constexpr int kExtensionNb2 = 11;
constexpr int kExtensionWoz = 12;
constexpr int kExtensionD13 = 13;

// The index of the extension that ends `fileName` ("." + entry, case
// ignored), or 0 when none does.
int ImageExtensionIndexOf(std::string_view fileName);

// Values of `ImageLayout`: how an image is to be read.
constexpr int LayoutNone = 0;
constexpr int LayoutDos33 = 1;           // DOS 3.3, sectors in DOS order
constexpr int LayoutProdos = 2;          // ProDOS, blocks in block order
constexpr int LayoutProdosDosOrder = 3;  // ProDOS stored in DOS sector order
constexpr int LayoutDos32 = 4;           // DOS 3.2, 13 sectors a track (only read)

// The layouts read through a DOS catalog, which has no folders.
constexpr bool IsDosLayout(int layout) { return layout == LayoutDos33 || layout == LayoutDos32; }

// DOS sector pairs of a block by its position in the track (block mod 8).
extern const int kBlockSectorMap[16];
// Where half 0 (bytes 0-255) or 1 of a block lies in an image in DOS sector order.
uint64_t DosOrderHalfOffset(int block, int half);

// A disk image as one operation reads it (a listing, the opening of a
// file): its file opened once, or its bytes already in memory. Reads are
// absolute and fail unless every requested byte lies inside the image, so a
// short image never yields stale data. An image in a container is taken out
// of it first: reads see its plain sectors, and one touching a sector that
// could not be decoded fails and is remembered.
class ImageFile {
public:
    ImageFile() = default;
    explicit ImageFile(const std::string& imagePath) { Open(imagePath); }
    explicit ImageFile(std::span<const uint8_t> bytes) { OpenBytes(bytes); }
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;
    ~ImageFile() { Close(); }

    // Regular files only: a FIFO or device named like an image is refused
    // without waiting for it. A file whose extension names a container is
    // read whole and decoded; true even when that fails (Container() says why).
    bool Open(const std::string& imagePath);
    // Borrows plain `bytes`, which must outlive the reads.
    void OpenBytes(std::span<const uint8_t> bytes);
    // Keeps a container's decoding and reads its plain bytes.
    void OpenDecoded(DecodedImage image);
    void Close();
    bool ReadAt(uint64_t offset, std::span<uint8_t> out);
    // Whether every one of those bytes lies inside the image.
    bool Holds(uint64_t offset, uint64_t count) const;
    uint64_t Size() const { return size_; }

    bool FromContainer() const { return fromContainer_; }
    // The container's decoding (its order, facts and failure); empty for a plain image.
    const DecodedImage& Container() const { return container_; }
    // The 256-byte sectors (numbered from the start of the plain bytes) that
    // reads were refused because the disk did not yield them, since the last
    // ForgetRefusedSectors.
    const std::vector<int>& RefusedSectors() const { return refused_; }
    void ForgetRefusedSectors() { refused_.clear(); }

private:
    bool ReadFile(uint64_t offset, std::span<uint8_t> out);
    bool FillWindow(uint64_t offset, size_t count);
    bool Unreadable(uint64_t offset, size_t count);

    static constexpr int kNoFile = -1;
    int file_ = kNoFile;  // the file's descriptor, when the image is one
    uint64_t size_ = 0;
    // What lies in memory: the whole image, or the window of the file last read.
    std::span<const uint8_t> view_;
    uint64_t viewOffset_ = 0;
    std::vector<uint8_t> window_;
    bool fromContainer_ = false;
    DecodedImage container_;
    std::vector<int> refused_;
};

// Each reader by path opens the image for its one read. They return false on
// any failure, including a sector or block that lies wholly or partly beyond
// the end of the image, and report nothing.
bool ReadSector(SectorBuffer& buffer, int track, int sector, const std::string& imagePath);
bool ReadBlock(BlockBuffer& buffer, int block, const std::string& imagePath);
bool ReadBlockDosOrder(BlockBuffer& buffer, int block, const std::string& imagePath);
// Reads a ProDOS block in the order `layout` says.
bool ReadVolumeBlock(BlockBuffer& buffer, int block, const std::string& imagePath, int layout);

// The same reads through an image already open (one opening for many reads).
bool ReadSectorFrom(ImageFile& image, SectorBuffer& buffer, int track, int sector);
bool ReadBlockFrom(ImageFile& image, BlockBuffer& buffer, int block);
bool ReadBlockDosOrderFrom(ImageFile& image, BlockBuffer& buffer, int block);
bool ReadVolumeBlockFrom(ImageFile& image, BlockBuffer& buffer, int block, int layout);
// Reads the blocks from `first` on that fill `out` (a multiple of 512 bytes):
// in block order they lie together and take one read.
bool ReadVolumeBlocksFrom(ImageFile& image, std::span<uint8_t> out, int first, int layout);
// Whether reading `count` blocks from `first` on would find them all inside the image.
bool VolumeBlocksInImage(const ImageFile& image, int first, int count, int layout);

// Looks at block 0 of a ".dsk" image: LayoutDos33, LayoutProdos,
// LayoutProdosDosOrder, or 0 when neither boot signature is there.
int DetectImageLayout(const std::string& imagePath);
int DetectImageLayout(ImageFile& image);

// The layout decision made before every listing: by extension, for ".dsk"
// by the boot block, and for an image taken out of its container by the
// container's order and the disk itself. 0 means the image holds nothing
// these readers can list.
int DecideImageLayout(int extensionIndex, const std::string& imagePath);
int DecideImageLayout(int extensionIndex, ImageFile& image);
