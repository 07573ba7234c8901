// Fuzz target: WOZ 1 and 2 chunks, track maps and bit tracks. A damaged file
// gives a detail and no volume; a decoded one gives a whole volume; a write
// that is taken reads back as written and leaves the file's size.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/disk/containers/readable_sectors.h"
#include "core/disk/containers/woz_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Exactly the input, so that a read past its end is caught.
    std::vector<uint8_t> file(data, data + size);
    DecodedImage image = DecodeWozImage(file);
    if (!image.Decoded()) {
        if (image.detail.empty() || !image.bytes.empty()) __builtin_trap();
        return 0;
    }
    if (image.bytes.size() != 35 * 4096 || DescribeReadable(image).empty()) __builtin_trap();
    std::vector<uint8_t> sectors = image.bytes;
    for (size_t i = 0; i < sectors.size(); i += 997) sectors[i] ^= static_cast<uint8_t>(size);
    std::vector<uint8_t> before = file;
    bool written = EncodeWozImage(file, sectors);
    if (written && (!image.readOnlyReason.empty() || file.size() != size || DecodeWozImage(file).bytes != sectors)) __builtin_trap();
    if (!written && file != before) __builtin_trap();
    return 0;
}
