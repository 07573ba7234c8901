// Image access: extensions, layout detection, sector and block reads.
#include "core/disk/image.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>

#include "core/disk/prodos.h"
#include "tests/core/disk/image_builder.h"

using fixture::TempImage;

namespace {

// An image whose every 256-byte piece holds its own piece number in byte 0
// and the low byte of it in byte 1, so a read shows where it came from.
std::vector<uint8_t> NumberedImage(size_t bytes)
{
    std::vector<uint8_t> image(bytes, 0);
    for (size_t piece = 0; piece * 256 < bytes; ++piece) {
        image[piece * 256] = static_cast<uint8_t>(piece & 0xFF);
        image[piece * 256 + 1] = static_cast<uint8_t>(piece >> 8);
    }
    return image;
}

int PieceAt(std::span<const uint8_t> bytes) { return bytes[0] | (bytes[1] << 8); }

}  // namespace

TEST(ImageExtension, IndexOfEachName)
{
    struct Row {
        const char* name;
        int index;
    } rows[] = {
        {"GAME.DSK", 1}, {"game.Dsk", 1}, {"a.2mg", 2}, {"HD.HDV", 3}, {"x.po", 4}, {"x.PO", 4},
        {"x.do", 5}, {"x.app", 6}, {"x.nib", 7}, {"x.fdi", 8}, {"x.dc", 9}, {"x.txt", 0},
        {"a.2IMG", 10}, {"x.nb2", 11}, {"x.woz", 12}, {"x.d13", 13}, {"x.img", 0},
        {"dsk", 0}, {"x.ddsk", 0}, {"x.pdo", 0}, {"x.", 0}, {"", 0}, {"C:\\dir.po\\file.do", 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ImageExtensionIndexOf(row.name), row.index);
    }
}

TEST(ImageRead, SectorAndBlockOffsets)
{
    TempImage image(NumberedImage(35 * 4096), "dsk");
    SectorBuffer sector;
    ASSERT_TRUE(ReadSector(sector, 2, 5, image.path()));
    EXPECT_EQ(PieceAt(sector), 2 * 16 + 5);
    ASSERT_TRUE(ReadSector(sector, 34, 15, image.path()));
    EXPECT_EQ(PieceAt(sector), 34 * 16 + 15);

    BlockBuffer block;
    ASSERT_TRUE(ReadBlock(block, 7, image.path()));
    EXPECT_EQ(PieceAt(block), 14);
    EXPECT_EQ(PieceAt(std::span<const uint8_t>(block).subspan(256)), 15);
}

TEST(ImageRead, DosOrderBlocksTakeTheirSectorsFromTheMap)
{
    TempImage image(NumberedImage(35 * 4096), "dsk");
    struct Row {
        int block;
        int firstOffset, secondOffset;  // file offsets of the two halves
    } rows[] = {
        {0, 0, 14 * 256},          {1, 13 * 256, 12 * 256}, {2, 2816, 2560},
        {3, 9 * 256, 8 * 256},     {4, 7 * 256, 6 * 256},   {5, 5 * 256, 4 * 256},
        {6, 3 * 256, 2 * 256},     {7, 1 * 256, 15 * 256},  {9, 7424, 7168},
        {279, 34 * 4096 + 256, 34 * 4096 + 15 * 256},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.block);
        BlockBuffer block;
        ASSERT_TRUE(ReadBlockDosOrder(block, row.block, image.path()));
        EXPECT_EQ(PieceAt(block), row.firstOffset / 256);
        EXPECT_EQ(PieceAt(std::span<const uint8_t>(block).subspan(256)), row.secondOffset / 256);
        BlockBuffer viaVolume;
        ASSERT_TRUE(ReadVolumeBlock(viaVolume, row.block, image.path(), LayoutProdosDosOrder));
        EXPECT_EQ(viaVolume, block);
    }
}

TEST(ImageRead, ShortAndImpossibleReadsFail)
{
    TempImage image(NumberedImage(1000), "po");
    SectorBuffer sector;
    BlockBuffer block;
    EXPECT_TRUE(ReadBlock(block, 0, image.path()));
    EXPECT_FALSE(ReadBlock(block, 1, image.path())) << "bytes 512-1023 run past the 1000-byte file";
    EXPECT_TRUE(ReadSector(sector, 0, 2, image.path()));
    EXPECT_FALSE(ReadSector(sector, 0, 4, image.path()));
    EXPECT_FALSE(ReadSector(sector, 0, 16, image.path())) << "sector 16 is not on a 16-sector track";
    EXPECT_FALSE(ReadSector(sector, -1, 0, image.path()));
    EXPECT_FALSE(ReadBlock(block, -1, image.path()));
    EXPECT_FALSE(ReadBlockDosOrder(block, 0, image.path())) << "the second half is sector 14";
    EXPECT_FALSE(ReadBlock(block, 0, image.path() + ".missing"));
    EXPECT_FALSE(ReadSector(sector, 0, 0, image.path() + ".missing"));
}

TEST(ImageRead, OneOpeningReadsAnyBytesAsTheImageHoldsThem)
{
    std::vector<uint8_t> bytes = NumberedImage(35 * 4096);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] ^= static_cast<uint8_t>(i * 7);  // no two pieces alike
    TempImage file(bytes, "dsk");
    ImageFile fromFile(file.path()), fromMemory{std::span<const uint8_t>(bytes)};
    struct Read {
        uint64_t offset;
        size_t count;
    } reads[] = {
        {0, 512},    {512, 512},      {4095, 2},     {4096 * 3 + 100, 5000}, {256, 256},  // back into a read window
        {17 * 4096, 4096}, {143360 - 1, 1}, {143360 - 600, 600}, {143360, 0},    {143360 - 1, 2},
        {143360, 1}, {~0ull - 10, 20},
    };
    for (ImageFile* image : {&fromFile, &fromMemory}) {
        SCOPED_TRACE(image == &fromFile ? "file" : "memory");
        EXPECT_EQ(image->Size(), bytes.size());
        for (const Read& read : reads) {
            SCOPED_TRACE(read.offset);
            std::vector<uint8_t> out(read.count, 0xEE);
            bool inside = read.offset <= bytes.size() && read.count <= bytes.size() - read.offset;
            ASSERT_EQ(image->ReadAt(read.offset, out), inside);
            if (inside) EXPECT_TRUE(std::equal(out.begin(), out.end(), bytes.begin() + static_cast<long>(read.offset)));
        }
    }
}

TEST(ImageRead, OnlyRegularFilesOpen)
{
    std::filesystem::path folder = std::filesystem::temp_directory_path() / ("tavo_special_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "x.po");
    std::string fifo = (folder / "f.po").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder / "z.po");
    TempImage regular(NumberedImage(512), "po");

    // Opening a FIFO for reading may wait for a writer: wait a while, then be one.
    auto opening = std::async(std::launch::async, [&] { return ImageFile().Open(fifo); });
    if (opening.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        ADD_FAILURE() << "opening a FIFO waits for a writer";
        int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        opening.wait();
        if (writer >= 0) close(writer);
    }
    EXPECT_FALSE(opening.get());
    ImageFile image;
    EXPECT_FALSE(image.Open((folder / "x.po").string())) << "a folder";
    EXPECT_FALSE(image.Open((folder / "z.po").string())) << "a device";
    EXPECT_TRUE(image.Open(regular.path()));
    EXPECT_EQ(image.Size(), 512u);
    std::filesystem::remove_all(folder);
}

TEST(ImageLayoutDetection, BootSignatures)
{
    const uint8_t dosBoot[32] = {0x01, 0xA5, 0x27, 0xC9, 0x09, 0xD0, 0x18, 0xA5, 0x2B, 0x4A, 0x4A,
                                 0x4A, 0x4A, 0x09, 0xC0, 0x85, 0x3F, 0xA9, 0x5C, 0x85, 0x3E, 0x18,
                                 0xAD, 0xFE, 0x08, 0x6D, 0xFF, 0x08, 0x8D, 0xFE, 0x08, 0xAE};
    auto withDosBoot = [&](size_t size) {
        std::vector<uint8_t> bytes(size, 0);
        std::copy(std::begin(dosBoot), std::end(dosBoot), bytes.begin());
        return bytes;
    };
    auto withProdosBoot = [&](bool blockOrder) {
        std::vector<uint8_t> bytes(143360, 0);
        fixture::WriteProdosBootBlock(bytes, blockOrder);
        return bytes;
    };
    std::vector<uint8_t> dosAndProdos = withDosBoot(143360);
    fixture::WriteProdosBootBlock(std::span<uint8_t>(dosAndProdos).subspan(1024), true);
    std::vector<uint8_t> almostDos = withDosBoot(143360);
    almostDos[31] = 0xAF;
    std::vector<uint8_t> prodosAlmostBlockOrder = withProdosBoot(true);
    prodosAlmostBlockOrder[264] = 0;

    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        int layout;
    } rows[] = {
        {"DOS 3.3 boot sector", withDosBoot(143360), LayoutDos33},
        {"DOS 3.3 boot sector and ProDOS further on", dosAndProdos, LayoutDos33},
        {"31 of 32 signature bytes", almostDos, LayoutNone},
        {"ProDOS in block order", withProdosBoot(true), LayoutProdos},
        {"ProDOS boot, other bytes at 256", withProdosBoot(false), LayoutProdosDosOrder},
        {"ProDOS boot, 8 of 9 bytes at 256", prodosAlmostBlockOrder, LayoutProdosDosOrder},
        {"zeros", std::vector<uint8_t>(143360, 0), LayoutNone},
        {"DOS boot in a file shorter than a block", withDosBoot(300), LayoutNone},
        {"empty file", {}, LayoutNone},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempImage image(row.bytes, "dsk");
        EXPECT_EQ(DetectImageLayout(image.path()), row.layout);
    }
    EXPECT_EQ(DetectImageLayout("/nonexistent/tavo/image.dsk"), LayoutNone);
}

TEST(ImageLayoutDecision, ByExtensionAndForDskByContents)
{
    fixture::ProdosBuilder prodos(280, "VOL");
    fixture::DosBuilder dos;
    TempImage prodosFile(prodos.BlockOrder(), "dsk");
    TempImage dosFile(dos.Bytes(), "dsk");
    for (int index = 0; index < kImageExtensionCount; ++index) {
        SCOPED_TRACE(index);
        int expectedForProdos = index == 1 || index == 3 || index == 4 ? LayoutProdos : index == 5 ? LayoutDos33 : 0;
        int expectedForDos = index == 1 || index == 5 ? LayoutDos33 : index == 3 || index == 4 ? LayoutProdos : 0;
        EXPECT_EQ(DecideImageLayout(index, prodosFile.path()), expectedForProdos);
        EXPECT_EQ(DecideImageLayout(index, dosFile.path()), expectedForDos);
    }
}

TEST(ImageLayoutDecision, AWrongExtensionOrAShortImageIsReported)
{
    fixture::ProdosBuilder prodos(280, "VOL");
    prodos.AddFile(0, "HELLO", fixture::Bytes("x"));
    fixture::DosBuilder dos;
    dos.AddFile("HELLO", 0, fixture::DosText("HI\n"));
    static const std::vector<uint8_t> kNoBytes, kOneByte = {0};
    const std::vector<uint8_t> prodosCut(prodos.BlockOrder().begin(), prodos.BlockOrder().begin() + 1024);
    const std::vector<uint8_t> dosCut(dos.Bytes().begin(), dos.Bytes().begin() + 17 * 4096);
    struct Row {
        const char* name;
        const std::vector<uint8_t>* bytes;
        const char* extension;
        unsigned message;
        size_t rows;
    } rows[] = {
        {"DOS 3.3 saved as .po", &dos.Bytes(), "po", 27, 0},
        {"DOS 3.3 saved as .hdv", &dos.Bytes(), "hdv", 27, 0},
        {"ProDOS saved as .do", &prodos.BlockOrder(), "do", 27, 0},
        {"ProDOS as .2mg", &prodos.BlockOrder(), "2mg", 56, 0},
        {"ProDOS as .nib", &prodos.BlockOrder(), "nib", 56, 0},
        {"ProDOS as .txt", &prodos.BlockOrder(), "txt", 27, 0},
        {"ProDOS as .po", &prodos.BlockOrder(), "po", 0, 1},
        {"DOS 3.3 as .do", &dos.Bytes(), "do", 0, 1},
        // Too short to hold the volume directory or the VTOC: not read, not empty.
        {"0 bytes as .hdv", &kNoBytes, "hdv", 3, 0},
        {"1 byte as .do", &kOneByte, "do", 3, 0},
        {"ProDOS cut before its volume directory, as .po", &prodosCut, "po", 3, 0},
        {"DOS 3.3 cut before its VTOC, as .do", &dosCut, "do", 3, 0},
        {"0 bytes as .dsk", &kNoBytes, "dsk", 27, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempImage image(*row.bytes, row.extension);
        int layout = -1;
        std::string prefix;
        DirectoryListing listing =
            ListProdosDirectory(image.path(), ImageExtensionIndexOf(image.path()), layout, 1, 0, prefix);
        EXPECT_EQ(static_cast<unsigned>(listing.message), row.message);
        EXPECT_EQ(listing.rows.size(), row.rows);
    }
}
