// 2IMG (.2mg, .2img) images: a little-endian header, the disk's data, then
// an optional comment and creator data. The header's format field gives the
// data's order: DOS sectors, ProDOS blocks, or nibble tracks as in a .nib.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "core/disk/containers/decoded_image.h"

DecodedImage DecodeTwoImg(std::span<const uint8_t> file);
// Puts `sectors` (laid out as DecodeTwoImg gives them) into the data area;
// the header, the comment and the creator data stay byte for byte. False,
// leaving `file` as it was, for a damaged or write-protected image or
// sectors of another size.
bool EncodeTwoImg(std::vector<uint8_t>& file, std::span<const uint8_t> sectors);
