// Fuzz target: decoding and reading every file of an image and composing
// what its document and property pages would show.
#include <cstddef>
#include <cstdint>

#include "disk/apple_path.h"
#include "disk/dos33.h"
#include "disk/file_types.h"
#include "disk/image.h"
#include "disk/open_choice.h"
#include "disk/prodos.h"
#include "disk/properties_text.h"
#include "fuzz/fuzz_image_file.h"

namespace {
constexpr int kFilesPerInput = 40;  // keeps one input's work small
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!WriteFuzzImage(data, size)) return 0;
    const std::string& path = FuzzImagePath();
    for (int ext : kFuzzExtensions) {
        int layout = 0;
        int files = 0;
        WalkAppleImage(path, ext, layout, [&](const AppleDirectory& dir, const DirectoryRow& row) {
            if (++files > kFilesPerInput) return;
            FileEntry entry;
            DocumentContent content = OpenImageEntry(path, layout, row.ref, (files & 1) != 0, entry);
            if (content.opened && content.text.find('\0') != std::string::npos) __builtin_trap();
            ComposePropertyTexts(entry, dir.prefix + row.name, "FUZZ.DSK", "/tmp", ext);
        });
        // References no listing produced: the decoders must refuse them cleanly.
        if (size >= 4) {
            EntryRef ref = static_cast<EntryRef>(data[0] | (data[1] << 8) | (data[2] << 16) | (data[3] << 24));
            FileEntry entry;
            std::vector<uint8_t> out;
            DecodeDosEntry(ref, path, entry);
            ReadDosFile(ref, path, out);
            DecodeProdosEntry(ref, path, LayoutProdos, entry);
            ReadProdosFile(ref, path, out);
            ReadProdosFileDosOrder(ref, path, out);
        }
    }
    return 0;
}
