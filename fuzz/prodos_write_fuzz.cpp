// Fuzz target: random sequences of changes to a small blank ProDOS volume,
// the volume checked after each. No change may crash, leave a volume the
// check calls damaged or give a block to two files, and one refused must
// leave every byte as it was.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/disk/image.h"
#include "core/disk/prodos_check.h"
#include "core/disk/prodos_new_volume.h"
#include "core/disk/prodos_writer.h"
#include "core/disk/volume.h"

namespace {
constexpr int kOperationsPerInput = 64;
// Names that collide often, folders to put them in, and one refused name.
const char* const kPaths[] = {"/V/A", "/V/B", "/V/D", "/V/D/A", "/V/D/E", "/V/D/E/C", "/V/E", "/V/1X", "/W/A"};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    // Small volumes fill up; the 280-block one holds a tree.
    const int blocks = (data[0] & 1) ? 280 : 40;
    Volume volume(NewProdosVolume(blocks, "V", ProdosStamp{}), LayoutProdos);
    ProdosStamp stamp{0x3021, 0x0C1E};
    for (size_t at = 1, done = 0; at + 3 <= size && done < kOperationsPerInput; at += 3, ++done) {
        std::string path = kPaths[data[at + 1] % std::size(kPaths)];
        size_t length = static_cast<size_t>(data[at + 2]) * (data[at] & 0x80 ? 1024 : 5);
        std::vector<uint8_t> bytes(length, data[at + 2]);
        std::vector<uint8_t> before = volume.Bytes();
        DiskChange change;
        switch (data[at] % 8) {
        case 0: change = CreateProdosFile(volume, path, BinaryProdosFile(bytes, 0x300), stamp); break;
        case 1: change = ReplaceProdosFile(volume, path, TextProdosFile(std::string(bytes.begin(), bytes.end())), stamp); break;
        case 2: change = DeleteProdosFile(volume, path); break;
        case 3: change = RenameProdosFile(volume, path, kPaths[data[at + 2] % std::size(kPaths)] + 3); break;
        case 4: change = LockProdosFile(volume, path, data[at + 2] & 1); break;
        case 5: change = CreateProdosFolder(volume, path, stamp); break;
        case 6: change = CreateProdosFile(volume, path + std::to_string(data[at + 2] % 16), ApplesoftProdosFile(bytes), stamp); break;
        default: change = CreateProdosFolder(volume, "/V/D/F" + std::to_string(data[at + 2] % 32), stamp); break;
        }
        if (!change.Made() && volume.Bytes() != before) __builtin_trap();
        ProdosVolumeCheck check = CheckProdosVolume(volume);
        if (!check.Writable() || !check.sharing.empty()) __builtin_trap();
    }
    return 0;
}
