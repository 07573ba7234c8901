// Fuzz target: recognising an image and reading its sectors and blocks.
#include <cstddef>
#include <cstdint>

#include "disk/image.h"
#include "fuzz/fuzz_image_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!WriteFuzzImage(data, size)) return 0;
    const std::string& path = FuzzImagePath();
    int layout = DetectImageLayout(path);
    if (layout < 0 || layout > 3) __builtin_trap();
    for (int ext = 0; ext < kImageExtensionCount; ++ext) DecideImageLayout(ext, path);
    SectorBuffer sector;
    BlockBuffer block;
    // Read positions taken from the input itself, as the readers would.
    for (size_t i = 0; i + 1 < size && i < 64; i += 2) {
        ReadSector(sector, data[i], data[i + 1], path);
        int b = data[i] | (data[i + 1] << 8);
        ReadBlock(block, b, path);
        ReadBlockDosOrder(block, b, path);
    }
    return 0;
}
