// A new, empty DOS 3.3 volume.
#pragma once
#include <cstdint>
#include <vector>

#include "core/disk/dos33.h"

// The image bytes, in DOS order, of a volume laid out as INIT lays it out
// but without DOS on tracks 0-2. Empty for a shape DOS 3.3 does not write:
// tracks other than 35 or 40, a volume number outside 1-254.
std::vector<uint8_t> NewDosVolume(int tracks = kDosTracks, int volumeNumber = 254);
