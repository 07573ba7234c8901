// 2MG images: the real ones other tools made, listed, written and refused;
// DOS-order disks told apart; header fields that point amiss.
#include "core/disk/containers/two_img.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/basic/applesoft_tokenizer.h"
#include "core/disk/apple_path.h"
#include "core/disk/image_change.h"
#include "core/disk/prodos_new_volume.h"
#include "core/disk/volume_changes.h"
#include "tests/core/disk/image_builder.h"
#include "tests/support/shared_data.h"

namespace {

using shared_data::DiskPath;

std::vector<uint8_t> Shared(const std::string& image) { return shared_data::ReadBytes("disks/" + image).value(); }

void Poke32(std::vector<uint8_t>& file, size_t at, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

// The real 2MG images, and plain disks put behind dos33-disk.2mg's DOS-order
// header, which are told apart by what they hold.
TEST(TwoImg, ImagesAreReadInTheOrderTheirHeadersGive)
{
    if (!std::filesystem::exists(DiskPath("formats/nonsense.2mg"))) GTEST_SKIP() << "no shared disks";
    auto behindDosHeader = [](const std::vector<uint8_t>& disk) {
        std::vector<uint8_t> file = Shared("ciderpress2/dos33-disk.2mg");
        std::copy(disk.begin(), disk.begin() + 143360, file.begin() + 64);
        return file;
    };
    const std::string dos = "2MG DOS order CdrP, volume 254, comment 0";
    struct Row { const char* what; std::vector<uint8_t> file; std::string facts; int layout; size_t rows; } rows[] = {
        {"dos33-disk.2mg", Shared("ciderpress2/dos33-disk.2mg"), dos, LayoutDos33, 1},
        {"prodos-disk.2mg", Shared("ciderpress2/prodos-disk.2mg"), "2MG ProDOS order CdrP write-protected, volume 200, comment 91",
         LayoutProdos, 2},
        {"nonsense.2mg", Shared("formats/nonsense.2mg"), dos, LayoutProdosDosOrder, 5},
        {"DOS 3.3 without DOS on tracks 0-2: its VTOC", behindDosHeader(Shared("ciderpress2/blank-nodos.do")), dos, LayoutDos33, 0},
        {"ProDOS without a boot block: its volume directory",
         behindDosHeader(fixture::ToDosOrder(NewProdosVolume(280, "NEW", {}))), dos, LayoutProdosDosOrder, 0},
        {"CP/M", behindDosHeader(Shared("a2kit/cpm-smallfiles.dsk")), dos, LayoutNone, 0},
        {"dos32-nib-disk.2mg", Shared("formats/dos32-nib-disk.2mg"), "2MG nibbles CdrP, volume 254, comment 0", LayoutDos32, 14},
    };
    std::string skipped;  // the nibbles, for as long as nibbles are not decoded
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const DecodedImage image = DecodeTwoImg(row.file);
        const ContainerFacts& f = image.facts;
        if (!image.Decoded() && row.layout == LayoutDos32) {
            skipped = std::string(row.what) + ": " + image.detail;
            continue;
        }
        EXPECT_EQ(f.format + " " + f.order + " " + f.creator + (f.writeProtected ? " write-protected" : "") + ", volume " +
                      std::to_string(f.dosVolume) + ", comment " + std::to_string(f.comment.size()),
                  row.facts);
        fixture::TempImage file(row.file, "2mg");
        int layout = -1;
        AppleDirectory directory;
        EXPECT_EQ(OpenAppleDirectory(file.path(), kExtension2mg, "", layout, directory),
                  row.layout ? Message::None : Message::NoListableVolume);
        EXPECT_EQ(layout, row.layout);
        EXPECT_EQ(directory.listing.rows.size(), row.rows);
    }
    EXPECT_TRUE(DecodeTwoImg(rows[1].file).facts.comment.starts_with("This is a 2IMG comment!\r\n"));
    // The 800 KB volume in DOS order is simple-sparse.po sector for sector.
    EXPECT_TRUE(DecodeTwoImg(rows[2].file).bytes == fixture::ToDosOrder(Shared("ciderpress2/simple-sparse.po")));
    if (!skipped.empty()) GTEST_SKIP() << skipped;
}

TEST(TwoImg, AWriteChangesOnlyTheDataAndAWriteProtectedImageNothing)
{
    if (!std::filesystem::exists(DiskPath("ciderpress2/prodos-disk.2mg"))) GTEST_SKIP() << "no shared disks";
    // Creator data after the disk, and the ProDOS image with its comment but without its flag.
    std::vector<uint8_t> dos = Shared("ciderpress2/dos33-disk.2mg"), prodos = Shared("ciderpress2/prodos-disk.2mg");
    Poke32(dos, 40, static_cast<uint32_t>(dos.size()));
    Poke32(dos, 44, 4);
    dos.insert(dos.end(), {'T', 'A', 'V', 'O'});
    std::vector<uint8_t> unprotected = prodos;
    unprotected[19] &= 0x7F;
    struct Row { std::vector<uint8_t> file; const char* applePath; Message message; } rows[] = {
        {dos, "NEW", Message::None}, {unprotected, "/FORKED/NEW", Message::None},
        {prodos, "/FORKED/NEW", Message::WriteProtectedImage}};
    const FileToSave program{AppleKind::Applesoft, TokenizeApplesoft("10 PRINT 1")};
    constexpr size_t kDataEnd = 64 + 143360;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.applePath);
        std::vector<uint8_t> bytes = row.file;
        DiskChange made = ChangeImageBytes(bytes, kExtension2mg, [&](Volume& volume) {
            return SaveIntoVolume(volume, row.applePath, program, false, {});
        });
        EXPECT_EQ(made.message, row.message) << made.text;
        EXPECT_EQ(bytes != row.file, made.Made());
        ASSERT_EQ(bytes.size(), row.file.size());
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 64, row.file.begin()));
        EXPECT_TRUE(std::equal(bytes.begin() + kDataEnd, bytes.end(), row.file.begin() + kDataEnd));
    }
}

TEST(TwoImg, HeaderFieldsThatPointAmissAreNamed)
{
    if (!std::filesystem::exists(DiskPath("ciderpress2/dos33-disk.2mg"))) GTEST_SKIP() << "no shared disks";
    struct Row { std::vector<std::pair<size_t, uint32_t>> fields; const char* detail; } rows[] = {
        {{{0, 0x484D4932}}, "does not start with \"2IMG\""},
        {{{8, 48}}, "header length is 48"},
        {{{12, 3}}, "format is 3"},
        {{{24, 16}}, "data offset points into the header"},
        {{{28, 143360 + 256}}, "data offset and length point past the end"},
        {{{28, 1000}}, "not a whole number of 256-byte sectors"},
        {{{32, 1024}, {36, 10}}, "comment overlaps the disk's data"},
        {{{40, 143424}, {44, 1}}, "creator data offset and length point past the end"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.detail);
        std::vector<uint8_t> file = Shared("ciderpress2/dos33-disk.2mg");
        for (auto [at, value] : row.fields) Poke32(file, at, value);
        EXPECT_NE(DecodeTwoImg(file).detail.find(row.detail), std::string::npos);
    }
    // Writers that give a ProDOS-order image only its blocks.
    std::vector<uint8_t> prodos = Shared("ciderpress2/prodos-disk.2mg");
    Poke32(prodos, 28, 0);
    EXPECT_EQ(DecodeTwoImg(prodos).bytes.size(), 143360u);
}
