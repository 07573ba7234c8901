// .nib and .nb2 images: 35 tracks of disk bytes, each read as a ring so that
// a sector over the end of the track is found whole.
#include "core/disk/containers/nibble_image.h"

#include <algorithm>
#include <string>

#include "core/disk/containers/gcr.h"
#include "core/disk/containers/nibble_track.h"

namespace {

constexpr size_t kNibTrackBytes = 6656;
constexpr size_t kNb2TrackBytes = 6384;

// The bytes of each track, by the size of the file; 0 when it fits neither.
size_t TrackBytesOf(size_t fileSize)
{
    if (fileSize == kNibbleTracks * kNibTrackBytes) return kNibTrackBytes;
    if (fileSize == kNibbleTracks * kNb2TrackBytes) return kNb2TrackBytes;
    return 0;
}

std::vector<TrackFields> ScanTracks(std::span<const uint8_t> file, size_t trackBytes)
{
    std::vector<TrackFields> tracks(kNibbleTracks);
    TrackStream stream;
    for (int track = 0; track < kNibbleTracks; ++track) {
        auto bytes = file.subspan(static_cast<size_t>(track) * trackBytes, trackBytes);
        stream.bytes.assign(bytes.begin(), bytes.end());
        stream.bytes.insert(stream.bytes.end(), bytes.begin(), bytes.begin() + kWrapBytes);
        stream.lap = stream.ring = trackBytes;
        ScanTrack(stream, track, tracks[static_cast<size_t>(track)]);
    }
    return tracks;
}

}  // namespace

DecodedImage DecodeNibbleImage(std::span<const uint8_t> file)
{
    DecodedImage image;
    size_t trackBytes = TrackBytesOf(file.size());
    if (trackBytes == 0) {
        image.message = Message::DamagedContainer;
        image.detail = file.empty() ? "the nibble image is an empty file"
                                    : "the nibble image is " + std::to_string(file.size()) +
                                          " bytes long, not 35 tracks of 6656 (.nib) or 6384 (.nb2) bytes";
        return image;
    }
    image.facts.format = trackBytes == kNibTrackBytes ? "NIB" : "NB2";
    AssembleVolume(ScanTracks(file, trackBytes), image);
    return image;
}

bool EncodeNibbleImage(std::vector<uint8_t>& file, std::span<const uint8_t> sectors)
{
    size_t trackBytes = TrackBytesOf(file.size());
    if (trackBytes == 0) return false;
    std::vector<TrackFields> tracks = ScanTracks(file, trackBytes);
    DecodedImage image;
    AssembleVolume(tracks, image);
    if (!image.readOnlyReason.empty() || image.order != OrderDos || sectors.size() != image.bytes.size()) return false;
    std::vector<uint8_t> changed = file;
    std::array<uint8_t, kData62Nibbles> field;
    for (int track = 0; track < kNibbleTracks; ++track) {
        for (int sector = 0; sector < kSectorsPerTrack; ++sector) {
            auto data = sectors.subspan(static_cast<size_t>(track * kSectorsPerTrack + sector) * kSectorBytes).first<kSectorBytes>();
            const SectorField& found = FieldOfDosSector(tracks, track, sector);
            if (std::equal(data.begin(), data.end(), found.bytes.begin())) continue;
            EncodeData62(data, field);
            for (size_t i = 0; i < field.size(); ++i)
                changed[static_cast<size_t>(track) * trackBytes + (found.dataAt + i) % trackBytes] = field[i];
        }
    }
    // What was written must read back as given before it replaces the file.
    DecodedImage check = DecodeNibbleImage(changed);
    if (!check.readOnlyReason.empty() || !std::equal(sectors.begin(), sectors.end(), check.bytes.begin())) return false;
    file.swap(changed);
    return true;
}
