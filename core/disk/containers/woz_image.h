// WOZ 1 and WOZ 2 bit-stream images: the bit tracks read as a disk
// controller reads them, then decoded as nibble tracks.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "core/disk/containers/decoded_image.h"

DecodedImage DecodeWozImage(std::span<const uint8_t> file);
// Re-encodes in place, at the same bit positions, the data field of every
// sector whose bytes differ in `sectors`, and recomputes the CRC32. False,
// leaving `file` as it was, when the disk may not be written.
bool EncodeWozImage(std::vector<uint8_t>& file, std::span<const uint8_t> sectors);
