// Fuzz target: .nib, .nb2 and .d13 images and the DOS 3.2 catalog read from
// them. An input of an image's size is read as it is; any other fills every
// track of the kind its first byte picks, over and over, so that the track
// contents the fuzzer finds reach the field decoders.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/disk/containers/d13_image.h"
#include "core/disk/containers/nibble_image.h"
#include "core/disk/containers/readable_sectors.h"
#include "core/disk/dos33.h"
#include "core/disk/image.h"

namespace {

constexpr size_t kSizes[] = {35 * 6656, 35 * 6384, 35 * 13 * 256};

void Check(const DecodedImage& image)
{
    if (!image.Decoded()) {
        if (image.detail.empty()) __builtin_trap();
        return;
    }
    if (image.bytes.size() != 35 * 4096 || DescribeReadable(image).empty()) __builtin_trap();
    ImageFile volume(std::span<const uint8_t>(image.bytes));
    std::string prefix;
    DirectoryListing listing = ListDosCatalog(volume, prefix);
    std::vector<uint8_t> out;
    for (const DirectoryRow& row : listing.rows) ReadDosFile(row.ref, volume, out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> file(data, data + size);
    bool asIs = false;
    for (size_t kind : kSizes) asIs = asIs || size == kind;
    if (!asIs && size > 1) {
        std::vector<uint8_t> tiled(kSizes[data[0] % 3]);
        for (size_t i = 0; i < tiled.size(); ++i) tiled[i] = data[1 + i % (size - 1)];
        file.swap(tiled);
    }
    bool d13 = file.size() == kSizes[2];
    DecodedImage image = d13 ? DecodeD13Image(file) : DecodeNibbleImage(file);
    Check(image);
    if (d13 || !image.Decoded()) return 0;
    std::vector<uint8_t> sectors = image.bytes, before = file;
    sectors[size % sectors.size()] ^= 0x5A;
    bool written = EncodeNibbleImage(file, sectors);
    if (written ? DecodeNibbleImage(file).bytes != sectors : file != before) __builtin_trap();
    return 0;
}
