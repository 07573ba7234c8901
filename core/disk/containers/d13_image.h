// .d13 images: a 13-sector DOS 3.2 disk as its sectors, 35 tracks of 13 in
// the order of their address fields' numbers, 256 bytes each. Only read.
#pragma once
#include <cstdint>
#include <span>

#include "core/disk/containers/decoded_image.h"

DecodedImage DecodeD13Image(std::span<const uint8_t> file);
