// The texts of the file and volume property pages.
#include "core/disk/properties_text.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/disk/image.h"

namespace {

std::string Field(const std::vector<PropertyField>& fields, int controlId)
{
    for (const PropertyField& f : fields)
        if (f.controlId == controlId) return f.value;
    ADD_FAILURE() << "no field " << controlId;
    return {};
}

bool Box(const PropertyTexts& p, std::string_view label)
{
    for (const AccessBox& b : p.access)
        if (b.label == label) return b.checked;
    ADD_FAILURE() << "no box " << label;
    return false;
}

FileEntry ProdosEntry(const char* name, int type, int storage, int eof)
{
    FileEntry e;
    std::strcpy(e.name, name);
    e.fileType = type;
    e.storageType = storage;
    e.eof = eof;
    e.layout = LayoutProdos;
    e.volumeTotal = 1600;
    e.volumeFreeBytes = 100 * 512;
    e.volumeFileCount = 7;
    return e;
}

FileEntry DosEntry(const char* name, int type, int eof)
{
    FileEntry e;
    std::strcpy(e.name, name);
    e.fileType = type;
    e.eof = eof;
    e.layout = LayoutDos33;
    e.dosOrderFlag = 1;
    e.dosVolumeNumber = 254;
    e.volumeTotal = 560;
    e.volumeFreeBytes = 496 * 256;
    e.volumeFileCount = 3;
    e.canRead = 1;
    bool locked = (type & 0x80) != 0;
    e.canWrite = e.canRename = e.canDestroy = locked ? 0 : 1;
    return e;
}

}  // namespace

TEST(PropertyTexts, ProdosSeedlingText)
{
    FileEntry e = ProdosEntry("NOTES", 0x04, 1, 300);
    e.auxType = 0x2000;
    e.createdDate = static_cast<uint16_t>((95 << 9) | (3 << 5) | 7);
    e.createdTime = 14 * 256 + 5;
    PropertyTexts p = ComposePropertyTexts(e, "/VOL/SUB/NOTES", "DISK.PO", "C:\\Apple", kExtensionPo);
    EXPECT_EQ(Field(p.general, 600), "NOTES");
    EXPECT_EQ(Field(p.general, 1), "TXT ( Text )  -  4   ( $04 )");
    EXPECT_EQ(Field(p.general, 2), "$2000 ( 8192 )");
    EXPECT_EQ(Field(p.general, 3), "/VOL/SUB/NOTES");
    EXPECT_EQ(Field(p.general, 4), "300  ( $12C ) bytes ");
    EXPECT_EQ(Field(p.general, 5), "Seedling");
    EXPECT_EQ(Field(p.general, 6), "03/07/1995     2:05 PM");
    EXPECT_EQ(Field(p.general, 7), "<No Date>    <No Time>");
    EXPECT_EQ(p.icon, 7);

    EXPECT_EQ(Field(p.image, 201), "VOL");
    EXPECT_EQ(Field(p.image, 1095), "ProDOS");
    EXPECT_EQ(Field(p.image, 203), "7 on the volume directory including folders");
    EXPECT_EQ(Field(p.image, 4), "819200 bytes     (1600 blocks)");
    EXPECT_EQ(Field(p.image, 202), "51200 bytes  (100 blocks)");
    EXPECT_EQ(Field(p.image, 6), "<No Date>    <No Time>");
    EXPECT_EQ(Field(p.image, 300), "DISK.PO");
    EXPECT_EQ(Field(p.image, 304), "Apple II floppy or harddrive");
    EXPECT_EQ(Field(p.image, 305), "ProDOS");
    EXPECT_EQ(Field(p.image, 303), "C:\\Apple");
}

TEST(PropertyTexts, TypeTexts)
{
    struct Row {
        bool dos;
        int type;
        const char* text;
    } rows[] = {
        {false, 0xFC, "BAS ( Applesoft BASIC )  -  252   ( $FC )"},
        {false, 0xFA, "INT ( Integer BASIC )  -  250   ( $FA )"},
        {false, 0x06, "BIN ( Binary )  -  6   ( $06 )"},
        {false, 0xFF, "255   ( $FF )"},
        {false, 0x00, "0   ( $00 )"},
        {true, 0x02, "A ( APPLESOFT BASIC )  -  002  ( $02 )"},
        {true, 0x82, "A ( APPLESOFT BASIC )  -  002  ( $02 )"},
        {true, 0x00, "T ( TEXT )  -  000  ( $00 )"},
        {true, 0x01, "I ( INTEGER BASIC )  -  001  ( $01 )"},
        {true, 0x04, "B ( BINARY )  -  004  ( $04 )"},
        {true, 0x08, "S  -  008  ( $08 )"},
        {true, 0x10, "R ( RELOCATABLE )  -  016  ( $10 )"},
        {true, 0x20, "A  -  032  ( $20 )"},
        {true, 0x40, "B  -  064  ( $40 )"},
        {true, 0x03, "  003  ( $03 )"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        FileEntry e = row.dos ? DosEntry("X", row.type, 10) : ProdosEntry("X", row.type, 1, 10);
        EXPECT_EQ(Field(ComposePropertyTexts(e, "/V/X", "I", "F", 1).general, 1), row.text);
    }
}

TEST(PropertyTexts, DosBinaryAndLockedFile)
{
    FileEntry e = DosEntry("CHIP                          ", 0x84, 4100);
    PropertyTexts p = ComposePropertyTexts(e, "CHIP", "GAME.DSK", "/home/a", kExtensionDsk);
    EXPECT_EQ(Field(p.general, 600), "CHIP                          ");
    EXPECT_EQ(Field(p.general, 4), "4100  ( $1004 ) bytes including 4 byte header");
    for (int id : {2, 5, 6, 7}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(Field(p.general, id), "Not Applicable!");
    }
    EXPECT_EQ(Field(p.general, 3), "VOLUME 254");
    EXPECT_TRUE(Box(p, "Read"));
    EXPECT_FALSE(Box(p, "Write"));
    EXPECT_FALSE(Box(p, "Rename"));
    EXPECT_FALSE(Box(p, "Destroy"));
    EXPECT_FALSE(Box(p, "Invisible"));
    EXPECT_FALSE(Box(p, "Backup bit"));
    EXPECT_EQ(p.icon, 12);

    EXPECT_EQ(Field(p.image, 201), "254");
    EXPECT_EQ(Field(p.image, 1095), "DOS 3.3");
    EXPECT_EQ(Field(p.image, 203), "3");
    EXPECT_EQ(Field(p.image, 4), "143360 bytes");
    EXPECT_EQ(Field(p.image, 202), "126976 bytes");
    EXPECT_EQ(Field(p.image, 6), "Not Applicable!");
    EXPECT_EQ(Field(p.image, 304), "Apple II 5.25\" floppy");
    EXPECT_EQ(Field(p.image, 305), "DOS 3.3");

    struct Header {
        int type;
        const char* size;
    } headers[] = {
        {0x01, "6  ( $6 ) bytes including 2 byte header"},
        {0x02, "6  ( $6 ) bytes including 2 byte header"},
        {0x00, "6  ( $6 ) bytes "},
        {0x08, "6  ( $6 ) bytes "},
    };
    for (const Header& h : headers) {
        SCOPED_TRACE(h.type);
        EXPECT_EQ(Field(ComposePropertyTexts(DosEntry("A", h.type, 6), "A", "", "", 5).general, 4), h.size);
    }
}

TEST(PropertyTexts, AccessC3AndOtherBits)
{
    FileEntry e = ProdosEntry("F", 0x06, 2, 1000);
    e.canRead = 0xC3 & 1;
    e.canWrite = 0xC3 & 2;
    e.backupNeeded = 0xC3 & 32;
    e.canRename = 0xC3 & 64;
    e.canDestroy = 0xC3 & 128;
    e.invisible = 0xC3 & 4;
    PropertyTexts p = ComposePropertyTexts(e, "/V/F", "", "", kExtensionHdv);
    EXPECT_TRUE(Box(p, "Read"));
    EXPECT_TRUE(Box(p, "Write"));
    EXPECT_TRUE(Box(p, "Rename"));
    EXPECT_TRUE(Box(p, "Destroy"));
    EXPECT_FALSE(Box(p, "Backup bit"));
    EXPECT_FALSE(Box(p, "Invisible"));
    e.backupNeeded = 32;
    e.invisible = 4;
    p = ComposePropertyTexts(e, "/V/F", "", "", kExtensionHdv);
    EXPECT_TRUE(Box(p, "Backup bit"));
    EXPECT_TRUE(Box(p, "Invisible"));
    EXPECT_EQ(Field(p.general, 5), "Sapling");
    EXPECT_EQ(Field(p.image, 304), "Apple II harddrive");
}

TEST(PropertyTexts, SkewMediumAndUnknownLayouts)
{
    FileEntry e = ProdosEntry("F", 0x06, 1, 1);
    e.layout = LayoutProdosDosOrder;
    EXPECT_EQ(Field(ComposePropertyTexts(e, "/V/F", "", "", 1).image, 305), "DOS 3.3");
    EXPECT_EQ(Field(ComposePropertyTexts(e, "/V/F", "", "", 1).image, 1095), "ProDOS");
    struct Medium {
        int index;
        const char* text;
    } media[] = {{0, "Unknown!"}, {1, "Apple II 5.25\" floppy"}, {2, "Apple II disk image (2MG)"}, {3, "Apple II harddrive"},
                 {4, "Apple II floppy or harddrive"}, {5, "Apple II 5.25\" floppy"}, {6, "Unknown!"}, {9, "Unknown!"},
                 {7, "Apple II 5.25\" floppy (nibbles)"}, {10, "Apple II disk image (2MG)"}, {11, "Apple II 5.25\" floppy (nibbles)"},
                 {12, "Apple II 5.25\" floppy (WOZ)"}, {13, "Apple II 5.25\" floppy (13-sector)"}};
    for (const Medium& m : media) {
        SCOPED_TRACE(m.index);
        EXPECT_EQ(MediumText(m.index), m.text);
    }
    // A document that came from no image: nothing to describe, nothing read.
    FileEntry none;
    PropertyTexts p = ComposePropertyTexts(none, "", "", "", 0);
    EXPECT_EQ(Field(p.image, 1095), "Unknown!");
    EXPECT_EQ(Field(p.image, 305), "Unknown!");
    EXPECT_EQ(Field(p.general, 1), "Not Applicable!");
    EXPECT_EQ(Field(p.image, 201), "Not Applicable!");
    // The volume name is the path's first part, even without a file after it.
    e.layout = LayoutProdos;
    EXPECT_EQ(Field(ComposePropertyTexts(e, "/ONLYVOL", "", "", 4).image, 201), "ONLYVOL");
    EXPECT_EQ(Field(ComposePropertyTexts(e, "", "", "", 4).image, 201), "");
}
