// One change to a disk image, made on its bytes in memory: the layout
// decided as for a listing, the change applied to the volume, and the result
// read back with the readers before it may replace the image file. An image
// in a container is changed as its plain volume and put back into it.
#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/disk/disk_change.h"
#include "core/disk/volume.h"

using VolumeChange = std::function<DiskChange(Volume& volume)>;

// The volume a change starts from: the plain sectors or blocks of an image
// file's bytes, out of their container if they are in one, and its layout.
// `refusal` says why it may not be changed; WriteProtectedImage leaves the
// image's name for the caller to give.
struct ImageVolume {
    DiskChange refusal;
    int layout = LayoutNone;
    std::vector<uint8_t> bytes;
};
ImageVolume OpenImageVolume(std::span<const uint8_t> file, int extensionIndex);

// `bytes` (the whole image file) become the changed image when the change
// is made and the readers list the result; otherwise they are left as they
// were. `extensionIndex` is the image's ImageExtensionIndexOf.
DiskChange ChangeImageBytes(std::vector<uint8_t>& bytes, int extensionIndex, const VolumeChange& change);
