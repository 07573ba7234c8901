// Times saving a 36 KB Applesoft program into a 32 MB ProDOS hard-disk
// image holding 300 files in six folders, as Save and tavo-image put do it: the image read,
// checked and changed in memory, read back, written beside itself, flushed
// and renamed over the old one. Next to it, copying the image file once with
// the same flush and rename (tavo-image's own): the floor for any write that replaces the image.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/basic/applesoft_tokenizer.h"
#include "core/disk/image.h"
#include "core/disk/image_change.h"
#include "core/disk/prodos_new_volume.h"
#include "core/disk/volume_changes.h"
#include "tools/tavo-image/writing.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

std::vector<uint8_t> ReadWhole(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// A program of about `bytes` tokenized bytes.
std::string ProgramText(size_t bytes)
{
    std::string text;
    for (int line = 10; text.size() < bytes * 3 / 2; line += 10)
        text += std::to_string(line) + " PRINT \"THE QUICK BROWN FOX\";X: GOSUB 1000: X = X + 1\r";
    return text;
}

}  // namespace

int main()
{
    const std::string path = "/tmp/tavo-image-write-bench.hdv";
    std::vector<uint8_t> image = NewProdosVolume(65535, "BENCH", {});
    const FileToSave small{AppleKind::Applesoft, TokenizeApplesoft("10 PRINT 1\r")};
    for (int i = 0; i < 300; ++i) {
        const std::string folder = "/BENCH/F" + std::to_string(i / 50);
        ChangeImageBytes(image, kExtensionHdv, [&](Volume& volume) {
            if (i % 50 == 0) CreateFolderInVolume(volume, folder, {});
            return SaveIntoVolume(volume, folder + "/FILE" + std::to_string(i), small, false, {});
        });
    }
    FileToSave program{AppleKind::Applesoft, TokenizeApplesoft(ProgramText(36000))};
    if (!ReplaceFile(path, image, 0644)) return 1;
    std::printf("image: %zu bytes, program: %zu bytes\n", image.size(), program.data.size());

    const int rounds = 5;
    double copy = 0, save = 0, change = 0;
    for (int round = 0; round < rounds; ++round) {
        auto start = Clock::now();
        std::vector<uint8_t> bytes = ReadWhole(path);
        if (!ReplaceFile(path, bytes, 0644)) return 1;
        copy += Seconds(start);

        start = Clock::now();
        bytes = ReadWhole(path);
        auto changing = Clock::now();
        DiskChange made = ChangeImageBytes(bytes, kExtensionHdv, [&](Volume& volume) {
            return SaveIntoVolume(volume, "/BENCH/PROGRAM", program, true, {});
        });
        change += Seconds(changing);
        if (!made.Made()) {
            std::fprintf(stderr, "%s\n", ComposeMessage(made.message, made.text, made.value).text.c_str());
            return 1;
        }
        if (!ReplaceFile(path, bytes, 0644)) return 1;
        save += Seconds(start);
    }
    std::printf("copying the image with flush and rename: %.1f ms\n", 1000 * copy / rounds);
    std::printf("saving the program into it:              %.1f ms (%.2fx the copy), of which checking and changing in memory %.1f ms\n",
                1000 * save / rounds, save / copy, 1000 * change / rounds);
    std::remove(path.c_str());
    return 0;
}
