// What differs on purpose from a disk INIT makes (new-init.do among the
// shared images) and from blank-nodos.do:
// - tracks 0-2 hold zeros, not DOS, so the disk does not start the Apple;
//   they stay marked used, as INIT leaves them, so that DOS can still be
//   put there (blank-nodos.do frees tracks 1 and 2);
// - there is no greeting program, and the VTOC's last track is the catalog
//   track, so the first file saved lands on track 18 where INIT's greeting
//   program would have gone (both images say 18, after their greeting
//   program or as if one had been saved).
#include "core/disk/dos33_new_volume.h"

#include "core/disk/image.h"

namespace {

constexpr int kFirstCatalogSector = kSectorsPerTrack - 1;
constexpr uint8_t kVtocFirstByte = 4;  // unused by DOS; INIT leaves 4 there
constexpr int kHighestVolumeNumber = 254;

}  // namespace

std::vector<uint8_t> NewDosVolume(int tracks, int volumeNumber)
{
    if ((tracks != kDosTracks && tracks != kDosLongTracks) || volumeNumber < 1 || volumeNumber > kHighestVolumeNumber) return {};
    std::vector<uint8_t> image(static_cast<size_t>(tracks) * kTrackBytes, 0);
    auto sector = [&](int track, int number) { return image.data() + static_cast<size_t>(track) * kTrackBytes + static_cast<size_t>(number) * kSectorBytes; };

    uint8_t* vtoc = sector(kVtocTrack, kVtocSector);
    vtoc[0] = kVtocFirstByte;
    vtoc[kVtocCatalogByte] = kVtocTrack;
    vtoc[kVtocCatalogByte + 1] = kFirstCatalogSector;
    vtoc[kVtocReleaseByte] = kDosRelease;
    vtoc[kVtocVolumeByte] = static_cast<uint8_t>(volumeNumber);
    vtoc[kVtocPairsPerListByte] = kPairsPerList;
    vtoc[kVtocLastTrackByte] = kVtocTrack;
    vtoc[kVtocDirectionByte] = 1;
    vtoc[kVtocTracksByte] = static_cast<uint8_t>(tracks);
    vtoc[kVtocSectorsByte] = kSectorsPerTrack;
    vtoc[kVtocSectorBytesByte + 1] = kSectorBytes >> 8;
    for (int track = kDosTracksOfDos; track < tracks; ++track)
        if (track != kVtocTrack)
            for (int number = 0; number < kSectorsPerTrack; ++number) vtoc[VtocBitMapByte(track, number)] |= VtocBitMapBit(number);

    // The catalog runs down track 17 from sector 15 to sector 1.
    for (int number = kFirstCatalogSector; number > 1; --number) {
        sector(kVtocTrack, number)[kCatalogNextByte] = kVtocTrack;
        sector(kVtocTrack, number)[kCatalogNextByte + 1] = static_cast<uint8_t>(number - 1);
    }
    return image;
}
