// Writing DOS 3.3 volumes: refusals that leave every byte alone, changes read
// back through the readers, sectors placed as DOS places them, and disks
// the Apple itself wrote.
#include "core/disk/dos33_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <numeric>

#include "core/disk/dos33.h"
#include "core/disk/dos33_check.h"
#include "core/disk/dos33_contents.h"
#include "core/disk/dos33_new_volume.h"
#include "core/disk/file_type_codes.h"
#include "core/disk/image.h"
#include "core/disk/volume.h"

namespace {

std::string Shared(const std::string& relative) { return std::string(TAVO_SHARED_DIR) + "/disks/" + relative; }

Volume SharedVolume(const std::string& relative)
{
    std::ifstream in(Shared(relative), std::ios::binary);
    return Volume(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}), LayoutDos33);
}

Volume Blank(int tracks = kDosTracks) { return Volume(NewDosVolume(tracks), LayoutDos33); }

std::vector<uint8_t> Pattern(size_t size, int seed)
{
    std::vector<uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), static_cast<uint8_t>(seed));
    return bytes;
}

int Peek(const Volume& volume, int track, int sector, int offset)
{
    SectorBuffer buffer;
    volume.ReadSector(track, sector, buffer);
    return buffer[static_cast<size_t>(offset)];
}

// A file as the readers see it: its length-trimmed bytes, type and the
// sector count its entry holds.
struct Seen {
    std::string name;
    int type = 0, sectors = 0;
    std::vector<uint8_t> bytes;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> Catalog(const Volume& volume)
{
    ImageFile image{std::span<const uint8_t>(volume.Bytes())};
    std::string prefix;
    std::vector<Seen> seen;
    for (const DirectoryRow& row : ListDosCatalog(image, prefix).rows) {
        FileEntry entry;
        Seen file{row.name.substr(0, row.name.find_last_not_of(' ') + 1)};
        EXPECT_EQ(DecodeDosEntry(row.ref, image, entry), DosEntryDecoded);
        EXPECT_GE(ReadDosFile(row.ref, image, file.bytes), 0);
        file.bytes.resize(static_cast<size_t>(entry.eof));
        file.type = entry.fileType;
        const int count = kCatalogFirstEntry + DosRefIndex(row.ref) * kCatalogEntrySize + kEntryCountByte;
        file.sectors = Peek(volume, DosRefTrack(row.ref), DosRefSector(row.ref), count) |
                       Peek(volume, DosRefTrack(row.ref), DosRefSector(row.ref), count + 1) << 8;
        seen.push_back(std::move(file));
    }
    return seen;
}

void ExpectSound(const Volume& volume)
{
    DosVolumeCheck check = CheckDosVolume(volume);
    EXPECT_TRUE(check.Writable()) << check.damage.text;
    EXPECT_TRUE(check.SharingFiles().empty());
}

int FreeSectors(const Volume& volume)
{
    int free = 0;
    for (int track = 0; track < volume.TrackCount(); ++track)
        for (int sector = 0; sector < kSectorsPerTrack; ++sector)
            free += (Peek(volume, kVtocTrack, kVtocSector, VtocBitMapByte(track, sector)) & VtocBitMapBit(sector)) != 0;
    return free;
}

void Poke(Volume& volume, int track, int sector, int offset, uint8_t value)
{
    SectorBuffer buffer;
    volume.ReadSector(track, sector, buffer);
    buffer[static_cast<size_t>(offset)] = value;
    volume.WriteSector(track, sector, buffer);
}

}  // namespace

TEST(DosWriter, RefusalsLeaveTheVolumeAsItWas)
{
    Volume full = Blank();  // the catalog's 105 entries, the first file locked
    for (int i = 0; i < 105; ++i) ASSERT_TRUE(SaveDosFile(full, "F" + std::to_string(i), kDosTextType, {}, false).Made());
    ASSERT_TRUE(LockDosFile(full, "F0", true).Made());
    Volume some = Blank();
    ASSERT_TRUE(SaveDosFile(some, "HELLO", kDosApplesoftType, Pattern(300, 1), false).Made());
    ASSERT_TRUE(SaveDosFile(some, "BIG", kDosBinaryType, Pattern(470 * 256, 2), false).Made());  // 19 sectors left
    using Op = std::function<DiskChange(Volume&)>;
    auto save = [](std::string name, size_t size, bool replace = false) {
        return Op([=](Volume& v) { return SaveDosFile(v, name, kDosBinaryType, Pattern(size, 3), replace); });
    };
    auto damaged = [&](void (*damage)(Volume&)) { Volume v = some; damage(v); return v; };
    struct Row { const char* name; Volume volume; Op op; Message message; std::string text; } rows[] = {
        {"disk full", some, save("NEW", 22 * 256), Message::DiskFull, "NEW"},
        {"catalog full", full, save("NEW", 1), Message::CatalogFull, "NEW"},
        {"locked, replaced", full, save("F0", 1, true), Message::AppleFileLocked, "F0"},
        {"locked, deleted", full, [](Volume& v) { return DeleteDosFile(v, "F0"); }, Message::AppleFileLocked, "F0"},
        {"missing, deleted", some, [](Volume& v) { return DeleteDosFile(v, "NOPE"); }, Message::AppleFileNotFound, "NOPE"},
        {"exists, saved", some, save("HELLO", 1), Message::AppleFileExists, "HELLO"},
        {"exists, renamed onto", some, [](Volume& v) { return RenameDosFile(v, "BIG", "HELLO"); }, Message::AppleFileExists, "HELLO"},
        {"comma", some, save("A,B", 1), Message::DosNameComma, "A,B"},
        {"control character", some, [](Volume& v) { return RenameDosFile(v, "BIG", "A\rINIT X"); }, Message::DosNameCharacters, "A^MINIT X"},
        {"bit map frees a used sector", damaged([](Volume& v) { Poke(v, 17, 0, VtocBitMapByte(18, 15), 0xFF); }), save("NEW", 1),
         Message::DamagedVolume, "track 18 sector 13 is used by HELLO but marked free"},
        {"catalog loops", damaged([](Volume& v) { Poke(v, 17, 3, kCatalogNextByte + 1, 9); }), [](Volume& v) { return DeleteDosFile(v, "HELLO"); },
         Message::DamagedVolume, "the catalog comes back to track 17 sector 9"},
        {"list loops", damaged([](Volume& v) { Poke(v, 18, 15, kListNextByte, 18), Poke(v, 18, 15, kListNextByte + 1, 15); }),
         [](Volume& v) { return LockDosFile(v, "HELLO", true); }, Message::DamagedVolume, "HELLO's track/sector lists come back to track 18 sector 15"},
        {"file on the catalog", damaged([](Volume& v) { Poke(v, 18, 15, kFirstPairByte, 17); }), save("NEW", 1), Message::DamagedVolume,
         "track 17 sector 14 is used by HELLO and by the catalog"},
        {"VTOC shape", damaged([](Volume& v) { Poke(v, 17, 0, kVtocTracksByte, 36); }), save("NEW", 1), Message::DamagedVolume,
         "the VTOC describes 36 tracks of 16 sectors"},
        {"40 tracks on 35", damaged([](Volume& v) { Poke(v, 17, 0, kVtocTracksByte, 40); }), save("NEW", 1), Message::DamagedVolume,
         "the VTOC describes 40 tracks but the image holds 35"},
    };
    for (Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<uint8_t> before = row.volume.Bytes();
        DiskChange change = row.op(row.volume);
        EXPECT_EQ(change.message, row.message);
        EXPECT_EQ(change.text, row.text);
        EXPECT_TRUE(row.volume.Bytes() == before);
    }
}

TEST(DosWriter, SharedSectorsBlockOnlyTheFilesThatShareThem)
{
    Volume v = Blank();
    for (const char* name : {"ONE", "TWO", "THREE"}) ASSERT_TRUE(SaveDosFile(v, name, kDosBinaryType, Pattern(600, 4), false).Made());
    Poke(v, 19, 15, kFirstPairByte, 18);  // TWO's first data sector is ONE's
    EXPECT_EQ(CheckDosVolume(v).SharingFiles(), (std::vector<std::string>{"ONE", "TWO"}));
    EXPECT_EQ(DeleteDosFile(v, "TWO").message, Message::SharedSectors);
    EXPECT_EQ(SaveDosFile(v, "ONE", kDosBinaryType, {}, true).message, Message::SharedSectors);
    EXPECT_TRUE(RenameDosFile(v, "THREE", "FOUR").Made());
    EXPECT_TRUE(SaveDosFile(v, "FIVE", kDosTextType, DosTextContents("5"), false).Made());
}

TEST(DosWriter, ChangesReadBackThroughTheReaders)
{
    Volume v = Blank();
    const auto program = *DosBasicContents(Pattern(700, 5));
    const auto binary = *DosBinaryContents(0x2000, Pattern(1000, 6));
    const auto text = DosTextContents("ONE\r\nTWO\nTHREE");
    ASSERT_TRUE(SaveDosFile(v, "HELLO", kDosApplesoftType, program, false).Made());
    ASSERT_TRUE(SaveDosFile(v, "CODE", kDosBinaryType, binary, false).Made());
    ASSERT_TRUE(SaveDosFile(v, "NOTES", kDosTextType, text, false).Made());
    EXPECT_EQ(Catalog(v), (std::vector<Seen>{{"HELLO", 2, 4, program}, {"CODE", 4, 5, binary}, {"NOTES", 0, 2, text}}));
    ExpectSound(v);

    // Larger, past one list's 122 sectors, then smaller: the sectors it no longer needs come back.
    const auto large = *DosBinaryContents(0x800, Pattern(130 * 256, 7));
    ASSERT_TRUE(SaveDosFile(v, "CODE", kDosBinaryType, large, true).Made());
    EXPECT_EQ(Catalog(v)[1], (Seen{"CODE", 4, 133, large}));
    ExpectSound(v);
    ASSERT_TRUE(SaveDosFile(v, "CODE", kDosBinaryType, binary, true).Made());
    EXPECT_EQ(Catalog(v)[1], (Seen{"CODE", 4, 5, binary}));
    EXPECT_EQ(FreeSectors(v), 496 - 11);

    ASSERT_TRUE(RenameDosFile(v, "NOTES", "READ ME").Made());
    ASSERT_TRUE(LockDosFile(v, "READ ME", true).Made());
    EXPECT_EQ(Catalog(v)[2], (Seen{"READ ME", kDosTextType | kDosLockBit, 2, text}));
    ASSERT_TRUE(LockDosFile(v, "READ ME", false).Made());

    ASSERT_TRUE(DeleteDosFile(v, "HELLO").Made());
    EXPECT_EQ(Catalog(v).size(), 2u);
    EXPECT_EQ(FreeSectors(v), 496 - 7);
    ExpectSound(v);
    ASSERT_TRUE(SaveDosFile(v, "AGAIN", kDosTextType, text, false).Made());
    EXPECT_EQ(Catalog(v)[0].name, "AGAIN") << "a deleted entry is used again";
}

TEST(DosWriter, SectorsAreTakenAsDosTakesThem)
{
    // A file goes on to the next track; past the last track DOS turns back to track 16.
    Volume v = Blank();
    ASSERT_TRUE(SaveDosFile(v, "A", kDosBinaryType, Pattern(18 * 256, 8), false).Made());
    EXPECT_EQ(CheckDosVolume(v).files[0].sectors.back(), (DosSector{19, 13}));
    for (int track = 20; track <= kDosTracks; ++track) ASSERT_TRUE(SaveDosFile(v, "T" + std::to_string(track), kDosTextType, {}, false).Made());
    EXPECT_EQ(CheckDosVolume(v).files.back().sectors, (std::vector<DosSector>{{16, 15}}));
    EXPECT_EQ(Peek(v, 17, 0, kVtocLastTrackByte), 16);
    EXPECT_EQ(Peek(v, 17, 0, kVtocDirectionByte), 0xFF);
}

TEST(DosWriter, AReplacementFitsInTheRoomOfTheFileItReplaces)
{
    for (int tracks : {kDosTracks, kDosLongTracks}) {
        SCOPED_TRACE(tracks);
        Volume v = Blank(tracks);
        // OLD takes 100 data sectors and a list, FILL the rest: 4 lists and their data.
        const size_t rest = static_cast<size_t>(tracks - 4) * kSectorsPerTrack - 101;
        ASSERT_TRUE(SaveDosFile(v, "OLD", kDosBinaryType, Pattern(100 * 256, 9), false).Made());
        ASSERT_TRUE(SaveDosFile(v, "FILL", kDosBinaryType, Pattern((rest - 4) * 256, 9), false).Made());
        const std::vector<uint8_t> before = v.Bytes();
        EXPECT_EQ(SaveDosFile(v, "NEW", kDosBinaryType, Pattern(1, 9), false).message, Message::DiskFull);
        EXPECT_TRUE(v.Bytes() == before);
        EXPECT_TRUE(SaveDosFile(v, "OLD", kDosBinaryType, Pattern(100 * 256, 10), true).Made());
        ExpectSound(v);
    }
}

TEST(DosWriter, WritesWhatTheAppleWrote)
{
    if (!std::filesystem::exists(Shared("a2kit/dos33-smallfiles.dsk"))) GTEST_SKIP() << "shared disks missing";
    const std::vector<Seen> apple = Catalog(SharedVolume("a2kit/dos33-smallfiles.dsk"));
    ASSERT_EQ(apple.size(), 3u);
    Volume v = SharedVolume("a2kit/dos33-boot.do");
    for (const Seen& file : apple) ASSERT_TRUE(SaveDosFile(v, file.name, file.type, file.bytes, false).Made());
    EXPECT_EQ(Catalog(v), apple);
    ExpectSound(v);
    // The program's length counts a stray $0A the emulator's SAVE stored after
    // it, so it is written too.
    EXPECT_EQ(apple[0].bytes.back(), 0x0A);

    // dos33-boot.do lost its greeting program but kept track 18 as the last
    // one taken. From where INIT leaves it, every sector past DOS's tracks is
    // the Apple's, but for the byte after the program: the Apple's buffer
    // held $44 there, this writer's sector holds zero.
    v = SharedVolume("a2kit/dos33-boot.do");
    Poke(v, kVtocTrack, kVtocSector, kVtocLastTrackByte, kVtocTrack);
    for (const Seen& file : apple) ASSERT_TRUE(SaveDosFile(v, file.name, file.type, file.bytes, false).Made());
    std::vector<uint8_t> theirs = SharedVolume("a2kit/dos33-smallfiles.dsk").Bytes(), ours = v.Bytes();
    const size_t afterProgram = (18 * kSectorsPerTrack + 12) * kSectorBytes + (apple[0].bytes.size() % kSectorBytes);
    EXPECT_EQ(theirs[afterProgram], 0x44);
    EXPECT_EQ(ours[afterProgram], 0);
    ours[afterProgram] = 0x44;
    EXPECT_TRUE(std::equal(theirs.begin() + kDosTracksOfDos * kTrackBytes, theirs.end(), ours.begin() + kDosTracksOfDos * kTrackBytes));
}

TEST(DosWriter, DeletesAndRenamesAsTheAppleDid)
{
    if (!std::filesystem::exists(Shared("a2kit/dos33-ren-del.do"))) GTEST_SKIP() << "shared disks missing";
    Volume v = SharedVolume("a2kit/dos33-bigfiles.do");
    ASSERT_TRUE(DeleteDosFile(v, "TREE2").Made());
    ASSERT_TRUE(RenameDosFile(v, "SAPLING", "SAP").Made());
    ASSERT_TRUE(RenameDosFile(v, "TREE1", "MYTREE1").Made());
    // Tracks 0-2 differ only where DOS itself keeps its buffers.
    const std::vector<uint8_t> apple = SharedVolume("a2kit/dos33-ren-del.do").Bytes();
    EXPECT_TRUE(std::equal(apple.begin() + kDosTracksOfDos * kTrackBytes, apple.end(), v.Bytes().begin() + kDosTracksOfDos * kTrackBytes));
}

TEST(DosWriter, RealImagesPassTheCheck)
{
    if (!std::filesystem::exists(Shared("README.md"))) GTEST_SKIP() << "shared disks missing";
    // Sparse files, 40 tracks, a hybrid's ProDOS sectors used by no DOS file, a deleted entry.
    for (const char* image : {"a2kit/dos33-bigfiles.do", "a2kit/dos33-ren-del.do", "ciderpress2/dos-forty.do", "ciderpress2/dos-prodos.do",
                              "ciderpress2/simple-sparse.do", "ciderpress2/dos-files.do", "diskii/dos33test.dsk"}) {
        SCOPED_TRACE(image);
        ExpectSound(SharedVolume(image));
    }
}

TEST(DosWriter, ANewVolumeIsLaidOutAsInitLaysItOut)
{
    if (!std::filesystem::exists(Shared("ciderpress2/blank-nodos.do"))) GTEST_SKIP() << "shared disks missing";
    std::vector<uint8_t> ours = NewDosVolume(), theirs = SharedVolume("ciderpress2/blank-nodos.do").Bytes();
    const size_t vtoc = static_cast<size_t>(kVtocTrack) * kTrackBytes;
    // Only the last track byte and tracks 1 and 2, which ours keeps for DOS.
    ours[vtoc + kVtocLastTrackByte] = theirs[vtoc + kVtocLastTrackByte];
    std::copy_n(theirs.begin() + vtoc + VtocBitMapByte(1, 8), 8, ours.begin() + vtoc + VtocBitMapByte(1, 8));
    EXPECT_TRUE(ours == theirs);
    EXPECT_TRUE(NewDosVolume(36).empty());
}

TEST(DosContents, LengthsTheirWordCannotHoldAreRefused)
{
    EXPECT_FALSE(DosBasicContents(std::vector<uint8_t>(0x10000)).has_value());
    EXPECT_FALSE(DosBinaryContents(0x10000, {}).has_value());
}
