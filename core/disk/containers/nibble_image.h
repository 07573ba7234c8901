// Floppies as tracks of disk bytes: .nib (6,656 bytes a track) and .nb2
// (6,384), 35 tracks, no header. Sectors are found by their address and
// data fields, 16-sector (6-and-2) or 13-sector (5-and-3).
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "core/disk/containers/decoded_image.h"

DecodedImage DecodeNibbleImage(std::span<const uint8_t> file);
// Re-encodes in place the data field of every sector whose bytes differ in
// `sectors` (laid out as DecodeNibbleImage gives them). False, leaving
// `file` as it was, unless every sector of the disk decoded normally.
bool EncodeNibbleImage(std::vector<uint8_t>& file, std::span<const uint8_t> sectors);
