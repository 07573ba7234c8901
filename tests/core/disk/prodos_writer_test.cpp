// Writing ProDOS volumes: refusals that leave the volume as it was, changes
// read back through the readers, and files written as ProDOS writes them.
#include "core/disk/prodos_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "core/disk/image.h"
#include "core/disk/prodos.h"
#include "core/disk/prodos_check.h"
#include "core/disk/prodos_new_volume.h"
#include "core/disk/prodos_text.h"
#include "core/disk/volume.h"
#include "tests/core/disk/image_builder.h"

namespace {

const ProdosStamp kStamp = MakeProdosStamp(2024, 5, 17, 13, 45);

Volume Blank(int blocks = 280, int layout = LayoutProdos)
{
    std::vector<uint8_t> bytes = NewProdosVolume(blocks, "NEW.DISK", kStamp);
    return Volume(layout == LayoutProdos ? bytes : fixture::ToDosOrder(bytes), layout);
}

std::vector<uint8_t> Pattern(size_t size)
{
    std::vector<uint8_t> data(size);
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(i * 7 + i / 509);
    return data;
}

// The rows of the folder at `path` ("/NEW.DISK" or deeper), read by the browser's readers.
DirectoryListing List(const Volume& volume, std::string_view path, ImageFile& image)
{
    image.OpenBytes(volume.Bytes());
    std::string prefix;
    DirectoryListing listing = ListProdosVolume(image, volume.Layout(), prefix);
    for (size_t at = path.find('/', 1); at != std::string_view::npos; at = path.find('/', at + 1)) {
        std::string_view name = path.substr(at + 1, path.find('/', at + 1) - at - 1);
        for (const DirectoryRow& row : listing.rows)
            if (row.name == name) {
                listing = ListProdosSubdirectory(image, volume.Layout(), row.ref, prefix);
                break;
            }
    }
    return listing;
}

// The entry and contents of the file at `path`; an entry named "" when missing.
FileEntry Read(const Volume& volume, std::string_view path, std::vector<uint8_t>* contents = nullptr)
{
    ImageFile image;
    size_t slash = path.rfind('/');
    FileEntry entry;
    for (const DirectoryRow& row : List(volume, path.substr(0, slash), image).rows)
        if (row.name == path.substr(slash + 1)) {
            DecodeProdosEntry(row.ref, image, volume.Layout(), entry);
            if (contents && volume.Layout() == LayoutProdos) ReadProdosFile(row.ref, image, *contents);
            if (contents && volume.Layout() == LayoutProdosDosOrder) ReadProdosFileDosOrder(row.ref, image, *contents);
        }
    return entry;
}

// The free blocks the bit map (from block 6) counts.
int FreeBlocks(const Volume& volume)
{
    int free = 0;
    BlockBuffer bits;
    for (int b = 0; b < volume.BlockCount(); ++b) {
        if (b % 4096 == 0) volume.ReadBlock(6 + b / 4096, bits);
        free += (bits[static_cast<size_t>(b % 4096 / 8)] >> (7 - b % 8)) & 1;
    }
    return free;
}

void ExpectSound(const Volume& volume)
{
    ProdosVolumeCheck check = CheckProdosVolume(volume);
    EXPECT_TRUE(check.Writable()) << check.damage.text;
    EXPECT_TRUE(check.sharing.empty());
}

void Made(DiskChange change) { ASSERT_TRUE(change.Made()) << static_cast<int>(change.message) << " " << change.text; }

void SetBitMapFree(Volume& volume, int block)
{
    BlockBuffer bits;
    volume.ReadBlock(6, bits);
    bits[static_cast<size_t>(block / 8)] |= static_cast<uint8_t>(0x80 >> (block % 8));
    volume.WriteBlock(6, bits);
}

std::vector<uint8_t> SharedImage(const std::string& relative)
{
    std::ifstream in(std::string(TAVO_SHARED_DIR) + "/disks/" + relative, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(ProdosWriter, RefusalsLeaveTheVolumeByteForByte)
{
    auto text = [](const char* t) { return TextProdosFile(t); };
    struct Row {
        const char* name;
        std::function<void(Volume&)> setUp;
        std::function<DiskChange(Volume&)> change;
        Message expected;
        const char* says = "";
    };
    const Row rows[] = {
        {"disk full", {}, [&](Volume& v) { return CreateProdosFile(v, "/NEW.DISK/BIG", BinaryProdosFile(Pattern(273 * 512), 0), kStamp); },
         Message::DiskFull},
        {"disk full growing a folder", [&](Volume& v) {
             Made(CreateProdosFolder(v, "/NEW.DISK/SUB", kStamp));
             for (int i = 0; i < 12; ++i) Made(CreateProdosFile(v, "/NEW.DISK/SUB/F" + std::to_string(i), text(""), kStamp));
             Made(CreateProdosFile(v, "/NEW.DISK/FILL", BinaryProdosFile(Pattern(256 * 512), 0), kStamp));
             Made(CreateProdosFile(v, "/NEW.DISK/X", text(""), kStamp));
             Made(CreateProdosFile(v, "/NEW.DISK/Y", text(""), kStamp));
             ASSERT_EQ(FreeBlocks(v), 1);
         },
         [&](Volume& v) { return CreateProdosFile(v, "/NEW.DISK/SUB/LAST", text(""), kStamp); }, Message::DiskFull},
        {"volume directory full at 51", [&](Volume& v) {
             for (int i = 0; i < 51; ++i) Made(CreateProdosFile(v, "/NEW.DISK/F" + std::to_string(i), text("x"), kStamp));
         },
         [&](Volume& v) { return CreateProdosFolder(v, "/NEW.DISK/ONE.MORE", kStamp); }, Message::CatalogFull},
        {"used block marked free", [&](Volume& v) {
             Made(CreateProdosFile(v, "/NEW.DISK/HELLO", text("x"), kStamp));
             SetBitMapFree(v, 7);
         },
         [&](Volume& v) { return CreateProdosFile(v, "/NEW.DISK/NEW", text(""), kStamp); }, Message::DamagedVolume,
         "block 7 is used by /NEW.DISK/HELLO but marked free"},
        {"looping volume directory", [&](Volume& v) {
             BlockBuffer b;
             v.ReadBlock(5, b);
             b[2] = 3;
             v.WriteBlock(5, b);
         },
         [&](Volume& v) { return DeleteProdosFile(v, "/NEW.DISK/A"); }, Message::DamagedVolume},
        {"first character", {}, [&](Volume& v) { return CreateProdosFile(v, "/NEW.DISK/1ST", text(""), kStamp); },
         Message::AppleNameFirstCharacter},
        {"too long", {}, [&](Volume& v) { return CreateProdosFolder(v, "/NEW.DISK/ABCDEFGHIJKLMNOP", kStamp); },
         Message::AppleNameTooLong},
        {"bad character in a new name", [&](Volume& v) { Made(CreateProdosFile(v, "/NEW.DISK/A", text(""), kStamp)); },
         [&](Volume& v) { return RenameProdosFile(v, "/NEW.DISK/A", "B/C"); }, Message::ProdosNameCharacters},
        {"another volume", {}, [&](Volume& v) { return CreateProdosFile(v, "/OTHER/A", text(""), kStamp); },
         Message::AppleFileNotFound},
        {"missing file", {}, [&](Volume& v) { return ReplaceProdosFile(v, "/NEW.DISK/A", text(""), kStamp); },
         Message::AppleFileNotFound},
        {"missing folder", {}, [&](Volume& v) { return CreateProdosFile(v, "/NEW.DISK/NO/A", text(""), kStamp); },
         Message::AppleFileNotFound},
        {"existing name", [&](Volume& v) { Made(CreateProdosFile(v, "/NEW.DISK/A", text(""), kStamp)); },
         [&](Volume& v) { return CreateProdosFolder(v, "/new.disk/a", kStamp); }, Message::AppleFileExists},
        {"rename onto another", [&](Volume& v) {
             Made(CreateProdosFile(v, "/NEW.DISK/A", text(""), kStamp));
             Made(CreateProdosFile(v, "/NEW.DISK/B", text(""), kStamp));
         },
         [&](Volume& v) { return RenameProdosFile(v, "/NEW.DISK/A", "b"); }, Message::AppleFileExists},
        {"folder not empty", [&](Volume& v) {
             Made(CreateProdosFolder(v, "/NEW.DISK/SUB", kStamp));
             Made(CreateProdosFile(v, "/NEW.DISK/SUB/A", text(""), kStamp));
         },
         [&](Volume& v) { return DeleteProdosFile(v, "/NEW.DISK/SUB"); }, Message::FolderNotEmpty},
        {"blocks of two files", [&](Volume& v) {
             Made(CreateProdosFile(v, "/NEW.DISK/A", text("a"), kStamp));
             Made(CreateProdosFile(v, "/NEW.DISK/B", text("b"), kStamp));
             BlockBuffer dir;
             v.ReadBlock(2, dir);
             dir[4 + 2 * 39 + kEntryKeyByte] = 7;  // B's key block is A's
             v.WriteBlock(2, dir);
         },
         [&](Volume& v) { return DeleteProdosFile(v, "/NEW.DISK/B"); }, Message::SharedSectors},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Volume volume = Blank();
        if (row.setUp) row.setUp(volume);
        std::vector<uint8_t> before = volume.Bytes();
        DiskChange change = row.change(volume);
        EXPECT_EQ(change.message, row.expected) << change.text;
        EXPECT_NE(change.text.find(row.says), std::string::npos) << change.text;
        EXPECT_TRUE(volume.Bytes() == before);
    }
}

TEST(ProdosWriter, LockedFilesAreNotReplacedDeletedOrRenamed)
{
    Volume volume = Blank();
    Made(CreateProdosFile(volume, "/NEW.DISK/A", TextProdosFile("a"), kStamp));
    Made(LockProdosFile(volume, "/NEW.DISK/A", true));
    std::vector<uint8_t> locked = volume.Bytes();
    EXPECT_EQ(ReplaceProdosFile(volume, "/NEW.DISK/A", TextProdosFile("b"), kStamp).message, Message::AppleFileLocked);
    EXPECT_EQ(DeleteProdosFile(volume, "/NEW.DISK/A").message, Message::AppleFileLocked);
    EXPECT_EQ(RenameProdosFile(volume, "/NEW.DISK/A", "B").message, Message::AppleFileLocked);
    EXPECT_TRUE(volume.Bytes() == locked);
    Made(LockProdosFile(volume, "/NEW.DISK/A", false));
    Made(DeleteProdosFile(volume, "/NEW.DISK/A"));
}

TEST(ProdosWriter, FilesOfEverySizeReadBackOnBothLayouts)
{
    struct Row {
        size_t size;
        int storage, blocksUsed, key;  // key: the lowest free blocks in ProDOS's order
    };
    const Row rows[] = {{0, 1, 1, 7},       {1, 1, 1, 7},         {512, 1, 1, 7},
                        {513, 2, 3, 8},     {256 * 512, 2, 257, 8}, {256 * 512 + 1, 3, 260, 264}};
    for (int layout : {LayoutProdos, LayoutProdosDosOrder})
        for (const Row& row : rows) {
            if (layout == LayoutProdosDosOrder && row.storage == 3) continue;  // that reader reads no trees
            SCOPED_TRACE(std::to_string(layout) + ": " + std::to_string(row.size) + " bytes");
            Volume volume = Blank(1600, layout);
            int free = FreeBlocks(volume);
            std::vector<uint8_t> data = Pattern(row.size), read;
            Made(CreateProdosFile(volume, "/NEW.DISK/sub.file", BinaryProdosFile(data, 0x2000), kStamp));
            FileEntry entry = Read(volume, "/NEW.DISK/SUB.FILE", &read);
            EXPECT_EQ(entry.storageType, row.storage);
            EXPECT_EQ(entry.blocksUsed, row.blocksUsed);
            EXPECT_EQ(entry.keyPointer, row.key);
            EXPECT_EQ(entry.auxType, 0x2000);
            EXPECT_EQ(entry.volumeFileCount, 1);
            EXPECT_EQ(FreeBlocks(volume), free - row.blocksUsed);
            EXPECT_TRUE(read == data);
            ExpectSound(volume);
            Made(DeleteProdosFile(volume, "/NEW.DISK/SUB.FILE"));
            EXPECT_EQ(FreeBlocks(volume), free);
            EXPECT_EQ(Read(volume, "/NEW.DISK/SUB.FILE").Name(), "");
            ExpectSound(volume);
        }
}

TEST(ProdosWriter, ReplaceRenameLockAndFoldersReadBack)
{
    Volume volume = Blank();
    const ProdosStamp later = MakeProdosStamp(2025, 1, 2, 3, 4);
    Made(CreateProdosFile(volume, "/NEW.DISK/HELLO", ApplesoftProdosFile(Pattern(900)), kStamp));
    Made(ReplaceProdosFile(volume, "/NEW.DISK/HELLO", ApplesoftProdosFile(Pattern(40)), later));
    std::vector<uint8_t> read;
    FileEntry hello = Read(volume, "/NEW.DISK/HELLO", &read);
    EXPECT_TRUE(read == Pattern(40));
    EXPECT_EQ(hello.storageType, 1);
    EXPECT_EQ(hello.keyPointer, 7);
    EXPECT_EQ(hello.auxType, 0x0801);
    EXPECT_EQ(hello.createdDate, kStamp.date);
    EXPECT_EQ(hello.modifiedDate, later.date);
    EXPECT_EQ(FreeBlocks(volume), 272);

    Made(RenameProdosFile(volume, "/NEW.DISK/HELLO", "start"));
    Made(LockProdosFile(volume, "/NEW.DISK/START", true));
    ImageFile image;
    DirectoryListing root = List(volume, "/NEW.DISK", image);
    ASSERT_EQ(root.rows.size(), 1u);
    EXPECT_EQ(root.rows[0].name, "START");
    EXPECT_TRUE(root.rows[0].locked);

    Made(CreateProdosFolder(volume, "/NEW.DISK/OUTER", kStamp));
    Made(CreateProdosFolder(volume, "/NEW.DISK/OUTER/INNER", kStamp));
    Made(CreateProdosFile(volume, "/NEW.DISK/OUTER/INNER/T", TextProdosFile("ONE\nTWO\n"), kStamp));
    Made(RenameProdosFile(volume, "/NEW.DISK/OUTER/INNER", "DEEP"));
    EXPECT_TRUE(Read(volume, "/NEW.DISK/OUTER/DEEP/T", &read).fileType == 0x04);
    EXPECT_TRUE(read == fixture::Bytes("ONE\rTWO\r"));
    std::string prefix;
    image.OpenBytes(volume.Bytes());
    ListProdosSubdirectory(image, LayoutProdos, List(volume, "/NEW.DISK/OUTER", image).rows[0].ref, prefix);
    EXPECT_EQ(prefix, "DEEP/");  // the folder's own header carries the new name
    ExpectSound(volume);

    Made(DeleteProdosFile(volume, "/NEW.DISK/OUTER/DEEP/T"));
    Made(DeleteProdosFile(volume, "/NEW.DISK/OUTER/DEEP"));
    Made(DeleteProdosFile(volume, "/NEW.DISK/OUTER"));
    EXPECT_EQ(FreeBlocks(volume), 272);
    EXPECT_EQ(Read(volume, "/NEW.DISK/START").volumeFileCount, 1);
    ExpectSound(volume);
}

TEST(ProdosWriter, FolderGrowsByABlockPastTwelveEntries)
{
    Volume volume = Blank();
    Made(CreateProdosFolder(volume, "/NEW.DISK/SUB", kStamp));
    for (int i = 1; i <= 13; ++i) Made(CreateProdosFile(volume, "/NEW.DISK/SUB/F" + std::to_string(i), TextProdosFile(""), kStamp));
    FileEntry sub = Read(volume, "/NEW.DISK/SUB");
    EXPECT_EQ(sub.blocksUsed, 2);
    EXPECT_EQ(sub.eof, 1024);
    // As ProDOS grows a folder: the new directory block, then the file's own.
    EXPECT_EQ(Read(volume, "/NEW.DISK/SUB/F13").keyPointer, 21);
    ImageFile image;
    EXPECT_EQ(List(volume, "/NEW.DISK/SUB", image).rows.size(), 13u);
    ExpectSound(volume);
}

TEST(ProdosWriter, ReplacementFitsInTheSpaceOfTheFileItReplaces)
{
    Volume volume = Blank();
    Made(CreateProdosFile(volume, "/NEW.DISK/BIG", BinaryProdosFile(Pattern(250 * 512), 0), kStamp));
    std::vector<uint8_t> bigger = Pattern(255 * 512), read;
    EXPECT_EQ(CreateProdosFile(volume, "/NEW.DISK/BIG2", BinaryProdosFile(bigger, 0), kStamp).message, Message::DiskFull);
    Made(ReplaceProdosFile(volume, "/NEW.DISK/BIG", BinaryProdosFile(bigger, 0), kStamp));
    Read(volume, "/NEW.DISK/BIG", &read);
    EXPECT_TRUE(read == bigger);
    ExpectSound(volume);
}

// ProDOS itself wrote HELLO, THECHIP and THETEXT onto a blank /NEW.DISK; the
// same files written here into the blank image give the same volume. What
// differs: the dates (ProDOS took its clock's), and the version bytes of
// each entry, where ProDOS 2.4 writes $24 and this program 0.
TEST(ProdosWriter, WritesSmallFilesAsProdosDoes)
{
    std::vector<uint8_t> blank = SharedImage("a2kit/prodos-blank.po"), made = SharedImage("a2kit/prodos-smallfiles.do");
    if (blank.empty() || made.empty()) GTEST_SKIP() << "shared disk images missing";
    Volume prodos(made, LayoutProdosDosOrder), volume(blank, LayoutProdos);
    std::vector<uint8_t> hello, chip, text;
    Read(prodos, "/NEW.DISK/HELLO", &hello);
    Read(prodos, "/NEW.DISK/THECHIP", &chip);
    Read(prodos, "/NEW.DISK/THETEXT", &text);
    ASSERT_EQ(text, fixture::Bytes("HELLO FROM EMULATOR\r"));
    Made(CreateProdosFile(volume, "/NEW.DISK/HELLO", ApplesoftProdosFile(hello), kStamp));
    Made(CreateProdosFile(volume, "/NEW.DISK/THECHIP", BinaryProdosFile(chip, 0x300), kStamp));
    Made(CreateProdosFile(volume, "/NEW.DISK/THETEXT", TextProdosFile("HELLO FROM EMULATOR\r\n"), kStamp));
    for (const char* name : {"HELLO", "THECHIP", "THETEXT"}) {
        SCOPED_TRACE(name);
        std::vector<uint8_t> ours, theirs;
        FileEntry a = Read(volume, std::string("/NEW.DISK/") + name, &ours);
        FileEntry b = Read(prodos, std::string("/NEW.DISK/") + name, &theirs);
        EXPECT_EQ(a.storageType, b.storageType);
        EXPECT_EQ(a.fileType, b.fileType);
        EXPECT_EQ(a.auxType, b.auxType);
        EXPECT_EQ(a.eof, b.eof);
        EXPECT_EQ(a.blocksUsed, b.blocksUsed);
        EXPECT_EQ(a.keyPointer, b.keyPointer);
        EXPECT_TRUE(ours == theirs);
    }
    // Every block, the dates and versions left out.
    for (int block = 0; block < 280; ++block) {
        BlockBuffer x, y;
        volume.ReadBlock(block, x);
        prodos.ReadBlock(block, y);
        for (int slot = 0; block == 2 && slot < 13; ++slot)
            for (int i : {24, 25, 26, 27, 28, 29, 33, 34, 35, 36})
                if (slot > 0 || i < 30) x[static_cast<size_t>(4 + slot * 39 + i)] = y[static_cast<size_t>(4 + slot * 39 + i)] = 0;
        EXPECT_TRUE(x == y) << "block " << block;
    }
}

// prodos-ren-del.dsk is prodos-fill-dirs.dsk after ProDOS deleted a folder,
// a tree file and its emptied folder and renamed a file. The two disks were
// made in separate runs, so their folders' creation minutes differ ($1F and
// $21); every other byte is what ProDOS left.
TEST(ProdosWriter, DeletesAndRenamesAsProdosDid)
{
    std::vector<uint8_t> filled = SharedImage("a2kit/prodos-fill-dirs.dsk"), theirs = SharedImage("a2kit/prodos-ren-del.dsk");
    if (filled.empty() || theirs.empty()) GTEST_SKIP() << "shared disk images missing";
    Volume volume(filled, LayoutProdosDosOrder);
    Made(DeleteProdosFile(volume, "/NEW.DISK/INNER.DIRS/DIR1"));
    Made(DeleteProdosFile(volume, "/NEW.DISK/INNER.DIRS/DIR32/TREE"));
    Made(DeleteProdosFile(volume, "/NEW.DISK/INNER.DIRS/DIR32"));
    Made(RenameProdosFile(volume, "/NEW.DISK/INNER.DIRS/DIR53/TREE", "TREE53"));
    std::vector<uint8_t> ours = volume.Bytes();
    for (size_t i = 0; i < ours.size(); ++i)
        if (ours[i] == 0x1F && theirs[i] == 0x21 && filled[i] == 0x1F) ours[i] = 0x21;
    EXPECT_TRUE(ours == theirs);
}

TEST(ProdosNewVolume, IsEmptySoundAndAsFormatLaysItOut)
{
    for (int blocks : {280, 1600, 65535}) {
        SCOPED_TRACE(blocks);
        Volume volume(NewProdosVolume(blocks, "new.disk", kStamp), LayoutProdos);
        ASSERT_EQ(volume.BlockCount(), blocks);
        ExpectSound(volume);
        ImageFile image;
        EXPECT_TRUE(List(volume, "/NEW.DISK", image).rows.empty());
        EXPECT_EQ(FreeBlocks(volume), blocks - 6 - (blocks + 4095) / 4096);
    }
    EXPECT_TRUE(NewProdosVolume(65536, "A", kStamp).empty());
    EXPECT_TRUE(NewProdosVolume(280, "1A", kStamp).empty());
    // Other tools' blank volumes: the same but for the boot code in blocks 0 and 1.
    struct Row {
        const char* image;
        const char* name;
        ProdosStamp stamp;
    };
    for (const Row& row : {Row{"a2kit/prodos-blank.po", "NEW.DISK", {}}, Row{"ciderpress2/blank-140k.po", "BLANK140", {0x2CAE, 0x0F03}}}) {
        SCOPED_TRACE(row.image);
        std::vector<uint8_t> theirs = SharedImage(row.image);
        if (theirs.empty()) GTEST_SKIP() << "shared disk images missing";
        std::vector<uint8_t> ours = NewProdosVolume(280, row.name, row.stamp);
        EXPECT_TRUE(std::equal(ours.begin() + 512, ours.end(), theirs.begin() + 512));
    }
}

TEST(ProdosWriter, StampsAndText)
{
    EXPECT_EQ(FormatProdosDateTime(kStamp.date, kStamp.time), "05/17/2024     1:45 PM");
    EXPECT_EQ(MakeProdosStamp(2039, 12, 31, 0, 0).date >> 9, 39);
    EXPECT_EQ(MakeProdosStamp(1940, 1, 1, 0, 0).date >> 9, 40);
    EXPECT_EQ(MakeProdosStamp(1939, 1, 1, 0, 0).date, 0);
    EXPECT_EQ(ProdosTextBytes("A\r\nB\nC\rD\xC1"), fixture::Bytes("A\rB\rC\rDA"));
}
