#include "core/disk/containers/container.h"

#include <algorithm>

#include "core/disk/containers/nibble_image.h"
#include "core/disk/containers/two_img.h"
#include "core/disk/containers/woz_image.h"
#include "core/disk/image.h"

namespace {

constexpr int kThirteenSectors = 13;
constexpr int kThirteenSectorTracks = 35;

// A .d13 file: 35 tracks of 13 sectors, nothing else. Stands in for the
// 13-sector image decoder until it joins this code.
DecodedImage DecodeThirteenSectorImage(std::span<const uint8_t> file)
{
    DecodedImage image;
    constexpr size_t kTrackFileBytes = static_cast<size_t>(kThirteenSectors) * kSectorBytes;
    if (file.size() != kThirteenSectorTracks * kTrackFileBytes) {
        image.message = Message::DamagedContainer;
        image.detail = "a .d13 image holds 116480 bytes, this one " + std::to_string(file.size());
        return image;
    }
    image.order = OrderDos32;
    image.bytes.assign(static_cast<size_t>(kThirteenSectorTracks) * kTrackBytes, 0);
    image.unreadable.assign(static_cast<size_t>(kThirteenSectorTracks) * kSectorsPerTrack, true);
    for (size_t track = 0; track < kThirteenSectorTracks; ++track) {
        std::span<const uint8_t> sectors = file.subspan(track * kTrackFileBytes, kTrackFileBytes);
        std::copy(sectors.begin(), sectors.end(), image.bytes.begin() + static_cast<ptrdiff_t>(track * kTrackBytes));
        std::fill_n(image.unreadable.begin() + static_cast<ptrdiff_t>(track * kSectorsPerTrack), kThirteenSectors, false);
    }
    image.facts.format = "D13";
    image.facts.order = "13-sector";
    image.readOnlyReason = "a 13-sector disk is only read";
    return image;
}

}  // namespace

bool IsContainerExtension(int extensionIndex)
{
    switch (extensionIndex) {
    case kExtension2mg:
    case kExtension2img:
    case kExtensionNib:
    case kExtensionNb2:
    case kExtensionWoz:
    case kExtensionD13: return true;
    default: return false;
    }
}

DecodedImage DecodeContainer(int extensionIndex, std::span<const uint8_t> file)
{
    switch (extensionIndex) {
    case kExtension2mg:
    case kExtension2img: return DecodeTwoImg(file);
    case kExtensionNib:
    case kExtensionNb2: return DecodeNibbleImage(file);
    case kExtensionWoz: return DecodeWozImage(file);
    case kExtensionD13: return DecodeThirteenSectorImage(file);
    default: {
        DecodedImage image;
        image.message = Message::DamagedContainer;
        image.detail = "the file's extension names no disk image container";
        return image;
    }
    }
}

bool EncodeContainer(int extensionIndex, std::vector<uint8_t>& file, std::span<const uint8_t> sectors)
{
    switch (extensionIndex) {
    case kExtension2mg:
    case kExtension2img: return EncodeTwoImg(file, sectors);
    case kExtensionNib:
    case kExtensionNb2: return EncodeNibbleImage(file, sectors);
    case kExtensionWoz: return EncodeWozImage(file, sectors);
    default: return false;  // 13-sector disks are only read
    }
}

std::string ReadableSectorsText(const DecodedImage& image)
{
    size_t total = image.bytes.size() / kSectorBytes;
    size_t readable = 0;
    for (size_t sector = 0; sector < total; ++sector) readable += image.Readable(sector) ? 1 : 0;
    return std::to_string(readable) + " of its " + std::to_string(total) + " sectors could be read.";
}
