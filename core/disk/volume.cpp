#include "core/disk/volume.h"

#include <algorithm>

namespace {

// The position in a block-ordered track of DOS sector `sector`: the
// inverse of kBlockSectorMap.
int ProdosOrderPosition(int sector)
{
    for (int i = 0; i < 2 * kBlocksPerTrack; ++i)
        if (kBlockSectorMap[i] == sector) return i;
    return 0;
}

}  // namespace

bool Volume::SectorOffset(int track, int sector, uint64_t& offset) const
{
    if (track < 0 || sector < 0 || sector >= kSectorsPerTrack) return false;
    const int position = layout_ == LayoutProdos ? ProdosOrderPosition(sector) : sector;
    offset = static_cast<uint64_t>(track) * kTrackBytes + static_cast<uint64_t>(position) * kSectorBytes;
    return offset + kSectorBytes <= bytes_.size();
}

bool Volume::BlockHalves(int block, uint64_t (&offsets)[2]) const
{
    if (block < 0) return false;
    for (int half = 0; half < 2; ++half) {
        offsets[half] = layout_ == LayoutProdos
                            ? static_cast<uint64_t>(block) * kBlockBytes + static_cast<uint64_t>(half) * kSectorBytes
                            : DosOrderHalfOffset(block, half);
        if (offsets[half] + kSectorBytes > bytes_.size()) return false;
    }
    return true;
}

bool Volume::ReadSector(int track, int sector, SectorBuffer& out) const
{
    uint64_t at = 0;
    if (!SectorOffset(track, sector, at)) return false;
    std::copy_n(bytes_.begin() + static_cast<ptrdiff_t>(at), kSectorBytes, out.begin());
    return true;
}

bool Volume::WriteSector(int track, int sector, const SectorBuffer& in)
{
    uint64_t at = 0;
    if (!SectorOffset(track, sector, at)) return false;
    std::copy(in.begin(), in.end(), bytes_.begin() + static_cast<ptrdiff_t>(at));
    return true;
}

bool Volume::ReadBlock(int block, BlockBuffer& out) const
{
    uint64_t at[2];
    if (!BlockHalves(block, at)) return false;
    for (int half = 0; half < 2; ++half)
        std::copy_n(bytes_.begin() + static_cast<ptrdiff_t>(at[half]), kSectorBytes, out.begin() + half * kSectorBytes);
    return true;
}

bool Volume::WriteBlock(int block, const BlockBuffer& in)
{
    uint64_t at[2];
    if (!BlockHalves(block, at)) return false;
    for (int half = 0; half < 2; ++half)
        std::copy_n(in.begin() + half * kSectorBytes, kSectorBytes, bytes_.begin() + static_cast<ptrdiff_t>(at[half]));
    return true;
}
