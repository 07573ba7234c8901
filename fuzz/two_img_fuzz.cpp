// Fuzz target: 2MG headers. Any file decodes or says why not; one that
// decodes takes its sectors, changed, back into its data area alone, and
// gives them back when decoded again.
#include <cstdint>
#include <vector>

#include "core/disk/containers/two_img.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> input(data, data + size);
    DecodedImage image = DecodeTwoImg(input);
    if (!image.Decoded() && image.detail.empty()) __builtin_trap();
    if (!image.Decoded()) return 0;
    std::vector<uint8_t> file = input, sectors = image.bytes;
    for (size_t i = 0; i < sectors.size(); i += 97) sectors[i] ^= 0x5A;
    // Nibble tracks are encoded anew, and only from a disk every sector of which decoded.
    const bool nibbles = image.facts.order == "nibbles";
    if (!EncodeTwoImg(file, sectors)) {
        if (!image.facts.writeProtected && !nibbles) __builtin_trap();
        return 0;
    }
    if (image.facts.writeProtected || file.size() != size || DecodeTwoImg(file).bytes != sectors) __builtin_trap();
    size_t changed = 0, expected = 0;
    for (size_t i = 0; i < size && !nibbles; ++i) changed += file[i] != input[i];
    for (size_t i = 0; i < sectors.size() && !nibbles; ++i) expected += sectors[i] != image.bytes[i];
    if (changed != expected) __builtin_trap();
    return 0;
}
