// Fuzz target: recognising an image and reading its sectors and blocks, from
// memory and from a file: both must give the same answers and the same bytes,
// whatever the window of the file has left in memory.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "core/disk/image.h"
#include "fuzz/fuzz_image_file.h"

namespace {

constexpr size_t kLongestRead = (255 << 7) + 1;  // the longest length drawn below

void Same(bool a, bool b, std::span<const uint8_t> x, std::span<const uint8_t> y)
{
    if (a != b || (a && std::memcmp(x.data(), y.data(), x.size()) != 0)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!WriteFuzzImage(data, size)) return 0;
    ImageFile memory(std::span<const uint8_t>(data, size));
    ImageFile file;
    if (!file.Open(FuzzImagePath()) || file.Size() != size) __builtin_trap();
    int layout = DetectImageLayout(memory);
    if (layout < 0 || layout > 3 || DetectImageLayout(file) != layout) __builtin_trap();
    for (int ext = 0; ext < kImageExtensionCount; ++ext)
        if (DecideImageLayout(ext, memory) != DecideImageLayout(ext, file)) __builtin_trap();
    static std::vector<uint8_t> fromMemory(kLongestRead), fromFile(kLongestRead);
    SectorBuffer sector, fileSector;
    BlockBuffer block, fileBlock;
    // Read positions taken from the input itself, as the readers would.
    for (size_t i = 0; i + 1 < size && i < 64; i += 2) {
        Same(ReadSectorFrom(memory, sector, data[i], data[i + 1]),
             ReadSectorFrom(file, fileSector, data[i], data[i + 1]), sector, fileSector);
        int b = data[i] | (data[i + 1] << 8);
        Same(ReadBlockFrom(memory, block, b), ReadBlockFrom(file, fileBlock, b), block, fileBlock);
        Same(ReadBlockDosOrderFrom(memory, block, b), ReadBlockDosOrderFrom(file, fileBlock, b), block, fileBlock);
        // Any offset and length, small or larger than the window.
        uint64_t offset = static_cast<uint64_t>(b) * 7;
        size_t length = (static_cast<size_t>(data[i]) << (data[i + 1] & 7)) + 1;
        std::span<uint8_t> x = std::span(fromMemory).first(length), y = std::span(fromFile).first(length);
        Same(memory.ReadAt(offset, x), file.ReadAt(offset, y), x, y);
    }
    return 0;
}
