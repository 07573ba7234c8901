// DOS 3.3 catalogs, entries and files, on images built by the fixture code.
#include "core/disk/dos33.h"

#include <gtest/gtest.h>

#include "core/disk/image.h"
#include "tests/core/disk/image_builder.h"

using fixture::DosBuilder;
using fixture::DosFileOptions;
using fixture::TempImage;

namespace {

std::vector<uint8_t> Sectors(int count, int seed)
{
    std::vector<uint8_t> data(static_cast<size_t>(count) * 256);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(1 + (i / 256 + static_cast<size_t>(seed)) % 200);
    return data;
}

}  // namespace

TEST(DosCatalog, ListsActiveEntriesAcrossTheChain)
{
    DosBuilder b;
    std::vector<EntryRef> refs;
    for (int i = 0; i < 10; ++i) refs.push_back(b.AddFile("FILE" + std::to_string(i), i % 3, {0x80}));
    refs.push_back(b.AddFile("LOCKED", 4, {0, 0, 0, 0}, {.locked = true}));
    b.CatalogEntry(refs[1])[0] = 0xFF;  // deleted
    b.CatalogEntry(refs[8])[0] = 0;     // never used
    TempImage image(b.Bytes(), "do");
    std::string prefix = "/LEFT/OVER/";
    DirectoryListing listing = ListDosCatalog(image.path(), prefix);
    EXPECT_EQ(prefix, "");
    ASSERT_EQ(listing.rows.size(), 9u);
    EXPECT_EQ(listing.rows[0].name, "FILE0                         ") << "30 characters, trailing blanks kept";
    EXPECT_EQ(listing.rows[0].ref, 17u * 256 + 15 * 16 + 0);
    EXPECT_EQ(listing.rows[1].name.substr(0, 5), "FILE2");
    // FILE7 is the first entry of the second catalog sector (17, 14).
    EXPECT_EQ(listing.rows[6].name.substr(0, 5), "FILE7");
    EXPECT_EQ(listing.rows[6].ref, 17u * 256 + 14 * 16 + 0);
    EXPECT_EQ(listing.rows.back().ref, 17u * 256 + 14 * 16 + 3);
    EXPECT_TRUE(listing.rows.back().locked);
    EXPECT_FALSE(listing.rows[0].locked);
    EXPECT_EQ(listing.rows[0].icon, 7);
    EXPECT_EQ(listing.rows[1].icon, 8);  // FILE2, Applesoft
}

TEST(DosCatalog, NonStandardOrDamagedVolumes)
{
    struct Row {
        const char* name;
        void (*damage)(DosBuilder&);
        unsigned message;
        size_t rows;
    } rows[] = {
        {"standard", [](DosBuilder&) {}, 0, 3},
        {"40 tracks", [](DosBuilder& b) { b.Vtoc()[52] = 40; }, 27, 0},
        {"13 sectors per track", [](DosBuilder& b) { b.Vtoc()[53] = 13; }, 27, 0},
        {"release 2", [](DosBuilder& b) { b.Vtoc()[3] = 2; }, 27, 0},
        {"121 pairs per list", [](DosBuilder& b) { b.Vtoc()[39] = 121; }, 27, 0},
        {"catalog loops back", [](DosBuilder& b) { b.Sector(17, 15)[1] = 17, b.Sector(17, 15)[2] = 15; }, 0, 3},
        {"catalog loops after two sectors", [](DosBuilder& b) { b.Sector(17, 14)[2] = 15; }, 0, 3},
        {"catalog sector 16", [](DosBuilder& b) { b.Sector(17, 15)[2] = 16; }, 0, 3},
        {"catalog leads off the disk", [](DosBuilder& b) { b.Sector(17, 15)[1] = 200; }, 0, 3},
        {"catalog starts off the disk", [](DosBuilder& b) { b.Vtoc()[1] = 200; }, 3, 0},
        {"no catalog", [](DosBuilder& b) { b.Vtoc()[1] = 0; }, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DosBuilder b;
        b.AddFile("A", 0, {0xC1});
        b.AddFile("B", 2, {2, 0, 0, 0});
        b.AddFile("C", 4, {0, 3, 1, 0, 9});
        row.damage(b);
        TempImage image(b.Bytes(), "do");
        std::string prefix;
        DirectoryListing listing = ListDosCatalog(image.path(), prefix);
        EXPECT_EQ(static_cast<unsigned>(listing.message), row.message);
        EXPECT_EQ(listing.rows.size(), row.rows);
    }
    std::string prefix;
    DirectoryListing missing = ListDosCatalog("/nonexistent/tavo.do", prefix);
    EXPECT_TRUE(missing.rows.empty());
    EXPECT_EQ(static_cast<unsigned>(missing.message), 3u) << "Could not read file";
}

TEST(DosEntry, LengthByType)
{
    std::vector<uint8_t> applesoft = {0x34, 0x12, 0xAA};
    std::vector<uint8_t> binary = {0x00, 0x20, 0x00, 0x10};
    std::vector<uint8_t> text(3 * 256, 0xC1);
    text[2 * 256 + 17] = 0;
    std::vector<uint8_t> fullText(2 * 256, 0xC1);  // no zero at all in its last sector
    std::vector<uint8_t> integer = {0x10, 0x00};
    DosBuilder b;
    struct Row {
        const char* name;
        EntryRef ref;
        int eof;
    } rows[] = {
        {"Applesoft $34 $12", b.AddFile("AS", 2, applesoft), 0x1236},
        {"Integer BASIC", b.AddFile("IB", 1, integer), 0x10 + 2},
        {"binary $1000 at $2000", b.AddFile("BIN", 4, binary), 4100},
        {"text of three sectors", b.AddFile("TXT", 0, text), 529},
        {"text without a zero", b.AddFile("FULL", 0, fullText), 512},
        {"text with no data sectors", b.AddFile("EMPTY", 0, {}), 0},
        {"Applesoft with no data sectors", b.AddFile("NOPROG", 2, {}), 0},
        {"type S: sectors × 256", b.AddFile("S", 8, Sectors(3, 1)), 4 * 256},
        {"locked Applesoft", b.AddFile("LOCKED", 2, applesoft, {.locked = true}), 0x1236},
        {"text with a hole after two sectors", b.AddFile("HOLE", 0, Sectors(4, 3), {.holesAfter = 2}), 512},
    };
    TempImage image(b.Bytes(), "do");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FileEntry e;
        ASSERT_EQ(DecodeDosEntry(row.ref, image.path(), e), 0);
        EXPECT_EQ(e.eof, row.eof);
    }
}

TEST(DosEntry, FieldsAndVolumeFacts)
{
    DosBuilder b(17);
    std::vector<EntryRef> refs;
    for (int i = 0; i < 12; ++i) refs.push_back(b.AddFile("F" + std::to_string(i), 4, {0, 3, 2, 0, 1, 2}));
    EntryRef locked = b.AddFile("SECRET", 0x04, {0, 3, 2, 0, 1, 2}, {.locked = true});
    b.CatalogEntry(refs[3])[0] = 0xFF;
    TempImage image(b.Bytes(), "do");

    // The reference of the last entry names sector 14, index 6: both must be
    // taken from the right bits or another entry is opened.
    EXPECT_EQ(locked, 17u * 256 + 14 * 16 + 5);
    FileEntry e;
    ASSERT_EQ(DecodeDosEntry(locked, image.path(), e), 0);
    EXPECT_STREQ(e.name, "SECRET                        ");
    EXPECT_EQ(e.fileType, 0x84);
    EXPECT_EQ(e.eof, 2 + 4);
    EXPECT_EQ(e.canRead, 1);
    EXPECT_EQ(e.canWrite, 0);
    EXPECT_EQ(e.canRename, 0);
    EXPECT_EQ(e.canDestroy, 0);
    EXPECT_EQ(e.backupNeeded, 0);
    EXPECT_EQ(e.invisible, 0);
    EXPECT_EQ(e.layout, LayoutDos33);
    EXPECT_EQ(e.dosOrderFlag, 1);
    EXPECT_EQ(e.dosVolumeNumber, 17);
    EXPECT_EQ(e.volumeTotal, 560);
    EXPECT_EQ(e.volumeFileCount, 12);
    EXPECT_EQ(e.storageType, 0);
    EXPECT_EQ(e.keyPointer, 0);
    // 33 tracks free but for the 13 × 2 sectors the files took.
    EXPECT_EQ(e.volumeFreeBytes, (33 * 16 - 26) * 256);
    FileEntry first;
    ASSERT_EQ(DecodeDosEntry(refs[0], image.path(), first), 0);
    EXPECT_STREQ(first.name, "F0                            ");
    EXPECT_EQ(first.canWrite, 1);
    EXPECT_EQ(first.tsListTrack, 18);
    EXPECT_EQ(first.tsListSector, 0);
}

TEST(DosEntry, FailuresNameTheStep)
{
    struct Row {
        const char* name;
        int type;
        void (*damage)(DosBuilder&, EntryRef);
        int code;
    } rows[] = {
        {"catalog index 7", 2, nullptr, -1},
        {"BASIC list off the disk", 2, [](DosBuilder& b, EntryRef r) { b.CatalogEntry(r)[0] = 99; }, -2},
        {"BASIC data off the disk", 1, [](DosBuilder& b, EntryRef r) { b.FirstList(r)[12] = 99; }, -3},
        {"binary list sector 16", 4, [](DosBuilder& b, EntryRef r) { b.CatalogEntry(r)[1] = 16; }, -4},
        {"binary data off the disk", 4, [](DosBuilder& b, EntryRef r) { b.FirstList(r)[13] = 20; }, -5},
        {"text list off the disk", 0, [](DosBuilder& b, EntryRef r) { b.CatalogEntry(r)[0] = 40; }, -6},
        {"text lists loop", 0, [](DosBuilder& b, EntryRef r) {
             auto e = b.CatalogEntry(r);
             b.FirstList(r)[1] = e[0];
             b.FirstList(r)[2] = e[1];
             for (int p = 0; p < 122; ++p) b.FirstList(r)[12 + 2 * p] = 20;
         }, -6},
        {"text's last data sector off the disk", 0, [](DosBuilder& b, EntryRef r) { b.FirstList(r)[12] = 35; }, -7},
        {"VTOC unreadable", 6, [](DosBuilder& b, EntryRef) { b.Vtoc()[0] = 0; }, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DosBuilder b;
        EntryRef ref = b.AddFile("X", row.type, {0x10, 0x00, 0x20, 0x00});
        if (row.damage) row.damage(b, ref);
        if (!row.damage) ref = MakeDosEntryRef(17, 15, 7);
        TempImage image(b.Bytes(), "do");
        FileEntry e;
        EXPECT_EQ(DecodeDosEntry(ref, image.path(), e), row.code);
    }
    // A VTOC that cannot be read: an image cut before track 17.
    DosBuilder b;
    b.AddFile("X", 6, {1});
    std::vector<uint8_t> cut(b.Bytes().begin(), b.Bytes().begin() + 17 * 4096);
    TempImage truncated(cut, "do");
    FileEntry e;
    EXPECT_EQ(DecodeDosEntry(MakeDosEntryRef(17, 15, 0), truncated.path(), e), -1) << "the catalog is on track 17 too";
}

TEST(DosEntry, FileCountSurvivesACatalogThatLeadsOffTheDisk)
{
    DosBuilder b;
    for (int i = 0; i < 9; ++i) b.AddFile("F" + std::to_string(i), 0, fixture::DosText("HI"));
    b.Sector(17, 14)[1] = 99;  // the catalog continues on a track that is not there
    TempImage image(b.Bytes(), "do");
    FileEntry e;
    ASSERT_EQ(DecodeDosEntry(MakeDosEntryRef(17, 15, 0), image.path(), e), 0);
    EXPECT_EQ(e.volumeFileCount, 9);
    std::vector<uint8_t> out;
    EXPECT_EQ(ReadDosFile(MakeDosEntryRef(17, 15, 0), image.path(), out), 1);

    // Only the first 15 catalog sectors are counted.
    DosBuilder full;
    for (int i = 0; i < 7 * 15; ++i) full.AddFile("F" + std::to_string(i), 6, {});
    auto extra = full.Sector(17, 1);
    extra[1] = 16;
    extra[2] = 15;
    full.Sector(16, 15)[11] = 5;
    full.Sector(16, 15)[12] = 5;
    TempImage fullImage(full.Bytes(), "do");
    ASSERT_EQ(DecodeDosEntry(MakeDosEntryRef(17, 15, 0), fullImage.path(), e), 0);
    EXPECT_EQ(e.volumeFileCount, 105);
    std::string prefix;
    EXPECT_EQ(ListDosCatalog(fullImage.path(), prefix).rows.size(), 106u) << "the listing follows the whole chain";
}

TEST(DosFile, ReadsEveryListInOrder)
{
    DosBuilder b;
    std::vector<uint8_t> big = Sectors(200, 5);
    EntryRef bigRef = b.AddFile("BIG", 4, big);
    EntryRef empty = b.AddFile("EMPTY", 0, {});
    EntryRef holey = b.AddFile("HOLEY", 0, Sectors(5, 1), {.holesAfter = 3});
    std::vector<uint8_t> text = fixture::DosText("HELLO\n");
    EntryRef textRef = b.AddFile("TEXT", 0, text);
    TempImage image(b.Bytes(), "do");
    std::vector<uint8_t> out;
    EXPECT_EQ(ReadDosFile(bigRef, image.path(), out), 200) << "122 from the first list, 78 from the second";
    EXPECT_EQ(out, big);
    EXPECT_EQ(ReadDosFile(empty, image.path(), out), 0);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(ReadDosFile(holey, image.path(), out), 3) << "a text file ends at its first hole";
    EXPECT_EQ(ReadDosFile(textRef, image.path(), out), 1);
    ASSERT_EQ(out.size(), 256u);
    EXPECT_TRUE(std::equal(text.begin(), text.end(), out.begin()));
    EXPECT_EQ(out[text.size()], 0);
}

TEST(DosFile, FailuresNameTheStep)
{
    struct Row {
        const char* name;
        void (*damage)(DosBuilder&, EntryRef);
        int code;
    } rows[] = {
        {"entry not decodable", [](DosBuilder& b, EntryRef r) { b.FirstList(r)[12] = 60; }, -5},
        {"first list does not start at sector 0", [](DosBuilder& b, EntryRef r) { b.FirstList(r)[5] = 122; }, -2},
        {"data sector off the disk", [](DosBuilder& b, EntryRef r) { b.FirstList(r)[14] = 50; }, -3},
        {"second list off the disk", [](DosBuilder& b, EntryRef r) { b.FirstList(r)[1] = 50; }, -4},
        {"second list leads back to the first", [](DosBuilder& b, EntryRef r) {
             auto first = b.FirstList(r);
             auto second = b.Sector(first[1], first[2]);
             second[1] = b.CatalogEntry(r)[0];
             second[2] = b.CatalogEntry(r)[1];
         }, -4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DosBuilder b;
        EntryRef ref = b.AddFile("B", 4, Sectors(244, 2));  // two full lists
        row.damage(b, ref);
        TempImage image(b.Bytes(), "do");
        std::vector<uint8_t> out;
        EXPECT_EQ(ReadDosFile(ref, image.path(), out), row.code);
    }
    DosBuilder b;
    EntryRef ref = b.AddFile("B", 6, Sectors(2, 2));
    b.CatalogEntry(ref)[0] = 60;  // type 6 decodes without reading the list
    TempImage image(b.Bytes(), "do");
    std::vector<uint8_t> out;
    EXPECT_EQ(ReadDosFile(ref, image.path(), out), -1);
}

TEST(DosFile, RepeatedSectorsStopAtTheSizeOfTheDisk)
{
    // Lists that never loop but name the same data sector over and over.
    DosBuilder b;
    EntryRef ref = b.AddFile("LOOP", 4, Sectors(1, 0));
    auto entry = b.CatalogEntry(ref);
    entry[0] = 30;
    entry[1] = 0;
    for (int n = 0; n < 5; ++n) {
        auto list = b.Sector(30, n);
        list[1] = n < 4 ? 30 : 0;
        list[2] = static_cast<uint8_t>(n + 1);
        for (int p = 0; p < 122; ++p) {
            list[12 + 2 * p] = 18;
            list[13 + 2 * p] = 1;
        }
    }
    TempImage image(b.Bytes(), "do");
    std::vector<uint8_t> out;
    EXPECT_EQ(ReadDosFile(ref, image.path(), out), -4);
    EXPECT_LE(out.size(), 560u * 256);
}
