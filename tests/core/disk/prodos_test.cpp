// ProDOS directories, entries and files, on images built by the fixture code.
#include "core/disk/prodos.h"

#include <gtest/gtest.h>

#include "core/disk/file_types.h"
#include "core/disk/image.h"
#include "tests/core/disk/image_builder.h"

using fixture::ProdosBuilder;
using fixture::ProdosFileOptions;
using fixture::TempImage;

namespace {

std::vector<uint8_t> Pattern(size_t size, int seed = 0)
{
    std::vector<uint8_t> data(size);
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>((i * 7 + i / 251 + static_cast<size_t>(seed)) & 0xFF);
    return data;
}

std::vector<std::string> Names(const DirectoryListing& listing)
{
    std::vector<std::string> names;
    for (const DirectoryRow& row : listing.rows) names.push_back(row.name);
    return names;
}

}  // namespace

TEST(ProdosDirectory, VolumeDirectoryOfFourBlocksInOnDiskOrder)
{
    ProdosBuilder b(280, "MY.VOL");
    std::vector<EntryRef> refs;
    for (int i = 0; i < 45; ++i) refs.push_back(b.AddFile(0, "F" + std::to_string(i), fixture::Bytes("x")));
    // Deleted entries, wherever they are, never appear.
    b.Entry(refs[0])[0] = 0;
    b.Entry(refs[12])[0] = 0x05;  // storage type 0, a name length left behind
    b.Entry(refs[44])[0] = 0;
    TempImage image(b.BlockOrder(), "po");
    std::string prefix = "/OLD/";
    DirectoryListing listing = ListProdosVolume(image.path(), LayoutProdos, prefix);
    EXPECT_EQ(listing.message, Message::None);
    EXPECT_EQ(prefix, "/MY.VOL/");
    ASSERT_EQ(listing.rows.size(), 42u);
    EXPECT_EQ(listing.rows.front().name, "F1");
    EXPECT_EQ(listing.rows.back().name, "F43");
    // The key block holds the header and F0-F11; the next blocks 13 each.
    EXPECT_EQ(listing.rows[0].ref, 2u * 65536 + 2);   // F1
    EXPECT_EQ(listing.rows[11].ref, 1u * 65536 + 3);  // F13, after the deleted F12 at index 0 of block 3
    EXPECT_EQ(listing.rows[40].ref, 4u * 65536 + 5);  // F42 in the fourth block
}

TEST(ProdosDirectory, RowsCarryIconAndLockedState)
{
    ProdosBuilder b(280, "V");
    b.AddFile(0, "PRODOS", {1}, {.fileType = 0xFF});
    b.AddFile(0, "BASIC.SYSTEM", {1}, {.fileType = 0xFF});
    b.AddFile(0, "OTHER.SYSTEM", {1}, {.fileType = 0xFF, .access = 0x01});
    b.AddFile(0, "PROG", {1}, {.fileType = 0xFC, .access = 0x21});
    b.AddDirectory(0, "SUB");
    TempImage image(b.BlockOrder(), "po");
    std::string prefix;
    DirectoryListing listing = ListProdosVolume(image.path(), LayoutProdos, prefix);
    ASSERT_EQ(listing.rows.size(), 5u);
    int icons[] = {6, 13, 11, 8, kFolderIcon};
    bool locked[] = {false, false, true, true, false};
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(listing.rows[i].name);
        EXPECT_EQ(listing.rows[i].icon, icons[i]);
        EXPECT_EQ(listing.rows[i].locked, locked[i]);
    }
}

TEST(ProdosDirectory, SubdirectoriesSeveralLevelsDeepExtendThePrefix)
{
    ProdosBuilder b(1600, "DEEP");
    int dir = 0;
    std::vector<int> dirs;
    for (int level = 0; level < 5; ++level) {
        dir = b.AddDirectory(dir, "L" + std::to_string(level));
        dirs.push_back(dir);
    }
    // The innermost directory takes three blocks.
    for (int i = 0; i < 30; ++i) b.AddFile(dir, "N" + std::to_string(i), Pattern(10));
    TempImage image(b.BlockOrder(), "po");
    std::string prefix;
    ListProdosVolume(image.path(), LayoutProdos, prefix);
    for (size_t i = 0; i < dirs.size(); ++i) {
        DirectoryListing listing = ListProdosSubdirectory(image.path(), LayoutProdos, b.DirectoryRef(dirs[i]), prefix);
        EXPECT_EQ(listing.message, Message::None);
        if (i + 1 < dirs.size()) {
            ASSERT_EQ(listing.rows.size(), 1u);
            EXPECT_EQ(listing.rows[0].ref, b.DirectoryRef(dirs[i + 1]));
        } else {
            EXPECT_EQ(listing.rows.size(), 30u);
        }
    }
    EXPECT_EQ(prefix, "/DEEP/L0/L1/L2/L3/L4/");

    // The browser's entry point does the same after deciding the layout.
    int layout = 0;
    std::string viaBrowser = "/DEEP/L0/L1/L2/L3/";
    DirectoryListing inner = ListProdosDirectory(image.path(), kExtensionPo, layout, 6, b.DirectoryRef(dirs[4]), viaBrowser);
    EXPECT_EQ(layout, LayoutProdos);
    EXPECT_EQ(inner.rows.size(), 30u);
    EXPECT_EQ(viaBrowser, "/DEEP/L0/L1/L2/L3/L4/");
    EXPECT_TRUE(ListProdosDirectory(image.path(), kExtensionPo, layout, 0, 0, viaBrowser).rows.empty());
}

TEST(ProdosDirectory, DosOrderImagesListTheSame)
{
    ProdosBuilder b(280, "DOSORD");
    int sub = b.AddDirectory(0, "SUB");
    for (int i = 0; i < 20; ++i) b.AddFile(sub, "S" + std::to_string(i), Pattern(600));
    TempImage image(b.DosOrder(), "dsk");
    int layout = 0;
    std::string prefix;
    DirectoryListing volume = ListProdosDirectory(image.path(), kExtensionDsk, layout, 1, 0, prefix);
    EXPECT_EQ(layout, LayoutProdosDosOrder);
    ASSERT_EQ(Names(volume), std::vector<std::string>{"SUB"});
    DirectoryListing inner = ListProdosDirectory(image.path(), kExtensionDsk, layout, 2, volume.rows[0].ref, prefix);
    EXPECT_EQ(inner.rows.size(), 20u);
    EXPECT_EQ(prefix, "/DOSORD/SUB/");
}

TEST(ProdosDirectory, DamagedDirectoriesEndCleanly)
{
    struct Row {
        const char* name;
        void (*damage)(ProdosBuilder&, int sub);
        size_t volumeRows;
        unsigned volumeMessage;
        size_t subRows;
        unsigned subMessage;
    } rows[] = {
        {"volume chain loops back to its first block",
         [](ProdosBuilder& b, int) { ProdosBuilder::Put16(b.Block(3), 2, 2); }, 13, 0, 3, 0},
        {"volume chain loops onto itself",
         [](ProdosBuilder& b, int) { ProdosBuilder::Put16(b.Block(2), 2, 2); }, 12, 0, 3, 0},
        {"volume chain leaves the image",
         [](ProdosBuilder& b, int) { ProdosBuilder::Put16(b.Block(2), 2, 60000); }, 12, 0, 3, 0},
        {"subdirectory chain loops",
         [](ProdosBuilder& b, int sub) {
             int key = b.DirectoryKeyBlock(sub);
             ProdosBuilder::Put16(b.Block(key), 2, key);
         }, 13, 0, 3, 0},
        {"volume entry length 40", [](ProdosBuilder& b, int) { b.Block(2)[35] = 40; }, 0, 27, 3, 0},
        {"volume entries per block 12", [](ProdosBuilder& b, int) { b.Block(2)[36] = 12; }, 0, 27, 3, 0},
        {"subdirectory claims 255 entries per block",
         [](ProdosBuilder& b, int sub) { b.Block(b.DirectoryKeyBlock(sub))[36] = 255; }, 13, 0, 3, 0},
        {"subdirectory entry length 0",
         [](ProdosBuilder& b, int sub) { b.Block(b.DirectoryKeyBlock(sub))[35] = 0; }, 13, 0, 0, 27},
        {"subdirectory key pointer off the image",
         [](ProdosBuilder& b, int sub) { ProdosBuilder::Put16(b.Entry(b.DirectoryRef(sub)), 17, 65535); }, 13, 0, 0, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ProdosBuilder b(280, "V");
        int sub = b.AddDirectory(0, "SUB");
        for (int i = 0; i < 3; ++i) b.AddFile(sub, "IN" + std::to_string(i), {1});
        for (int i = 0; i < 12; ++i) b.AddFile(0, "F" + std::to_string(i), {1});
        EntryRef subRef = b.DirectoryRef(sub);
        row.damage(b, sub);
        TempImage image(b.BlockOrder(), "po");
        std::string prefix;
        DirectoryListing volume = ListProdosVolume(image.path(), LayoutProdos, prefix);
        EXPECT_EQ(volume.rows.size(), row.volumeRows);
        EXPECT_EQ(static_cast<unsigned>(volume.message), row.volumeMessage);
        DirectoryListing inner = ListProdosSubdirectory(image.path(), LayoutProdos, subRef, prefix);
        EXPECT_EQ(inner.rows.size(), row.subRows);
        EXPECT_EQ(static_cast<unsigned>(inner.message), row.subMessage);
    }
}

TEST(ProdosEntry, DecodesEveryField)
{
    ProdosBuilder b(1600, "FACTS", 0x1234, 0x0A1E);
    ProdosFileOptions options{.fileType = 0x04, .auxType = 0x2000, .access = 0xC3,
                              .createdDate = 0xBE67, .createdTime = 0x0E05,
                              .modifiedDate = 0x0A27, .modifiedTime = 0x0C00};
    options.eofOverride = 0x012345;
    EntryRef ref = b.AddFile(0, "LETTERS.TXT", Pattern(1000), options);
    b.Entry(ref)[28] = 0x24;  // version
    b.Entry(ref)[29] = 0x01;  // min version
    TempImage image(b.BlockOrder(), "po");
    FileEntry e;
    e.dosOrderFlag = 9;  // decoding clears the record first
    ASSERT_EQ(DecodeProdosEntry(ref, image.path(), LayoutProdos, e), 0);
    EXPECT_EQ(e.storageType, 2);
    EXPECT_EQ(e.nameLength, 11);
    EXPECT_EQ(e.Name(), "LETTERS.TXT");
    EXPECT_EQ(e.fileType, 0x04);
    EXPECT_EQ(e.blocksUsed, 3);
    EXPECT_EQ(e.eof, 74565);
    EXPECT_EQ(e.createdDate, 0xBE67);
    EXPECT_EQ(e.createdTime, 0x0E05);
    EXPECT_EQ(e.modifiedDate, 0x0A27);
    EXPECT_EQ(e.modifiedTime, 0x0C00);
    EXPECT_EQ(e.version, 0x24);
    EXPECT_EQ(e.minVersion, 0x01);
    EXPECT_EQ(e.auxType, 0x2000);
    EXPECT_EQ(e.headerPointer, 2);
    // Access $C3: read, write, rename, destroy; not backup, not invisible.
    EXPECT_NE(e.canRead, 0);
    EXPECT_NE(e.canWrite, 0);
    EXPECT_NE(e.canRename, 0);
    EXPECT_NE(e.canDestroy, 0);
    EXPECT_EQ(e.backupNeeded, 0);
    EXPECT_EQ(e.invisible, 0);
    EXPECT_EQ(e.layout, LayoutProdos);
    EXPECT_EQ(e.dosOrderFlag, 0);
    EXPECT_EQ(e.tsListTrack, 0);
    EXPECT_EQ(e.volumeTotal, 1600);
    EXPECT_EQ(e.volumeFileCount, 1);
    EXPECT_EQ(e.volumeCreatedDate, 0x1234);
    EXPECT_EQ(e.volumeCreatedTime, 0x0A1E);
    EXPECT_EQ(e.volumeFreeBytes, b.FreeBlocks() * 512);
}

TEST(ProdosEntry, FreeSpaceComesFromEveryBitMapBlock)
{
    // 65535 blocks need 16 bit-map blocks; the last of them maps blocks 61440 on.
    ProdosBuilder b(65535, "BIG");
    EntryRef ref = b.AddFile(0, "A", {1});
    for (int block = 61440; block < 61450; ++block) b.SetFree(block, false);
    // Bits past the volume's last block are no blocks at all.
    auto lastMap = b.Block(b.BitMapStart() + 15);
    lastMap[511] = 0xFF;
    TempImage image(b.BlockOrder(), "hdv");
    FileEntry e;
    ASSERT_EQ(DecodeProdosEntry(ref, image.path(), LayoutProdos, e), 0);
    int used = 2 + 4 + 16 + 1;  // boot blocks, directory, bit map, the file
    EXPECT_EQ(e.volumeFreeBytes, (65535 - used - 10) * 512);

    std::vector<uint8_t> cut(b.BlockOrder().begin(), b.BlockOrder().begin() + static_cast<long>((b.BitMapStart() + 15) * 512));
    TempImage truncated(cut, "hdv");
    EXPECT_EQ(DecodeProdosEntry(ref, truncated.path(), LayoutProdos, e), -1) << "the 16th bit-map block is missing";
}

TEST(ProdosFile, ABitMapPastTheImageFailsReadingAsItFailsDecoding)
{
    for (bool dosOrder : {false, true}) {
        SCOPED_TRACE(dosOrder ? "DOS order" : "block order");
        int layout = dosOrder ? LayoutProdosDosOrder : LayoutProdos;
        for (int bitMapStart : {279, 280}) {
            SCOPED_TRACE(bitMapStart);
            ProdosBuilder b(280, "V");
            EntryRef ref = b.AddFile(0, "A", Pattern(1000));
            ProdosBuilder::Put16(b.Block(2), 39, bitMapStart);  // the volume's last block, or one past it
            TempImage image(dosOrder ? b.DosOrder() : b.BlockOrder(), "po");
            FileEntry e;
            std::vector<uint8_t> out;
            bool inside = bitMapStart < 280;
            EXPECT_EQ(DecodeProdosEntry(ref, image.path(), layout, e), inside ? ProdosEntryDecoded : ProdosEntryUnreadable);
            int result = dosOrder ? ReadProdosFileDosOrder(ref, image.path(), out) : ReadProdosFile(ref, image.path(), out);
            EXPECT_EQ(result, inside ? 2 : ProdosFileEntryUnreadable);
        }
    }
}

TEST(ProdosEntry, UndecodableReferencesFail)
{
    ProdosBuilder b(280, "V");
    EntryRef ref = b.AddFile(0, "A", {1});
    TempImage image(b.BlockOrder(), "po");
    FileEntry e;
    EXPECT_EQ(DecodeProdosEntry(MakeProdosEntryRef(2, 13), image.path(), LayoutProdos, e), -1);
    EXPECT_EQ(DecodeProdosEntry(MakeProdosEntryRef(2, 4000), image.path(), LayoutProdos, e), -1);
    EXPECT_EQ(DecodeProdosEntry(MakeProdosEntryRef(9000, 1), image.path(), LayoutProdos, e), -1);
    EXPECT_EQ(DecodeProdosEntry(ref, image.path() + ".gone", LayoutProdos, e), -1);
}

TEST(ProdosFile, SeedlingSaplingAndTreeContents)
{
    struct Row {
        const char* name;
        size_t size;
        int storage;
    } rows[] = {
        {"empty seedling", 0, 1},   {"one byte", 1, 1},          {"full seedling", 512, 1},
        {"smallest sapling", 513, 2}, {"sapling 1000", 1000, 2}, {"largest sapling", 131072, 2},
        {"smallest tree", 131073, 3}, {"tree 200000", 200000, 3},
    };
    for (bool dosOrder : {false, true}) {
        ProdosBuilder b(1600, "FILES");
        std::vector<EntryRef> refs;
        for (const Row& row : rows) refs.push_back(b.AddFile(0, row.name == nullptr ? "" : std::string("F") + std::to_string(refs.size()), Pattern(row.size, static_cast<int>(row.size))));
        TempImage image(dosOrder ? b.DosOrder() : b.BlockOrder(), dosOrder ? "dsk" : "po");
        for (size_t i = 0; i < std::size(rows); ++i) {
            SCOPED_TRACE(std::string(rows[i].name) + (dosOrder ? " in DOS order" : ""));
            std::vector<uint8_t> out;
            int result = dosOrder ? ReadProdosFileDosOrder(refs[i], image.path(), out)
                                  : ReadProdosFile(refs[i], image.path(), out);
            if (dosOrder && rows[i].storage == 3) {
                EXPECT_EQ(result, -3);
                continue;
            }
            EXPECT_EQ(result, rows[i].storage);
            EXPECT_EQ(out, Pattern(rows[i].size, static_cast<int>(rows[i].size)));
        }
    }
}

TEST(ProdosFile, SparseFilesReadTheirHolesAsZeros)
{
    std::vector<uint8_t> sapling(20 * 512, 0);
    sapling[3 * 512] = 7;        // blocks 0-2 are holes
    sapling[19 * 512 + 1] = 9;
    std::vector<uint8_t> tree(300000, 0);
    tree[0] = 1;
    tree[140000] = 2;            // index block 1, after a hole inside index block 0
    tree[299999] = 3;
    std::vector<uint8_t> treeHoleFirst(270000, 0);
    treeHoleFirst[265000] = 4;   // index block 0 not stored at all
    ProdosBuilder b(1600, "SPARSE");
    EntryRef saplingRef = b.AddFile(0, "SAP", sapling, {.sparse = true});
    EntryRef treeRef = b.AddFile(0, "TREE", tree, {.sparse = true});
    EntryRef holeFirstRef = b.AddFile(0, "HOLE1ST", treeHoleFirst, {.sparse = true});
    // A seedling whose eof runs past its block, as GS/OS leaves them.
    ProdosFileOptions longSeedling;
    longSeedling.eofOverride = 5000;
    EntryRef seedlingRef = b.AddFile(0, "SEED", Pattern(512), longSeedling);
    TempImage image(b.BlockOrder(), "po");

    std::vector<uint8_t> out;
    EXPECT_EQ(ReadProdosFile(saplingRef, image.path(), out), 2);
    EXPECT_EQ(out, sapling);
    EXPECT_EQ(ReadProdosFile(treeRef, image.path(), out), 3);
    EXPECT_EQ(out, tree);
    EXPECT_EQ(ReadProdosFile(holeFirstRef, image.path(), out), 3);
    EXPECT_EQ(out, treeHoleFirst);
    EXPECT_EQ(ReadProdosFile(seedlingRef, image.path(), out), 1);
    ASSERT_EQ(out.size(), 5000u);
    EXPECT_TRUE(std::equal(out.begin(), out.begin() + 512, Pattern(512).begin()));
    EXPECT_TRUE(std::all_of(out.begin() + 512, out.end(), [](uint8_t c) { return c == 0; }));
}

TEST(ProdosFile, MalformedEntriesStayInsideTheirBuffers)
{
    ProdosBuilder b(1600, "BAD");
    // A sapling whose eof claims far more than 256 data blocks hold.
    ProdosFileOptions huge;
    huge.eofOverride = 0xFFFFFF;
    EntryRef saplingRef = b.AddFile(0, "HUGE", Pattern(2000), huge);
    // blocksUsed far beyond 257: not what decides how much is read.
    EntryRef blocksRef = b.AddFile(0, "BLOCKS", Pattern(1500));
    ProdosBuilder::Put16(b.Entry(blocksRef), 19, 60000);
    EntryRef extendedRef = b.AddFile(0, "FORKED", Pattern(100), {.storageType = 5});
    EntryRef pascalRef = b.AddFile(0, "PASCAL", Pattern(100), {.storageType = 4});
    EntryRef dirRef = b.DirectoryRef(b.AddDirectory(0, "DIR"));
    EntryRef offImage = b.AddFile(0, "OFF", Pattern(3000));
    // Point the second data block of OFF past the end of the image.
    auto key = b.Block(b.Entry(offImage)[17] | (b.Entry(offImage)[18] << 8));
    key[1] = 0xFF;
    key[257] = 0xFF;
    TempImage image(b.BlockOrder(), "po");

    std::vector<uint8_t> out;
    EXPECT_EQ(ReadProdosFile(saplingRef, image.path(), out), 2);
    ASSERT_EQ(out.size(), 0xFFFFFFu);
    EXPECT_TRUE(std::equal(out.begin(), out.begin() + 2000, Pattern(2000).begin()));
    EXPECT_TRUE(std::all_of(out.begin() + 2048, out.end(), [](uint8_t c) { return c == 0; }));
    EXPECT_EQ(ReadProdosFile(blocksRef, image.path(), out), 2);
    EXPECT_EQ(out, Pattern(1500));
    EXPECT_EQ(ReadProdosFile(extendedRef, image.path(), out), -3);
    EXPECT_EQ(ReadProdosFile(pascalRef, image.path(), out), -3);
    EXPECT_EQ(ReadProdosFile(dirRef, image.path(), out), -3);
    EXPECT_EQ(ReadProdosFile(offImage, image.path(), out), -2);
    EXPECT_EQ(ReadProdosFile(MakeProdosEntryRef(2, 14), image.path(), out), -1);

    // A truncated image loses the data of the file at its end.
    int firstData = (b.Entry(blocksRef)[17] | (b.Entry(blocksRef)[18] << 8)) + 1;  // right after its index block
    std::vector<uint8_t> cut(b.BlockOrder().begin(), b.BlockOrder().begin() + firstData * 512);
    TempImage truncated(cut, "po");
    EXPECT_EQ(ReadProdosFile(blocksRef, truncated.path(), out), -2);
}

TEST(ProdosTypes, IconsStorageNamesAndDates)
{
    struct Icon {
        int type;
        const char* name;
        int icon;
    } icons[] = {
        {0x04, "T", 7}, {0x06, "B", 12}, {0x0F, "D", 3}, {0x19, "", 14}, {0x1A, "", 9}, {0x1B, "", 16},
        {0x50, "", 15}, {0xB3, "", 10}, {0xE0, "", 17}, {0xFA, "", 18}, {0xFC, "", 8}, {0x00, "", 5},
        {0xFF, "BASIC.SYSTEM", 13}, {0xFF, "basic.system", 13}, {0xFF, "PRODOS", 6}, {0xFF, "ProDOS", 6},
        {0xFF, "PRODOS2", 11}, {0xFE, "PRODOS", 5}, {0x10, "", 5},
    };
    for (const Icon& row : icons) {
        SCOPED_TRACE(row.type);
        EXPECT_EQ(ProdosIconIndex(row.type, row.name), row.icon);
    }
    struct DosIcon {
        int type;
        int icon;
    } dosIcons[] = {{0, 7}, {0x80, 7}, {1, 18}, {0x81, 18}, {2, 8}, {4, 12}, {0x84, 12}, {8, 5}, {3, 5}, {0x40, 5}};
    for (const DosIcon& row : dosIcons) {
        SCOPED_TRACE(row.type);
        EXPECT_EQ(DosIconIndex(row.type), row.icon);
    }
    EXPECT_EQ(StorageTypeName(0), "Deleted");
    EXPECT_EQ(StorageTypeName(1), "Seedling");
    EXPECT_EQ(StorageTypeName(5), "Extended");
    EXPECT_EQ(StorageTypeName(10), "$A");
    EXPECT_EQ(StorageTypeName(13), "Subdirectory");
    EXPECT_EQ(StorageTypeName(15), "Volume directory header");

    auto date = [](int year, int month, int day) { return static_cast<unsigned>((year << 9) | (month << 5) | day); };
    struct Date {
        unsigned d, t;
        const char* text;
    } dates[] = {
        {0, 0, "<No Date>    <No Time>"},
        {date(95, 3, 7), 14 * 256 + 5, "03/07/1995     2:05 PM"},
        {date(95, 3, 7), 12 * 256, "03/07/1995     12:00 PM"},
        {date(95, 3, 7), 0, "03/07/1995     12:00 AM"},
        {date(5, 12, 31), 11 * 256 + 59, "12/31/2005     11:59 AM"},
        {date(39, 1, 1), 13 * 256 + 1, "01/01/2039     1:01 PM"},
        {date(40, 1, 1), 23 * 256 + 45, "01/01/1940     11:45 PM"},
        {0, 1 * 256, "00/00/2000     1:00 AM"},
    };
    for (const Date& row : dates) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(FormatProdosDateTime(row.d, row.t), row.text);
    }
}
