// An empty ProDOS volume laid out as FORMAT lays one out: the volume
// directory in blocks 2-5, the bit map from block 6.
//
// One difference on purpose: blocks 0 and 1 stay zero where FORMAT writes
// the ProDOS boot loader (the images made by ProDOS and by other tools carry
// it there), since this program has no boot code of its own to give. The
// volume reads and takes files the same; it only does not start up.
#include "core/disk/prodos_new_volume.h"

#include "core/disk/apple_names.h"
#include "core/disk/image.h"
#include "core/disk/prodos.h"
#include "core/text/ascii.h"

namespace {

constexpr int kBitMapBlock = kVolumeDirectoryBlock + kVolumeDirectoryBlocks;  // 6
constexpr int kVolumeHeaderAccess = 0xC3;  // destroy, rename, write, read

void Put16(std::vector<uint8_t>& image, size_t at, int value)
{
    image[at] = static_cast<uint8_t>(value & 0xFF);
    image[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

std::vector<uint8_t> NewProdosVolume(int blocks, std::string_view volumeName, ProdosStamp stamp)
{
    if (blocks < kSmallestProdosVolume || blocks > kLargestProdosVolume) return {};
    if (CheckProdosName(volumeName) != AppleNameProblem::None) return {};
    std::vector<uint8_t> image(static_cast<size_t>(blocks) * kBlockBytes, 0);
    auto at = [](int block) { return static_cast<size_t>(block) * kBlockBytes; };

    for (int i = 0; i < kVolumeDirectoryBlocks; ++i) {
        int block = kVolumeDirectoryBlock + i;
        Put16(image, at(block), i == 0 ? 0 : block - 1);
        Put16(image, at(block) + 2, i + 1 < kVolumeDirectoryBlocks ? block + 1 : 0);
    }
    size_t header = at(kVolumeDirectoryBlock) + kDirectoryHeaderOffset;
    image[header] = static_cast<uint8_t>(kStorageVolumeHeader << 4 | static_cast<int>(volumeName.size()));
    for (size_t i = 0; i < volumeName.size(); ++i) image[header + 1 + i] = static_cast<uint8_t>(AsciiUpper(volumeName[i]));
    Put16(image, header + kEntryCreatedByte, stamp.date);
    Put16(image, header + kEntryCreatedByte + 2, stamp.time);
    image[header + kEntryAccessByte] = kVolumeHeaderAccess;
    size_t key = at(kVolumeDirectoryBlock);
    image[key + kHeaderEntryLengthByte] = kProdosEntryLength;
    image[key + kHeaderEntriesPerBlockByte] = kProdosEntriesPerBlock;
    Put16(image, key + kHeaderBitMapByte, kBitMapBlock);
    Put16(image, key + kHeaderTotalBlocksByte, blocks);

    // A set bit is a free block; the bits past the last block stay clear.
    int bitMapBlocks = (blocks + kBlocksPerBitMapBlock - 1) / kBlocksPerBitMapBlock;
    for (int b = kBitMapBlock + bitMapBlocks; b < blocks; ++b)
        image[at(kBitMapBlock) + static_cast<size_t>(b / 8)] |= static_cast<uint8_t>(0x80 >> (b % 8));
    return image;
}
