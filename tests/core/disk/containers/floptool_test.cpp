// Writing: changed sectors go back into their data fields in place, nothing
// else in the file changes, and both our decoder and an independent one read
// them back: floptool, from Debian's mame-tools, which shows a sector it
// cannot read as zeros. Its sectors of the shared images are ours too.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <numeric>

#include "core/disk/containers/gcr.h"
#include "tests/core/disk/containers/floppy_images.h"

namespace {

// floptool's sectors of an image in DOS order; empty when it fails.
std::vector<uint8_t> FloptoolSectors(const char* format, const std::filesystem::path& image, const std::filesystem::path& dir)
{
    std::filesystem::path out = dir / "floptool.do";
    std::filesystem::remove(out);
    std::string command = std::string("floptool flopconvert ") + format + " a2_16sect_dos '" + image.string() + "' '" + out.string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return {};
    std::ifstream in(out, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(FloppyWrites, ReadBackHereAndByFloptool)
{
    REQUIRE_FORMATS();
    bool floptool = std::system("command -v floptool >/dev/null 2>&1") == 0;
    std::string pattern = (std::filesystem::temp_directory_path() / "tavo-floptool-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    std::filesystem::path dir = pattern;
    const std::pair<const char*, const char*> cases[] = {
        {"dos33-bigfiles.woz", "woz"}, {"dos33-bigfiles.nib", "a2_nib"}, {"prodos-bigfiles.woz", "woz"}, {"prodos-bigfiles-woz1.woz", "woz"}};
    for (auto [name, format] : cases) {
        std::vector<uint8_t> file = floppy::Formats(name), before = file, sectors = floppy::Decode(name, file).bytes;
        if (floptool) EXPECT_EQ(sectors, FloptoolSectors(format, shared_data::DiskPath(std::string("formats/") + name), dir)) << name;
        EXPECT_TRUE(floppy::Encode(name, file, sectors));
        EXPECT_EQ(file, before) << name;
        // The boot sector, the catalog or volume directory, and a sector on each half of the disk.
        for (size_t sector : {0, 17 * 16 + 14, 2 * 16 + 11, 30 * 16 + 1})
            for (size_t i = 0; i < 256; i += 3) sectors[sector * 256 + i] ^= static_cast<uint8_t>(i + sector);
        ASSERT_TRUE(floppy::Encode(name, file, sectors)) << name;
        DecodedImage after = floppy::Decode(name, file);
        EXPECT_EQ(after.bytes, sectors) << name;
        EXPECT_EQ(after.readOnlyReason, "") << name;  // a WOZ's CRC32 made anew
        size_t changed = std::transform_reduce(file.begin(), file.end(), before.begin(), size_t{0}, std::plus<>(), std::not_equal_to<>());
        EXPECT_LE(changed, 4 * (kData62Nibbles + 1) + 4) << name;
        EXPECT_FALSE(floppy::Encode(name, file, std::span(sectors).first(4096)));
        std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        if (floptool) EXPECT_EQ(FloptoolSectors(format, dir / name, dir), sectors) << name;
    }
    std::filesystem::remove_all(dir);
    if (!floptool) GTEST_SKIP() << "floptool (Debian's mame-tools) is not installed: only our own decoder read the writes back";
}
