// Floppies taken out of .nib, .nb2, .d13 and WOZ images: the real images of
// others first, then the same disks turned, damaged and flagged. In the
// shared WOZ images INFO's body starts at 20, TMAP's at 88 and TRKS's at 256.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/disk/apple_path.h"
#include "core/disk/containers/gcr.h"
#include "core/disk/containers/nibble_track.h"
#include "core/disk/containers/readable_sectors.h"
#include "core/disk/dos33.h"
#include "core/disk/image.h"
#include "tests/core/disk/containers/floppy_images.h"

using floppy::Decode;
using floppy::Formats;
using floppy::PutLe32;
using Change = std::function<void(std::vector<uint8_t>&)>;
using namespace std::string_view_literals;

// Their sectors against the same volumes as sector images, but where the
// makers say they differ: the boot tracks, a byte past the end of HELLO in
// its last sector (T18 S12), ProDOS's volume directory with its dates (T0
// S11). Their DOS catalogs, DOS 3.2's on 13 sectors a track.
TEST(FloppyImages, RealImagesDecode)
{
    REQUIRE_FORMATS();
    const char *all = "All 560 sectors could be read.", *none = "None of the 560 sectors could be read.";
    const char *dos33 = "a2kit/dos33-bigfiles.do", *prodos = "a2kit/prodos-bigfiles.dsk", *big = "HELLO TREE1 TREE2 SAPLING ";
    const size_t boot = 3 * 4096, hello = 18 * 4096 + 12 * 256 + 243, dates = 11 * 256;
    // DOS 3.2 writes address fields for sectors it has not written yet.
    const char* blank32 = "Tracks 0-1 and 17 could be read; 405 of 416 sectors failed elsewhere.";
    const struct {
        const char *name, *format;
        int order;
        const char *readable, *files, *sectors = nullptr;
        size_t skipFrom = 0, skipTo = 0, skipByte = 0;
    } cases[] = {
        {"dos33-bigfiles.woz", "WOZ 2", OrderDos, all, big, dos33, 0, boot, hello},
        {"dos33-bigfiles.nib", "NIB", OrderDos, all, big, dos33, 0, boot, hello},
        {"prodos-bigfiles.woz", "WOZ 2", OrderDos, all, nullptr, prodos, dates, dates + 256},
        {"prodos-bigfiles-woz1.woz", "WOZ 1", OrderDos, all, nullptr, prodos, dates, dates + 256},
        {"dos32-smallfiles.woz", "WOZ 2", OrderDos32, "Tracks 0-1 and 17 could be read; 399 of 416 sectors failed elsewhere.",
         "HELLO THECHIP THETEXT "},
        {"dos32-bigfiles.woz", "WOZ 2", OrderDos32, "Tracks 0-1, 17, 20 and 22-26 could be read; 308 of 338 sectors failed elsewhere.", big},
        {"dos32-ren-del.woz", "WOZ 2", OrderDos32, "Tracks 0-1, 17, 20 and 22-26 could be read; 308 of 338 sectors failed elsewhere.",
         "HELLO MYTREE1 SAP "},
        {"3.2.1-blank.nib", "NIB", OrderDos32, blank32, "HELLO "}, {"aw-init.nib", "NIB", OrderDos32, blank32, "HIYA "},
        {"3.2-blank.d13", "D13", OrderDos32, "All 455 sectors could be read.", ""},
        {"wozv1-gm.woz", "WOZ 1", OrderDos, none, nullptr}, {"wozv2-gm.woz", "WOZ 2", OrderDos, none, nullptr},
    };
    for (const auto& c : cases) {
        DecodedImage decoded = Decode(c.name, Formats(c.name));
        EXPECT_TRUE(decoded.Decoded()) << c.name << ": " << decoded.detail;
        EXPECT_EQ(decoded.facts.format, c.format) << c.name;
        EXPECT_EQ(decoded.order, c.order) << c.name;
        ASSERT_EQ(decoded.bytes.size(), 35u * 4096) << c.name;
        EXPECT_EQ(DescribeReadable(decoded), c.readable) << c.name;
        EXPECT_EQ(decoded.readOnlyReason.empty(), c.readable == all) << c.name << ": " << decoded.readOnlyReason;
        std::vector<uint8_t> expected = c.sectors ? *shared_data::ReadBytes(std::string("disks/") + c.sectors) : decoded.bytes;
        size_t differ = 0;
        for (size_t i = 0; i < decoded.bytes.size(); ++i)
            differ += (i < c.skipFrom || i >= c.skipTo) && i != c.skipByte && decoded.bytes[i] != expected[i];
        EXPECT_EQ(differ, 0u) << c.name;
        if (!c.files) continue;
        ImageFile image(std::span<const uint8_t>(decoded.bytes));
        std::string prefix, listed;
        DirectoryListing listing = ListDosCatalog(image, prefix);
        for (const DirectoryRow& row : listing.rows) listed += std::string(TrimmedName(row.name)) + " ";
        EXPECT_EQ(listed, c.files) << c.name;
        if (c.files != big) continue;
        // 16,384 bytes, byte i = i mod 256, after the four of the header.
        std::vector<uint8_t> sapling;
        EXPECT_EQ(ReadDosFile(listing.rows[3].ref, image, sapling), 65);
        for (size_t i = 0; i < 16384; ++i) ASSERT_EQ(sapling[4 + i], i % 256) << c.name;
    }
}

// Each track turned a little more than the one before, so that a sector
// lies over the end of one track or another; a .nb2 is a .nib's tracks cut
// short of their padding.
TEST(FloppyImages, TracksAreRings)
{
    REQUIRE_FORMATS();
    std::vector<uint8_t> nib = Formats("dos33-bigfiles.nib"), nb2, woz = Formats("dos33-bigfiles.woz");
    std::vector<uint8_t> expected = DecodeNibbleImage(nib).bytes;
    for (size_t turn : {1, 200, 3001}) {
        std::vector<uint8_t> turned(nib.size());
        for (long t = 0; t < 35; ++t) {
            auto track = nib.begin() + t * 6656;
            std::rotate_copy(track, track + static_cast<long>(turn) * (t + 1) % 6656, track + 6656, turned.begin() + t * 6656);
        }
        EXPECT_EQ(DecodeNibbleImage(turned).bytes, expected) << turn;
    }
    for (long t = 0; t < 35; ++t) nb2.insert(nb2.end(), nib.begin() + t * 6656, nib.begin() + t * 6656 + 6384);
    EXPECT_EQ(DecodeNibbleImage(nb2).facts.format, "NB2");
    EXPECT_EQ(DecodeNibbleImage(nb2).bytes, expected);

    floppy::PutLe32(woz, 8, 0);  // the CRC, no longer computed
    for (size_t turn : {1, 7, 12345}) {
        std::vector<uint8_t> turned = woz;
        for (size_t entry = 0; entry < 35; ++entry) {
            uint32_t bits = 0;
            std::span<uint8_t> from = floppy::Woz2Bits(woz, entry, bits), to = floppy::Woz2Bits(turned, entry, bits);
            std::ranges::fill(to, 0);
            for (size_t i = 0, j = turn * (entry + 1) % bits; i < bits; ++i, j = (j + 1) % bits)
                to[i / 8] |= static_cast<uint8_t>(((from[j / 8] << (j % 8)) & 0x80) >> (i % 8));
        }
        DecodedImage image = DecodeWozImage(turned);
        EXPECT_EQ(image.bytes, expected) << turn;
        EXPECT_EQ(image.readOnlyReason, "") << turn;
    }
}

// One field of the first sector on track 17 changed: that sector is unread,
// its bytes zero, the rest read, and the disk is no longer written.
TEST(FloppyImages, FieldsThatFailLeaveTheirSectorUnread)
{
    REQUIRE_FORMATS();
    const std::vector<uint8_t> nib = Formats("dos33-bigfiles.nib");
    const uint8_t address[] = {0xD5, 0xAA, 0x96}, data[] = {0xD5, 0xAA, 0xAD};
    size_t a = static_cast<size_t>(std::search(nib.begin() + 17 * 6656, nib.end(), address, address + 3) - nib.begin());
    size_t d = static_cast<size_t>(std::search(nib.begin() + static_cast<long>(a), nib.end(), data, data + 3) - nib.begin());
    size_t sector = 17 * 16 + static_cast<size_t>(kDosSectorOfPhysical[Decode44(nib[a + 7], nib[a + 8])]);
    // The address checksum, the data prologue, a disk byte of the code and
    // one not in it, the data checksum.
    const std::pair<size_t, uint8_t> changes[] = {
        {a + 9, uint8_t(nib[a + 9] ^ 1)}, {d + 2, 0xAE}, {d + 103, uint8_t(nib[d + 103] ^ 1)}, {d + 50, 0x00}, {d + 345, uint8_t(nib[d + 345] ^ 1)}};
    for (auto [at, value] : changes) {
        std::vector<uint8_t> file = nib;
        file[at] = value;
        const std::vector<uint8_t> before = file;
        DecodedImage image = DecodeNibbleImage(file);
        EXPECT_EQ(std::count(image.unreadable.begin(), image.unreadable.end(), true), 1) << at;
        EXPECT_FALSE(image.Readable(sector)) << at;
        EXPECT_EQ(std::count(image.bytes.begin() + static_cast<long>(sector * 256), image.bytes.begin() + static_cast<long>(sector * 256 + 256), 0), 256);
        EXPECT_EQ(image.readOnlyReason, "1 of its sectors could not be read");
        EXPECT_EQ(DescribeReadable(image), "Tracks 0-16 and 18-34 could be read; 1 of 16 sectors failed elsewhere.");
        EXPECT_FALSE(EncodeNibbleImage(file, image.bytes));
        EXPECT_EQ(file, before);
    }
}

// Copy-protected and custom disks: nothing standard, everything unread, and
// neither a crash nor a hang on tracks full of marks.
TEST(FloppyImages, DisksWithoutStandardSectors)
{
    const std::vector<std::vector<uint8_t>> patterns = {
        {0x00}, {0xFF}, {0xD5, 0xAA, 0x96}, {0xD5, 0xAA, 0xAD}, {0x96, 0xD5, 0x3C, 0xAA, 0xEB, 0x7F, 0x96, 0xAD, 0xD5},
        {0xD5, 0xAA, 0xB5, 0xFF, 0xFE, 0xAA, 0xAA, 0xAA, 0xAA, 0xFF, 0xFE},  // the address of T0 S0, over and over
    };
    for (const std::vector<uint8_t>& pattern : patterns) {
        std::vector<uint8_t> file(35 * 6656);
        for (size_t i = 0; i < file.size(); ++i) file[i] = pattern[i % pattern.size()];
        DecodedImage image = DecodeNibbleImage(file);
        EXPECT_EQ(DescribeReadable(image), pattern.size() == 11 ? "None of the 455 sectors could be read." : "None of the 560 sectors could be read.");
    }
    // A WOZ track with no flux at all reads as nothing, not as random bits.
    REQUIRE_FORMATS();
    std::vector<uint8_t> woz = Formats("dos33-bigfiles.woz");
    uint32_t bits = 0;
    std::ranges::fill(floppy::Woz2Bits(woz, 5, bits), 0);
    DecodedImage image = DecodeWozImage(woz);
    EXPECT_EQ(DescribeReadable(image), "Tracks 0-4 and 6-34 could be read; 16 of 16 sectors failed elsewhere.");
    EXPECT_EQ(image.readOnlyReason, "its CRC32 does not match its contents; 16 of its sectors could not be read");
    // The sentence for a single whole track, and for none.
    image.unreadable.assign(560, true);
    std::fill_n(image.unreadable.begin() + 16, 16, false);
    EXPECT_EQ(DescribeReadable(image), "Track 1 could be read; 544 of 544 sectors failed elsewhere.");
    image.unreadable[15] = false;
    image.unreadable[16] = true;
    EXPECT_EQ(DescribeReadable(image), "No track could be read whole; 544 of 560 sectors failed.");
}

// Files that are no floppy, or a WOZ with a part that cannot be read: what is wrong is named.
TEST(FloppyImages, DamageIsNamed)
{
    REQUIRE_FORMATS();
    const std::vector<uint8_t> woz2 = Formats("dos33-bigfiles.woz"), woz1 = Formats("prodos-bigfiles-woz1.woz"), none;
    const struct { const char* name; const std::vector<uint8_t>& file; Change change; const char* detail; } cases[] = {
        {"zero.nib", none, [](auto&) {}, "the nibble image is an empty file"},
        {"x.nib", none, [](auto& f) { f.resize(232959); }, "the nibble image is 232959 bytes long, not 35 tracks of 6656 (.nib) or 6384 (.nb2) bytes"},
        {"x.d13", none, [](auto& f) { f.resize(116479); }, "the .d13 image is 116479 bytes long, not 35 tracks of 13 sectors (116480)"},
        {"x.woz", woz2, [](auto& f) { f.resize(100000); }, "the TRKS chunk is cut short: 99744 of its 234240 bytes are there"},
        {"x.woz", woz2, [](auto& f) { f.resize(84); }, "the file ends inside the header of a chunk"},
        {"x.woz", woz2, [](auto& f) { f[3] = '3'; }, "the file does not begin with a WOZ1 or WOZ2 header"},
        {"x.woz", woz2, [](auto& f) { f[80] = 'X'; }, "the file has no TMAP chunk"},
        {"x.woz", woz2, [](auto& f) { f[21] = 2; }, "3.5-inch disks use another encoding, not read here"},
        {"x.woz", woz2, [](auto& f) { f[21] = 9; }, "the INFO chunk names disk type 9, neither 5.25 nor 3.5-inch"},
        {"x.woz", woz2, [](auto& f) { f[88 + 4 * 17] = 200; }, "the TMAP entry of track 17 points past TRKS (entry 200 of 160)"},
        {"x.woz", woz2, [](auto& f) { PutLe32(f, 256 + 4, 13 * 4096 + 1); }, "the bit count of track 0, 53249, passes its 13 blocks"},
        {"x.woz", woz2, [](auto& f) { f[257] = 2; }, "the bits of track 0 lie past the end of the file (blocks 515 to 527)"},
        {"x.woz", woz2, [](auto& f) { f[256] = 1; }, "the bits of track 0 start at block 1, inside the chunks before TRKS"},
        {"x.woz", woz1, [](auto& f) { f[88 + 4 * 34] = 35; }, "the TMAP entry of track 34 points past TRKS (record 35 of 35)"},
        {"x.woz", woz1, [](auto& f) { f[256 + 6649] = 0xFF; }, "the bit count of track 0, 65280, passes its 6646 bytes"},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> file = c.file;
        c.change(file);
        DecodedImage image = Decode(c.name, file);
        EXPECT_EQ(image.message, Message::DamagedContainer);
        EXPECT_EQ(image.detail, c.detail);
        EXPECT_TRUE(image.bytes.empty());
        EXPECT_FALSE(floppy::Encode(c.name, file, std::vector<uint8_t>(35 * 4096)));
    }
}

// The disk is read whatever the flags; written only when none keeps it from it.
TEST(FloppyImages, WozFlagsChecksumAndTitle)
{
    REQUIRE_FORMATS();
    const std::vector<uint8_t> woz = Formats("dos33-bigfiles.woz");
    const std::vector<uint8_t> sectors = DecodeWozImage(woz).bytes;
    Change pastTrack0 = [](auto& f) { f[1536 + 6500] ^= 1; };  // a byte of track 0's blocks past its bits
    const std::string_view chunks = "META\x22\0\0\0language\tEnglish\ntitle\tBig Files\r\nFLUX\x02\0\0\0\xFF\xFF"sv;
    const struct { Change change; const char* reason; bool writeProtected; const char* title; } cases[] = {
        {[](auto&) {}, "", false, ""},
        {[](auto& f) { f[22] = 1, PutLe32(f, 8, 0); }, "its write-protect flag is set", true, ""},
        {pastTrack0, "its CRC32 does not match its contents", false, ""},
        {[&](auto& f) { pastTrack0(f), PutLe32(f, 8, 0); }, "", false, ""},
        {[&](auto& f) { f.insert(f.end(), chunks.begin(), chunks.end()), PutLe32(f, 8, 0); }, "", false, "Big Files"},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> file = woz;
        c.change(file);
        DecodedImage image = DecodeWozImage(file);
        EXPECT_EQ(image.bytes, sectors) << c.reason;
        EXPECT_EQ(image.readOnlyReason, c.reason);
        EXPECT_EQ(image.facts.writeProtected, c.writeProtected);
        EXPECT_EQ(image.facts.title, c.title);
        EXPECT_EQ(image.facts.creator, "Virtual ][");
        std::vector<uint8_t> changed = sectors, before = file;
        changed[17 * 4096 + 15 * 256 + 11] ^= 0x80;
        EXPECT_EQ(EncodeWozImage(file, changed), image.readOnlyReason.empty());
        EXPECT_EQ(file == before, !image.readOnlyReason.empty());
    }
}
