// The floppies of ../shared/disks/formats, each read by the decoder of its extension.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>

#include "core/disk/containers/d13_image.h"
#include "core/disk/containers/nibble_image.h"
#include "core/disk/containers/woz_image.h"
#include "tests/support/shared_data.h"

#define REQUIRE_FORMATS() \
    if (!std::filesystem::exists(shared_data::DiskPath("formats/MANIFEST.md"))) GTEST_SKIP() << "../shared/disks/formats missing"

namespace floppy {

inline std::vector<uint8_t> Formats(const std::string& name) { return shared_data::ReadBytes("disks/formats/" + name).value_or(std::vector<uint8_t>{}); }

inline DecodedImage Decode(const std::string& name, std::span<const uint8_t> file)
{
    if (name.ends_with(".woz")) return DecodeWozImage(file);
    return name.ends_with(".d13") ? DecodeD13Image(file) : DecodeNibbleImage(file);
}

inline bool Encode(const std::string& name, std::vector<uint8_t>& file, std::span<const uint8_t> sectors)
{
    return name.ends_with(".woz") ? EncodeWozImage(file, sectors) : EncodeNibbleImage(file, sectors);
}
inline void PutLe32(std::vector<uint8_t>& file, size_t at, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// The bits of entry `entry` of a WOZ 2's TRKS, whose table starts at 256 in the shared images.
inline std::span<uint8_t> Woz2Bits(std::vector<uint8_t>& woz, size_t entry, uint32_t& bits)
{
    size_t at = 256 + 8 * entry;
    bits = woz[at + 4] | (woz[at + 5] << 8) | (woz[at + 6] << 16);
    return std::span(woz).subspan((woz[at] | (woz[at + 1] << 8)) * size_t{512}, (bits + 7) / 8);
}

}  // namespace floppy
