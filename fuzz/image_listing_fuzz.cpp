// Fuzz target: listing every directory (or the catalog) of an image.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/disk/apple_path.h"
#include "core/disk/image.h"
#include "core/disk/prodos.h"
#include "fuzz/fuzz_image_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ImageFile image(std::span<const uint8_t>(data, size));
    for (int ext : kFuzzExtensions) {
        int layout = 0;
        size_t rows = 0;
        WalkAppleImage(image, ext, layout, [&](const AppleDirectory&, const DirectoryRow&) { ++rows; });
        // Every listing ends: a walk can never hold more rows than the image
        // holds directory entries.
        if (rows > size / 35 + 16) __builtin_trap();
    }
    return 0;
}
