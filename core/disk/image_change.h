// One change to a disk image, made on its bytes in memory: the layout
// decided as for a listing, the change applied to the volume, and the result
// read back with the readers before it may replace the image file.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "core/disk/disk_change.h"
#include "core/disk/volume.h"

using VolumeChange = std::function<DiskChange(Volume& volume)>;

// `bytes` (the whole image file) become the changed image when the change
// is made and the readers list the result; otherwise they are left as they
// were. `extensionIndex` is the image's ImageExtensionIndexOf.
DiskChange ChangeImageBytes(std::vector<uint8_t>& bytes, int extensionIndex, const VolumeChange& change);
