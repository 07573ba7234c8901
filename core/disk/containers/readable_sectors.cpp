#include "core/disk/containers/readable_sectors.h"

#include <vector>

#include "core/disk/containers/nibble_track.h"

namespace {

// "0-2, 5 and 17"
std::string Ranges(const std::vector<size_t>& tracks)
{
    std::vector<std::string> parts;
    for (size_t i = 0; i < tracks.size();) {
        size_t j = i;
        while (j + 1 < tracks.size() && tracks[j + 1] == tracks[j] + 1) ++j;
        parts.push_back(std::to_string(tracks[i]));
        if (j > i) parts.back().append("-").append(std::to_string(tracks[j]));
        i = j + 1;
    }
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i) text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return text;
}

}  // namespace

std::string DescribeReadable(const DecodedImage& image)
{
    // `bytes` holds 16 sectors a track, the padding of a 13-sector disk too.
    const size_t perTrack = kSectorsPerTrack, counted = image.order == OrderDos32 ? kSectors13 : perTrack;
    size_t tracks = (image.bytes.size() / kSectorBytes + perTrack - 1) / perTrack;
    std::vector<size_t> whole;
    size_t failed = 0, elsewhere = 0;
    for (size_t track = 0; track < tracks; ++track) {
        size_t bad = 0;
        for (size_t sector = 0; sector < counted; ++sector) bad += image.Readable(track * perTrack + sector) ? 0 : 1;
        failed += bad;
        if (bad == 0) {
            whole.push_back(track);
            continue;
        }
        elsewhere += counted;
    }
    std::string total = std::to_string(tracks * counted);
    if (failed == 0) return "All " + total + " sectors could be read.";
    if (failed == tracks * counted) return "None of the " + total + " sectors could be read.";
    if (whole.empty()) return "No track could be read whole; " + std::to_string(failed) + " of " + total + " sectors failed.";
    return (whole.size() == 1 ? "Track " : "Tracks ") + Ranges(whole) + " could be read; " + std::to_string(failed) +
           " of " + std::to_string(elsewhere) + " sectors failed elsewhere.";
}
