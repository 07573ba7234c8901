// A .d13's sectors laid out as OrderDos32: each track padded to 16 sectors.
#include "core/disk/containers/d13_image.h"

#include <algorithm>
#include <string>

#include "core/disk/containers/nibble_track.h"

DecodedImage DecodeD13Image(std::span<const uint8_t> file)
{
    constexpr size_t kTrackBytes13 = kSectors13 * kSectorBytes;
    DecodedImage image;
    if (file.size() != kNibbleTracks * kTrackBytes13) {
        image.message = Message::DamagedContainer;
        image.detail = "the .d13 image is " + std::to_string(file.size()) + " bytes long, not 35 tracks of 13 sectors (116480)";
        return image;
    }
    image.order = OrderDos32;
    image.facts.format = "D13";
    image.facts.order = "13-sector";
    image.readOnlyReason = kDos32OnlyRead;
    image.bytes.assign(kNibbleTracks * kTrackBytes, 0);
    image.unreadable.assign(kNibbleTracks * kSectorsPerTrack, false);
    for (size_t track = 0; track < kNibbleTracks; ++track) {
        std::copy_n(file.begin() + static_cast<long>(track * kTrackBytes13), kTrackBytes13,
                    image.bytes.begin() + static_cast<long>(track * kTrackBytes));
        for (size_t sector = kSectors13; sector < kSectorsPerTrack; ++sector) image.unreadable[track * kSectorsPerTrack + sector] = true;
    }
    return image;
}
