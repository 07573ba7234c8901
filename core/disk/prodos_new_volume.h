// A new, empty ProDOS volume.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/disk/file_types.h"

constexpr int kSmallestProdosVolume = 7;  // boot blocks, volume directory, one bit map block
constexpr int kLargestProdosVolume = 65535;

// The image bytes, in block order, of an empty volume of `blocks` blocks
// (280 for 140 KB, 1600 for 800 KB, 65535 for 32 MB) as FORMAT lays it out;
// empty when the size or the name is not a ProDOS one.
std::vector<uint8_t> NewProdosVolume(int blocks, std::string_view volumeName, ProdosStamp stamp);
