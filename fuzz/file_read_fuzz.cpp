// Fuzz target: decoding and reading every file of an image and composing
// what its document and property pages would show.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/disk/apple_path.h"
#include "core/disk/dos33.h"
#include "core/disk/file_types.h"
#include "core/disk/image.h"
#include "core/disk/open_choice.h"
#include "core/disk/prodos.h"
#include "core/disk/properties_text.h"
#include "fuzz/fuzz_image_file.h"

namespace {
constexpr int kFilesPerInput = 16;  // keeps one input's work small
// Larger files are read but not turned into text, and files larger still
// (an eof from garbage runs up to 16 MB) only decoded: the views have a
// target of their own, and a file's bytes past the image are zeros whatever
// its size, so neither would find more here than slow every input down.
constexpr int kLargestConverted = 4 * 1024;
constexpr int kLargestRead = 256 * 1024;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ImageFile image(std::span<const uint8_t>(data, size));
    bool walked[LayoutProdosDosOrder + 1] = {};
    for (int ext : kFuzzExtensions) {
        // Two extensions that read the input the same way would do the same work twice.
        int layout = DecideImageLayout(ext, image);
        if (walked[layout]) continue;
        walked[layout] = true;
        int files = 0;
        WalkAppleImage(image, ext, layout, [&](const AppleDirectory& dir, const DirectoryRow& row) {
            if (++files > kFilesPerInput) return;
            FileEntry entry;
            if (layout == LayoutDos33)
                DecodeDosEntry(row.ref, image, entry);
            else
                DecodeProdosEntry(row.ref, image, layout, entry);
            ComposePropertyTexts(entry, dir.prefix + row.name, "FUZZ.DSK", "/tmp", ext);
            if (entry.eof > kLargestRead) return;
            if (entry.eof > kLargestConverted) {
                std::vector<uint8_t> out;
                if (layout == LayoutDos33)
                    ReadDosFile(row.ref, image, out);
                else if (layout == LayoutProdosDosOrder)
                    ReadProdosFileDosOrder(row.ref, image, out);
                else
                    ReadProdosFile(row.ref, image, out);
                return;
            }
            DocumentContent content = OpenImageEntry(image, layout, row.ref, (files & 1) != 0, entry);
            if (content.opened && content.text.find('\0') != std::string::npos) __builtin_trap();
        });
    }
    // References no listing produced: the decoders must refuse them cleanly.
    if (size >= 4) {
        EntryRef ref = static_cast<EntryRef>(data[0] | (data[1] << 8) | (data[2] << 16) | (data[3] << 24));
        FileEntry entry;
        std::vector<uint8_t> out;
        DecodeDosEntry(ref, image, entry);
        ReadDosFile(ref, image, out);
        DecodeProdosEntry(ref, image, LayoutProdos, entry);
        ReadProdosFile(ref, image, out);
        ReadProdosFileDosOrder(ref, image, out);
    }
    return 0;
}
