// Times the disk-image readers on a 32 MB ProDOS hard-disk image holding
// 1,000 files in nested directories, built here by the test fixture code.
// Prints the time per directory listing and per file (opening the image for
// each file, as the browser opens a document, and through one opening, as
// tavo-image extract reads), the bytes of file data read per second next to
// one sequential read of the image (the bound), and how many times the bound
// cataloguing and reading every file takes.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/disk/apple_path.h"
#include "core/disk/file_types.h"
#include "core/disk/image.h"
#include "core/disk/open_choice.h"
#include "core/disk/prodos.h"
#include "tests/core/disk/image_builder.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// Sizes cycle through seedlings, saplings and trees; about 26 MB in all.
size_t FileSize(int n)
{
    if (n % 50 == 0) return 200000;  // a tree
    static const size_t kSizes[] = {200, 3000, 20000, 80000};
    return kSizes[n % 4];
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    auto start = Clock::now();
    fixture::ProdosBuilder builder(65535, "HARD.DISK");
    int n = 0;
    for (int top = 0; top < 10; ++top) {
        int a = builder.AddDirectory(0, "TOP" + std::to_string(top));
        for (int sub = 0; sub < 10; ++sub) {
            int b = builder.AddDirectory(a, "SUB" + std::to_string(sub));
            for (int f = 0; f < 10; ++f, ++n) {
                std::vector<uint8_t> data(FileSize(n));
                for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 31 + static_cast<size_t>(n));
                builder.AddFile(b, "FILE" + std::to_string(f), data, {.fileType = n % 3 == 0 ? 0x04 : 0x06});
            }
        }
    }
    fixture::TempImage image(builder.BlockOrder(), "hdv");
    std::printf("image: %zu bytes, %d files in 110 directories, %d blocks free; built in %.2f s\n",
                builder.BlockOrder().size(), n, builder.FreeBlocks(), Seconds(start));

    double bestCatalog = 1e9, bestRead = 1e9, bestOpen = 1e9, bestSequential = 1e9, bestTrees = 1e9, bestOnce = 1e9;
    size_t treeBytes = 0;
    size_t directories = 0, files = 0, dataBytes = 0;
    for (int round = 0; round < rounds; ++round) {
        // Catalog: every directory listed as the browser lists it.
        std::vector<EntryRef> refs;
        directories = 1;
        start = Clock::now();
        int layout = 0;
        WalkAppleImage(image.path(), kExtensionHdv, layout, [&](const AppleDirectory&, const DirectoryRow& row) {
            if (row.icon == kFolderIcon)
                ++directories;
            else
                refs.push_back(row.ref);
        });
        bestCatalog = std::min(bestCatalog, Seconds(start));
        files = refs.size();

        // Reading: decode and read every file.
        start = Clock::now();
        dataBytes = 0;
        std::vector<uint8_t> out;
        for (EntryRef ref : refs) {
            if (ReadProdosFile(ref, image.path(), out) > 0) dataBytes += out.size();
        }
        bestRead = std::min(bestRead, Seconds(start));

        // The same through one opening of the image, as tavo-image extract reads.
        start = Clock::now();
        ImageFile opened(image.path());
        for (EntryRef ref : refs) ReadProdosFile(ref, opened, out);
        bestOnce = std::min(bestOnce, Seconds(start));

        // The large files alone: where the per-block cost shows.
        start = Clock::now();
        treeBytes = 0;
        for (size_t i = 0; i < refs.size(); i += 50) {
            if (ReadProdosFile(refs[i], image.path(), out) > 0) treeBytes += out.size();
        }
        bestTrees = std::min(bestTrees, Seconds(start));

        // Opening as a document: read and convert (text or hex dump).
        start = Clock::now();
        for (size_t i = 0; i < refs.size(); i += 10) {
            FileEntry entry;
            OpenImageEntry(image.path(), LayoutProdos, refs[i], false, entry);
        }
        bestOpen = std::min(bestOpen, Seconds(start) * 10);

        // The bound: the whole image read sequentially in one run.
        start = Clock::now();
        std::ifstream in(image.path(), std::ios::binary);
        std::vector<char> chunk(1 << 16);
        size_t total = 0;
        while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0)
            total += static_cast<size_t>(in.gcount());
        bestSequential = std::min(bestSequential, Seconds(start));
        if (total != builder.BlockOrder().size()) std::printf("short sequential read: %zu\n", total);
    }
    double imageBytes = static_cast<double>(builder.BlockOrder().size());
    std::printf("catalog: %zu directories in %.2f ms, %.3f ms per directory\n", directories, 1000 * bestCatalog,
                1000 * bestCatalog / static_cast<double>(directories));
    std::printf("read:    %zu files, %zu bytes in %.2f ms, %.3f ms per file, %.1f MB/s\n", files, dataBytes,
                1000 * bestRead, 1000 * bestRead / static_cast<double>(files),
                static_cast<double>(dataBytes) / bestRead / 1e6);
    std::printf("once:    the same through one opening of the image in %.2f ms, %.3f ms per file\n", 1000 * bestOnce,
                1000 * bestOnce / static_cast<double>(files));
    std::printf("trees:   %zu bytes of 200000-byte tree files in %.2f ms, %.1f MB/s\n", treeBytes, 1000 * bestTrees,
                static_cast<double>(treeBytes) / bestTrees / 1e6);
    std::printf("open:    read and converted, %.3f ms per file (estimated from every tenth file)\n",
                1000 * bestOpen / static_cast<double>(files));
    std::printf("bound:   image read sequentially in %.2f ms, %.1f MB/s\n", 1000 * bestSequential,
                imageBytes / bestSequential / 1e6);
    std::printf("ratio:   catalog and read every file take %.1f times the sequential read (%.1f through one opening)\n",
                (bestCatalog + bestRead) / bestSequential, (bestCatalog + bestOnce) / bestSequential);
    return 0;
}
