// Disk image access: extension table, layout detection, sector and block
// reads, and images taken out of their containers.
#include "core/disk/image.h"

#include <algorithm>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "core/disk/containers/container.h"
#include "core/disk/dos33.h"
#include "core/disk/prodos.h"
#include "core/text/ascii.h"

const std::string_view kImageExtensions[kImageExtensionCount] = {
    "", "dsk", "2mg", "hdv", "po", "do", "app", "nib", "fdi", "dc", "2img", "nb2", "woz", "d13",
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

// The window a small read fills: one track, so that the sectors of a track
// or the blocks of a directory chain that lie together cost one read, while
// a lone block costs little more than itself. Larger reads bypass it.
constexpr size_t kWindowBytes = 4 * 1024;

// A container file is read whole: none holding an Apple II disk comes near this.
constexpr uint64_t kLargestContainerBytes = 64 * 1024 * 1024;
// Enough refused sectors to name in a message.
constexpr size_t kRefusedSectorsKept = 16;

#ifdef _WIN32
// Gives the size of a regular file and opens it; anything else, such as a
// device name like CON or COM1, is refused before it is opened.
bool OpenRegularFile(const std::string& path, int& file, uint64_t& size)
{
    struct _stat64 info;
    if (_stat64(path.c_str(), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) return false;
    file = _open(path.c_str(), _O_RDONLY | _O_BINARY);
    size = static_cast<uint64_t>(info.st_size);
    return file >= 0;
}

size_t ReadFileAt(int file, uint64_t offset, std::span<uint8_t> out)
{
    if (_lseeki64(file, static_cast<long long>(offset), SEEK_SET) < 0) return 0;
    size_t done = 0;
    while (done < out.size()) {
        constexpr size_t kLargestRead = 1 << 30;
        int got = _read(file, out.data() + done, static_cast<unsigned>(std::min(out.size() - done, kLargestRead)));
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
}

void CloseFile(int file) { _close(file); }
#else
// Opens a file and gives its size if it is a regular file. Without
// O_NONBLOCK, opening a FIFO would wait for a writer before it could be refused.
bool OpenRegularFile(const std::string& path, int& file, uint64_t& size)
{
    file = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0) return false;
    struct stat info;
    if (fstat(file, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(file);
        return false;
    }
    size = static_cast<uint64_t>(info.st_size);
    return true;
}

size_t ReadFileAt(int file, uint64_t offset, std::span<uint8_t> out)
{
    size_t done = 0;
    while (done < out.size()) {
        ssize_t got = pread(file, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
}

void CloseFile(int file) { ::close(file); }
#endif

// One block in DOS sector order into 512 bytes of `out`.
bool ReadDosOrderBlockInto(ImageFile& image, std::span<uint8_t> out, int block)
{
    if (block < 0) return false;
    return image.ReadAt(DosOrderHalfOffset(block, 0), out.first(kSectorBytes)) &&
           image.ReadAt(DosOrderHalfOffset(block, 1), out.subspan(kSectorBytes, kSectorBytes));
}

// Sectors in DOS order hold DOS 3.3 or ProDOS. More than any DOS 3.3 disk
// holds is ProDOS; otherwise the boot block says which, and without a
// standard one (a disk DOS 3.3 wrote but did not make bootable) the VTOC or
// the volume directory does.
int DosOrderLayout(ImageFile& image)
{
    if (image.Size() > static_cast<uint64_t>(kDosLongTracks) * kTrackBytes) return LayoutProdosDosOrder;
    switch (DetectImageLayout(image)) {
    case LayoutDos33: return LayoutDos33;
    // The container's order, not the boot block's signature, says where the sectors lie.
    case LayoutProdos:
    case LayoutProdosDosOrder: return LayoutProdosDosOrder;
    default: break;
    }
    SectorBuffer vtoc;
    if (ReadSectorFrom(image, vtoc, kVtocTrack, kVtocSector) && IsStandardVtoc(vtoc)) return LayoutDos33;
    BlockBuffer directory;
    if (ReadBlockDosOrderFrom(image, directory, kVolumeDirectoryBlock) &&
        directory[kDirectoryHeaderOffset] >> 4 == kStorageVolumeHeader && IsVolumeDirectoryBlock(directory))
        return LayoutProdosDosOrder;
    return LayoutNone;
}

int ContainerLayout(ImageFile& image)
{
    const DecodedImage& container = image.Container();
    if (!container.Decoded()) return LayoutNone;
    switch (container.order) {
    case OrderDos: return DosOrderLayout(image);
    case OrderProdos: return LayoutProdos;
    case OrderDos32: return LayoutDos32;
    default: return LayoutNone;
    }
}

DecodedImage TooLarge()
{
    DecodedImage image;
    image.message = Message::DamagedContainer;
    image.detail = "the file is larger than any Apple II disk";
    return image;
}

}  // namespace

uint64_t DosOrderHalfOffset(int block, int half)
{
    uint64_t track = static_cast<uint64_t>(block / kBlocksPerTrack);
    int sector = kBlockSectorMap[2 * (block % kBlocksPerTrack) + half];
    return track * kTrackBytes + static_cast<uint64_t>(sector) * kSectorBytes;
}

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
    int file;
    uint64_t size;
    if (!OpenRegularFile(imagePath, file, size)) return false;
    file_ = file;
    size_ = size;
    const int extension = ImageExtensionIndexOf(imagePath);
    if (!IsContainerExtension(extension)) return true;
    if (size > kLargestContainerBytes) {
        OpenDecoded(TooLarge());
        return true;
    }
    std::vector<uint8_t> whole(static_cast<size_t>(size));
    if (!ReadFile(0, whole)) {
        Close();
        return false;
    }
    OpenDecoded(DecodeContainer(extension, whole));
    return true;
}

void ImageFile::OpenDecoded(DecodedImage image)
{
    Close();
    container_ = std::move(image);
    fromContainer_ = true;
    if (!container_.Decoded()) container_.bytes.clear();
    view_ = container_.bytes;
    size_ = container_.bytes.size();
}

void ImageFile::OpenBytes(std::span<const uint8_t> bytes)
{
    Close();
    view_ = bytes;
    size_ = bytes.size();
}

void ImageFile::Close()
{
    if (file_ != kNoFile) CloseFile(file_);
    file_ = kNoFile;
    size_ = viewOffset_ = 0;
    view_ = {};
    fromContainer_ = false;
    container_ = {};
    refused_.clear();
}

bool ImageFile::Holds(uint64_t offset, uint64_t count) const
{
    return offset <= size_ && count <= size_ - offset;
}

bool ImageFile::ReadAt(uint64_t offset, std::span<uint8_t> out)
{
    if (!Holds(offset, out.size())) return false;
    if (out.empty()) return true;
    if (Unreadable(offset, out.size())) return false;
    if (offset < viewOffset_ || offset + out.size() > viewOffset_ + view_.size()) {
        // Large reads go straight to the caller; small ones through the window.
        if (out.size() >= kWindowBytes) return ReadFile(offset, out);
        if (!FillWindow(offset, out.size())) return false;
    }
    std::memcpy(out.data(), view_.data() + (offset - viewOffset_), out.size());
    return true;
}

bool ImageFile::Unreadable(uint64_t offset, size_t count)
{
    if (container_.unreadable.empty()) return false;
    bool unreadable = false;
    for (uint64_t sector = offset / kSectorBytes; sector * kSectorBytes < offset + count; ++sector) {
        if (container_.Readable(static_cast<size_t>(sector))) continue;
        unreadable = true;
        int number = static_cast<int>(sector);
        if (refused_.size() < kRefusedSectorsKept && std::find(refused_.begin(), refused_.end(), number) == refused_.end())
            refused_.push_back(number);
    }
    return unreadable;
}

bool ImageFile::ReadFile(uint64_t offset, std::span<uint8_t> out)
{
    return file_ != kNoFile && ReadFileAt(file_, offset, out) == out.size();
}

bool ImageFile::FillWindow(uint64_t offset, size_t count)
{
    // Windows start at multiples of their size unless the read would cross one's end.
    uint64_t start = offset - offset % kWindowBytes;
    if (offset + count > start + kWindowBytes) start = offset;
    size_t length = static_cast<size_t>(std::min<uint64_t>(kWindowBytes, size_ - start));
    window_.resize(kWindowBytes);
    view_ = {};
    if (!ReadFile(start, std::span<uint8_t>(window_).first(length))) return false;
    view_ = std::span<const uint8_t>(window_).first(length);
    viewOffset_ = start;
    return true;
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
    return ReadDosOrderBlockInto(image, buffer, block);
}

bool ReadVolumeBlockFrom(ImageFile& image, BlockBuffer& buffer, int block, int layout)
{
    if (layout == LayoutProdosDosOrder) return ReadBlockDosOrderFrom(image, buffer, block);
    return ReadBlockFrom(image, buffer, block);
}

bool ReadVolumeBlocksFrom(ImageFile& image, std::span<uint8_t> out, int first, int layout)
{
    if (out.empty()) return true;
    if (first < 0) return false;
    if (layout != LayoutProdosDosOrder) return image.ReadAt(static_cast<uint64_t>(first) * kBlockBytes, out);
    for (size_t i = 0; i < out.size() / kBlockBytes; ++i)
        if (!ReadDosOrderBlockInto(image, out.subspan(i * kBlockBytes, kBlockBytes), first + static_cast<int>(i)))
            return false;
    return true;
}

bool ReadSector(SectorBuffer& buffer, int track, int sector, const std::string& imagePath)
{
    ImageFile image(imagePath);
    return ReadSectorFrom(image, buffer, track, sector);
}

bool ReadBlock(BlockBuffer& buffer, int block, const std::string& imagePath)
{
    ImageFile image(imagePath);
    return ReadBlockFrom(image, buffer, block);
}

bool ReadBlockDosOrder(BlockBuffer& buffer, int block, const std::string& imagePath)
{
    ImageFile image(imagePath);
    return ReadBlockDosOrderFrom(image, buffer, block);
}

bool ReadVolumeBlock(BlockBuffer& buffer, int block, const std::string& imagePath, int layout)
{
    ImageFile image(imagePath);
    return ReadVolumeBlockFrom(image, buffer, block, layout);
}

bool VolumeBlocksInImage(const ImageFile& image, int first, int count, int layout)
{
    if (count <= 0) return true;
    if (first < 0) return false;
    if (layout != LayoutProdosDosOrder)
        return image.Holds(static_cast<uint64_t>(first) * kBlockBytes, static_cast<uint64_t>(count) * kBlockBytes);
    for (int block = first; block < first + count; ++block)
        for (int half = 0; half < 2; ++half)
            if (!image.Holds(DosOrderHalfOffset(block, half), kSectorBytes)) return false;
    return true;
}

int DetectImageLayout(ImageFile& image)
{
    BlockBuffer block{};
    if (!ReadBlockFrom(image, block, 0)) block.fill(0);
    if (std::equal(std::begin(kDosBootSignature), std::end(kDosBootSignature), block.begin()))
        return LayoutDos33;
    if (!std::equal(std::begin(kProdosBootSignature), std::end(kProdosBootSignature), block.begin()))
        return LayoutNone;
    if (std::equal(std::begin(kProdosSecondHalf), std::end(kProdosSecondHalf), block.begin() + 256))
        return LayoutProdos;
    return LayoutProdosDosOrder;
}

int DetectImageLayout(const std::string& imagePath)
{
    ImageFile image(imagePath);
    return DetectImageLayout(image);
}

int DecideImageLayout(int extensionIndex, ImageFile& image)
{
    if (image.FromContainer()) return ContainerLayout(image);
    switch (extensionIndex) {
    case kExtensionDsk: return DetectImageLayout(image);
    case kExtensionHdv:
    case kExtensionPo: return LayoutProdos;
    case kExtensionDo: return LayoutDos33;
    default: return LayoutNone;
    }
}

int DecideImageLayout(int extensionIndex, const std::string& imagePath)
{
    ImageFile image(imagePath);
    return DecideImageLayout(extensionIndex, image);
}
