// A disk image loaded whole into memory for one change: its sectors and
// blocks as its file system addresses them. The whole image is changed in
// memory and written back in one step, so a change that fails half-way
// never reaches the file.
#pragma once
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "core/disk/image.h"

class Volume {
public:
    // `bytes` are the image's sectors or blocks; `layout` is LayoutDos33,
    // LayoutProdos or LayoutProdosDosOrder.
    Volume(std::vector<uint8_t> bytes, int layout) : bytes_(std::move(bytes)), layout_(layout) {}

    int Layout() const { return layout_; }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    // Whole tracks of 16 sectors, and whole blocks, the image holds.
    int TrackCount() const { return static_cast<int>(bytes_.size() / kTrackBytes); }
    int BlockCount() const { return static_cast<int>(bytes_.size() / kBlockBytes); }

    // False, changing nothing, for a sector or block outside the image. A
    // DOS 3.3 sector is addressed in DOS order, a ProDOS block in block order,
    // whichever order the image keeps them in.
    bool ReadSector(int track, int sector, SectorBuffer& out) const;
    bool WriteSector(int track, int sector, const SectorBuffer& in);
    bool ReadBlock(int block, BlockBuffer& out) const;
    bool WriteBlock(int block, const BlockBuffer& in);

private:
    // The offset of each 256-byte half of a block, or of a sector; false
    // when it lies outside the image.
    bool BlockHalves(int block, uint64_t (&offsets)[2]) const;
    bool SectorOffset(int track, int sector, uint64_t& offset) const;

    std::vector<uint8_t> bytes_;
    int layout_;
};
