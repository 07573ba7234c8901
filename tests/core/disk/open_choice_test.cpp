// What a document opened from an image shows, and finding files by path.
#include "core/disk/open_choice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/disk/apple_path.h"
#include "core/disk/containers/two_img.h"
#include "core/disk/dos33.h"
#include "core/disk/file_types.h"
#include "core/disk/image.h"
#include "core/disk/prodos.h"
#include "tests/core/disk/image_builder.h"
#include "tests/support/shared_data.h"

using fixture::DosBuilder;
using fixture::ProdosBuilder;
using fixture::TempImage;

namespace {

const char* kHexHeading = "   $     00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F        ASCII \n";

}  // namespace

TEST(OpenChoice, KindByFileType)
{
    struct Row {
        int layout, type;
        DocumentKind kind;
    } rows[] = {
        {LayoutProdos, 0xFC, DocumentKind::Applesoft}, {LayoutProdos, 0x04, DocumentKind::Text}, {LayoutProdosDosOrder, 0xFA, DocumentKind::Integer},
        {LayoutProdos, 0x06, DocumentKind::Bin},       {LayoutProdos, 0x02, DocumentKind::Bin},  {LayoutProdos, 0x00, DocumentKind::Bin},
        {LayoutDos33, 2, DocumentKind::Applesoft},     {LayoutDos33, 0x82, DocumentKind::Applesoft}, {LayoutDos33, 0, DocumentKind::Text},
        {LayoutDos33, 0x80, DocumentKind::Text},       {LayoutDos33, 1, DocumentKind::Integer},  {LayoutDos33, 4, DocumentKind::Bin},
        {LayoutDos33, 3, DocumentKind::Bin},           {LayoutDos33, 0x40, DocumentKind::Bin},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        FileEntry e;
        e.layout = row.layout;
        e.fileType = row.type;
        EXPECT_EQ(DocumentKindFor(e), row.kind);
    }
}

TEST(OpenChoice, TextFilesOfBothSystems)
{
    ProdosBuilder p(280, "V");
    EntryRef prodosText = p.AddFile(0, "T", fixture::Bytes("HELLO\r"), {.fileType = 0x04});
    EntryRef fourBytes = p.AddFile(0, "F", fixture::Bytes("AB\x01" "C"), {.fileType = 0x04});
    TempImage prodosImage(p.BlockOrder(), "po");
    DosBuilder d;
    EntryRef dosText = d.AddFile("T", 0, fixture::DosText("HELLO\n"));
    std::vector<uint8_t> twoSectors(356, 0xC1);
    EntryRef padded = d.AddFile("P", 0, twoSectors);
    TempImage dosImage(d.Bytes(), "do");

    FileEntry e;
    DocumentContent c = OpenImageEntry(prodosImage.path(), LayoutProdos, prodosText, false, e);
    EXPECT_TRUE(c.opened);
    EXPECT_EQ(c.kind, DocumentKind::Text);
    EXPECT_EQ(c.text, "HELLO\n");
    EXPECT_EQ(OpenImageEntry(prodosImage.path(), LayoutProdos, fourBytes, false, e).text, "AB C");

    c = OpenImageEntry(dosImage.path(), LayoutDos33, dosText, false, e);
    EXPECT_EQ(c.kind, DocumentKind::Text);
    EXPECT_EQ(c.text.substr(0, 6), "HELLO\n");
    EXPECT_EQ(c.text.size(), 256u) << "the whole sector, its zero padding as blanks";
    // Two sectors, the text ending at byte 100 of the second: 512 characters.
    c = OpenImageEntry(dosImage.path(), LayoutDos33, padded, false, e);
    EXPECT_EQ(e.eof, 356);
    EXPECT_EQ(c.text, std::string(356, 'A') + std::string(156, ' '));
}

TEST(OpenChoice, ListingsHexDumpsAndCtrl)
{
    // 10 HOME : PRINT "HI" as a ProDOS program at $0801 and a DOS 3.3 one.
    std::vector<uint8_t> program = {0x0F, 0x08, 0x0A, 0x00, 0x97, 0x3A, 0xBA, 0x22, 0x48, 0x49, 0x22, 0x00, 0x00, 0x00};
    std::vector<uint8_t> dosProgram = {static_cast<uint8_t>(program.size()), 0};
    dosProgram.insert(dosProgram.end(), program.begin(), program.end());
    const std::string listing = "10  HOME : PRINT \"HI\"\r";
    std::vector<uint8_t> binary = {0xC1, 0xC2, 0x8D, 0x00, 0x41};

    ProdosBuilder p(280, "V");
    EntryRef bas = p.AddFile(0, "BAS", program, {.fileType = 0xFC, .auxType = 0x0801});
    EntryRef bin = p.AddFile(0, "BIN", binary, {.fileType = 0x06, .auxType = 0x2000});
    TempImage prodosImage(p.BlockOrder(), "po");
    DosBuilder d;
    EntryRef dosBas = d.AddFile("BAS", 2, dosProgram);
    std::vector<uint8_t> dosBinary = {0x00, 0x20, 0x02, 0x00, 0xC1, 0xC2};
    EntryRef dosBin = d.AddFile("BIN", 4, dosBinary);
    TempImage dosImage(d.Bytes(), "do");

    FileEntry e;
    DocumentContent c = OpenImageEntry(prodosImage.path(), LayoutProdos, bas, false, e);
    EXPECT_EQ(c.kind, DocumentKind::Applesoft);
    EXPECT_EQ(c.text, listing);
    EXPECT_EQ(c.message, Message::None);
    c = OpenImageEntry(dosImage.path(), LayoutDos33, dosBas, false, e);
    EXPECT_EQ(c.text, listing);

    // Dumps count their offsets from 0, whatever the load address.
    c = OpenImageEntry(prodosImage.path(), LayoutProdos, bin, false, e);
    EXPECT_EQ(c.kind, DocumentKind::Bin);
    EXPECT_EQ(c.text, std::string(kHexHeading) + "\n000000   C1 C2 8D 00 41 " + std::string(11 * 3 + 2, ' ') + "AB  A\n");
    // A DOS 3.3 dump covers the whole sector, header included; the byte past
    // the file's end reads as zero.
    c = OpenImageEntry(dosImage.path(), LayoutDos33, dosBin, false, e);
    EXPECT_EQ(e.eof, 6);
    EXPECT_EQ(c.text.substr(0, std::strlen(kHexHeading) + 60),
              std::string(kHexHeading) + "\n000000   00 20 02 00 C1 C2 00 00 00 00 00 00 00 00 00 00   ");
    EXPECT_EQ(std::count(c.text.begin(), c.text.end(), '\n'), 2 + 16);

    // Ctrl held: an Applesoft program as a dump, in an Applesoft window.
    c = OpenImageEntry(prodosImage.path(), LayoutProdos, bas, true, e);
    EXPECT_EQ(c.kind, DocumentKind::Applesoft);
    EXPECT_EQ(c.text.rfind(kHexHeading, 0), 0u);
    EXPECT_NE(c.text.find("000000   0F 08 0A 00 97"), std::string::npos);
}

TEST(OpenChoice, FailuresAndNonStandardPrograms)
{
    ProdosBuilder p(1600, "V");
    EntryRef tree = p.AddFile(0, "TREE", std::vector<uint8_t>(140000, 1), {.fileType = 0x04});
    EntryRef forked = p.AddFile(0, "FORK", {1}, {.storageType = 5});
    std::vector<uint8_t> badToken = {0x07, 0x08, 0x0A, 0x00, 0x97, 0xFF, 0x00, 0x00, 0x00};
    EntryRef bad = p.AddFile(0, "BAD", badToken, {.fileType = 0xFC, .auxType = 0x0801});
    EntryRef missing = p.AddFile(0, "GONE", std::vector<uint8_t>(1500, 2));
    auto index = p.Block(p.Entry(missing)[17] | (p.Entry(missing)[18] << 8));
    index[1] = 0xFF;  // the second data block lies past the image
    index[257] = 0xFF;
    TempImage block(p.BlockOrder(), "po");
    TempImage dosOrder(p.DosOrder(), "dsk");

    FileEntry e;
    DocumentContent c = OpenImageEntry(dosOrder.path(), LayoutProdosDosOrder, tree, false, e);
    EXPECT_FALSE(c.opened);
    EXPECT_EQ(c.message, Message::UnsupportedStorageType) << "no tree files in DOS order";
    EXPECT_EQ(OpenImageEntry(block.path(), LayoutProdos, tree, false, e).text.size(), 140000u);
    c = OpenImageEntry(block.path(), LayoutProdos, forked, false, e);
    EXPECT_EQ(c.message, Message::UnsupportedStorageType);
    c = OpenImageEntry(block.path(), LayoutProdos, missing, false, e);
    EXPECT_EQ(c.message, Message::AppleFileReadError);
    EXPECT_EQ(c.value, -2);
    c = OpenImageEntry(block.path(), LayoutProdos, MakeProdosEntryRef(2, 20), false, e);
    EXPECT_EQ(c.message, Message::AppleFileReadError);
    EXPECT_EQ(c.value, -1);
    c = OpenImageEntry(block.path(), LayoutProdos, bad, false, e);
    EXPECT_TRUE(c.opened);
    EXPECT_EQ(c.message, Message::NonStandardFile);
    EXPECT_EQ(c.text, "10  HOME \r") << "the line listed so far is kept";

    DosBuilder d;
    EntryRef dosFile = d.AddFile("X", 2, {4, 0, 1, 8, 0, 0});
    d.FirstList(dosFile)[5] = 1;
    TempImage dosImage(d.Bytes(), "do");
    c = OpenImageEntry(dosImage.path(), LayoutDos33, dosFile, false, e);
    EXPECT_FALSE(c.opened);
    EXPECT_EQ(c.message, Message::AppleFileReadError);
    EXPECT_EQ(c.value, -2);
    c = OpenImageEntry(dosImage.path(), LayoutDos33, MakeDosEntryRef(17, 15, 9), false, e);
    EXPECT_EQ(c.value, -5);
}

// A disk out of a container whose sectors did not all decode: what can be
// read is, and what cannot is named.
TEST(OpenChoice, SectorsTheDiskDidNotYield)
{
    auto file = shared_data::ReadBytes("disks/ciderpress2/dos33-disk.2mg");
    if (!file) GTEST_SKIP() << "dos33-disk.2mg missing";
    DecodedImage disk = DecodeTwoImg(*file);
    disk.unreadable.assign(disk.bytes.size() / 256, false);
    ImageFile image;
    image.OpenDecoded(disk);
    const EntryRef hello = MakeDosEntryRef(17, 15, 0);  // the disk's one file
    FileEntry e;
    SectorBuffer list;
    ASSERT_TRUE(DecodeDosEntry(hello, image, e) == DosEntryDecoded && ReadSectorFrom(image, list, e.tsListTrack, e.tsListSector));
    disk.unreadable[list[12] * 16u + list[13]] = true;  // its first data sector
    image.OpenDecoded(disk);
    DocumentContent c = OpenImageEntry(image, LayoutDos33, hello, false, e);
    EXPECT_EQ(c.message, Message::UnreadableSectors);
    EXPECT_EQ(c.detail, "HELLO (track " + std::to_string(list[12]) + " sector " + std::to_string(list[13]) + ")");
    disk.unreadable[17 * 16] = true;  // the VTOC
    image.OpenDecoded(disk);
    int layout = 0;
    std::string prefix;
    EXPECT_EQ(ListProdosDirectory(image, kExtension2mg, layout, 1, 0, prefix).message, Message::NoListableVolume);
}

TEST(ApplePath, DirectoriesAndFilesByPath)
{
    ProdosBuilder p(280, "VOL");
    int a = p.AddDirectory(0, "A");
    int b = p.AddDirectory(a, "B");
    EntryRef hello = p.AddFile(b, "HELLO", {1});
    p.AddFile(0, "TOP", {2});
    TempImage image(p.BlockOrder(), "po");
    int ext = ImageExtensionIndexOf(image.path());
    struct Row {
        const char* path;
        unsigned message;
        const char* prefix;
        size_t rows;
    } dirs[] = {
        {"", 0, "/VOL/", 2},       {"/", 0, "/VOL/", 2},     {"/VOL/", 0, "/VOL/", 2}, {"/vol/a/", 0, "/VOL/A/", 1},
        {"/VOL/A/B", 0, "/VOL/A/B/", 1}, {"/OTHER/", 3, "", 0}, {"/VOL/TOP/", 3, "", 0}, {"/VOL/C/", 3, "", 0},
    };
    for (const Row& row : dirs) {
        SCOPED_TRACE(row.path);
        int layout = 0;
        AppleDirectory dir;
        EXPECT_EQ(static_cast<unsigned>(OpenAppleDirectory(image.path(), ext, row.path, layout, dir)), row.message);
        if (row.message == 0) {
            EXPECT_EQ(dir.prefix, row.prefix);
            EXPECT_EQ(dir.listing.rows.size(), row.rows);
        }
    }
    int layout = 0;
    AppleDirectory dir;
    DirectoryRow row;
    ASSERT_EQ(FindAppleEntry(image.path(), ext, "/VOL/A/B/HELLO", layout, dir, row), Message::None);
    EXPECT_EQ(row.ref, hello);
    EXPECT_EQ(dir.prefix, "/VOL/A/B/");
    EXPECT_EQ(dir.level, 3);
    ASSERT_EQ(FindAppleEntry(image.path(), ext, "/VOL/A", layout, dir, row), Message::None);
    EXPECT_EQ(row.icon, kFolderIcon);
    EXPECT_EQ(FindAppleEntry(image.path(), ext, "/VOL/A/B/NOPE", layout, dir, row), Message::CouldNotReadFile);
    EXPECT_EQ(FindAppleEntry(image.path() + ".x", 0, "/VOL/TOP", layout, dir, row), Message::UnknownImageFormat);

    DosBuilder d;
    d.AddFile("CASE TEST", 4, {0, 0, 1, 0, 1});
    EntryRef lower = d.AddFile("case test", 4, {0, 0, 1, 0, 2});
    d.AddFile("A/B", 0, fixture::DosText("X"));
    TempImage dosImage(d.Bytes(), "do");
    ASSERT_EQ(FindAppleEntry(dosImage.path(), kExtensionDo, "case test", layout, dir, row), Message::None);
    EXPECT_EQ(row.ref, lower) << "an exact match comes before one ignoring case";
    EXPECT_EQ(FindAppleEntry(dosImage.path(), kExtensionDo, "A/B", layout, dir, row), Message::None);
    EXPECT_EQ(FindAppleEntry(dosImage.path(), kExtensionDo, "Case Test", layout, dir, row), Message::None);
}

TEST(ApplePath, WalkEntersEachDirectoryOnce)
{
    ProdosBuilder p(280, "VOL");
    int a = p.AddDirectory(0, "A");
    int b = p.AddDirectory(a, "B");
    p.AddFile(b, "IN.B", {1});
    p.AddFile(a, "IN.A", {1});
    EntryRef loop = p.AddFile(b, "LOOP", {1}, {.fileType = 0x0F, .storageType = 0xD});
    // LOOP claims to be a directory whose key block is A's: A must not be
    // walked again through it.
    ProdosBuilder::Put16(p.Entry(loop), 17, p.DirectoryKeyBlock(a));
    TempImage image(p.BlockOrder(), "po");
    std::vector<std::string> seen;
    int layout = 0;
    EXPECT_EQ(WalkAppleImage(image.path(), kExtensionPo, layout,
                             [&](const AppleDirectory& dir, const DirectoryRow& row) {
                                 seen.push_back(dir.prefix + row.name);
                             }),
              Message::None);
    std::vector<std::string> expected = {"/VOL/A", "/VOL/A/B", "/VOL/A/B/IN.B", "/VOL/A/B/LOOP", "/VOL/A/IN.A"};
    EXPECT_EQ(seen, expected);
}
