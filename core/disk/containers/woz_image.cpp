// WOZ 1 and WOZ 2: a 12-byte header ("WOZ1" or "WOZ2", FF 0A 0D 0A, the
// CRC32 of the rest), then chunks of a 4-character id and a 4-byte size:
// INFO, TMAP (a track for each quarter track), TRKS (the bits), META and
// others, kept as they are. Every offset and size comes from the file and is
// checked against its end before anything is read there.
#include "core/disk/containers/woz_image.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/disk/containers/gcr.h"
#include "core/disk/containers/nibble_track.h"

namespace {

constexpr size_t kHeaderBytes = 12;
constexpr size_t kChunkHeaderBytes = 8;
constexpr size_t kCrcAt = 8;
constexpr size_t kQuarterTracks = 160;
constexpr uint8_t kNoTrack = 0xFF;
constexpr size_t kInfoBytes = 37;  // what is read of INFO: version to creator
constexpr size_t kCreatorAt = 5, kCreatorBytes = 32;
constexpr int kDisk525 = 1, kDisk35 = 2;
// WOZ 1: a record of 6,656 bytes for each track, its bit count at 6,648.
constexpr size_t kWoz1Record = 6656, kWoz1BitBytes = 6646, kWoz1BitCountAt = 6648;
// WOZ 2: an entry of 8 bytes for each track, its bits in 512-byte blocks
// counted from the start of the file, the first at 1,536.
constexpr size_t kWoz2Entry = 8, kBlockBytes = 512, kFirstBitBlock = 3;

uint32_t Le16(std::span<const uint8_t> file, size_t at) { return file[at] | (file[at + 1] << 8); }
uint32_t Le32(std::span<const uint8_t> file, size_t at)
{
    return Le16(file, at) | (static_cast<uint32_t>(Le16(file, at + 2)) << 16);
}

// CRC-32 (the polynomial of zip and PNG), eight bytes at a time.
using CrcTables = std::array<std::array<uint32_t, 256>, 8>;
constexpr CrcTables MakeCrcTables()
{
    CrcTables tables{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t crc = i;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
        tables[0][i] = crc;
    }
    for (size_t t = 1; t < 8; ++t)
        for (size_t i = 0; i < 256; ++i) tables[t][i] = (tables[t - 1][i] >> 8) ^ tables[0][tables[t - 1][i] & 0xFF];
    return tables;
}
constexpr CrcTables kCrc = MakeCrcTables();

uint32_t Crc32(std::span<const uint8_t> bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        uint32_t low = crc ^ Le32(bytes, i), high = Le32(bytes, i + 4);
        crc = kCrc[7][low & 0xFF] ^ kCrc[6][(low >> 8) & 0xFF] ^ kCrc[5][(low >> 16) & 0xFF] ^ kCrc[4][low >> 24] ^
              kCrc[3][high & 0xFF] ^ kCrc[2][(high >> 8) & 0xFF] ^ kCrc[1][(high >> 16) & 0xFF] ^ kCrc[0][high >> 24];
    }
    for (; i < bytes.size(); ++i) crc = (crc >> 8) ^ kCrc[0][(crc ^ bytes[i]) & 0xFF];
    return ~crc;
}

// A chunk's body in the file.
struct Chunk {
    size_t at = 0;
    size_t size = 0;
    bool found = false;
};

// Where the bits of a whole track lie in the file; none when `bits` is 0.
struct BitTrack {
    size_t at = 0;
    uint32_t bits = 0;
};

struct WozFile {
    bool version2 = false;
    bool writeProtected = false;
    bool crcMatches = true;
    std::array<BitTrack, kNibbleTracks> tracks{};
};

// A chunk id as text, whatever its bytes.
std::string IdText(std::span<const uint8_t> id)
{
    std::string text;
    for (uint8_t c : id) text += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    return text;
}

std::string Number(size_t n) { return std::to_string(n); }

// The tracks of TMAP and TRKS; a detail of the damage, or empty.
std::string FindTracks(std::span<const uint8_t> file, const Chunk& tmap, const Chunk& trks, WozFile& woz)
{
    for (size_t track = 0; track < kNibbleTracks; ++track) {
        size_t index = file[tmap.at + 4 * track];
        if (index == kNoTrack) continue;
        std::string name = "track " + Number(track);
        if (!woz.version2) {
            if ((index + 1) * kWoz1Record > trks.size)
                return "the TMAP entry of " + name + " points past TRKS (record " + Number(index) + " of " +
                       Number(trks.size / kWoz1Record) + ")";
            size_t at = trks.at + index * kWoz1Record;
            uint32_t bits = Le16(file, at + kWoz1BitCountAt);
            if (bits > kWoz1BitBytes * 8)
                return "the bit count of " + name + ", " + Number(bits) + ", passes its " + Number(kWoz1BitBytes) + " bytes";
            woz.tracks[track] = {at, bits};
            continue;
        }
        if (index >= kQuarterTracks)
            return "the TMAP entry of " + name + " points past TRKS (entry " + Number(index) + " of 160)";
        size_t entry = trks.at + index * kWoz2Entry;
        size_t first = Le16(file, entry), blocks = Le16(file, entry + 2);
        uint32_t bits = Le32(file, entry + 4);
        if (bits > blocks * kBlockBytes * 8)
            return "the bit count of " + name + ", " + Number(bits) + ", passes its " + Number(blocks) + " blocks";
        if (blocks == 0) continue;
        if (first < kFirstBitBlock)
            return "the bits of " + name + " start at block " + Number(first) + ", inside the chunks before TRKS";
        if ((first + blocks) * kBlockBytes > file.size())
            return "the bits of " + name + " lie past the end of the file (blocks " + Number(first) + " to " +
                   Number(first + blocks - 1) + ")";
        woz.tracks[track] = {first * kBlockBytes, bits};
    }
    return {};
}

// Reads the header and the chunks: the damage that keeps the disk from
// being read goes to `image` as DamagedContainer and gives false.
bool ReadWoz(std::span<const uint8_t> file, WozFile& woz, DecodedImage& image)
{
    static constexpr uint8_t kMagicEnd[4] = {0xFF, 0x0A, 0x0D, 0x0A};
    auto damaged = [&](std::string detail) {
        image.message = Message::DamagedContainer;
        image.detail = std::move(detail);
        return false;
    };
    std::string_view magic(reinterpret_cast<const char*>(file.data()), std::min<size_t>(file.size(), 4));
    if (file.size() < kHeaderBytes || (magic != "WOZ1" && magic != "WOZ2") || !std::equal(kMagicEnd, kMagicEnd + 4, file.begin() + 4))
        return damaged("the file does not begin with a WOZ1 or WOZ2 header");
    woz.version2 = magic == "WOZ2";
    uint32_t crc = Le32(file, kCrcAt);
    woz.crcMatches = crc == 0 || crc == Crc32(file.subspan(kHeaderBytes));

    Chunk info, tmap, trks, meta;
    for (size_t at = kHeaderBytes; at < file.size();) {
        if (file.size() - at < kChunkHeaderBytes) return damaged("the file ends inside the header of a chunk");
        std::span<const uint8_t> id = file.subspan(at, 4);
        size_t size = Le32(file, at + 4);
        size_t left = file.size() - at - kChunkHeaderBytes;
        if (size > left)
            return damaged("the " + IdText(id) + " chunk is cut short: " + Number(left) + " of its " + Number(size) + " bytes are there");
        Chunk chunk{at + kChunkHeaderBytes, size, true};
        std::string_view name(reinterpret_cast<const char*>(id.data()), 4);
        Chunk* known = name == "INFO" ? &info : name == "TMAP" ? &tmap : name == "TRKS" ? &trks : name == "META" ? &meta : nullptr;
        if (known && !known->found) *known = chunk;
        at += kChunkHeaderBytes + size;
    }
    if (!info.found || !tmap.found || !trks.found)
        return damaged(std::string("the file has no ") + (!info.found ? "INFO" : !tmap.found ? "TMAP" : "TRKS") + " chunk");
    if (info.size < kInfoBytes) return damaged("the INFO chunk is " + Number(info.size) + " bytes long, too short");
    int diskType = file[info.at + 1];
    if (diskType == kDisk35) return damaged("3.5-inch disks use another encoding, not read here");
    if (diskType != kDisk525) return damaged("the INFO chunk names disk type " + Number(static_cast<size_t>(diskType)) + ", neither 5.25 nor 3.5-inch");
    woz.writeProtected = file[info.at + 2] == 1;
    std::string creator(reinterpret_cast<const char*>(file.data() + info.at + kCreatorAt), kCreatorBytes);
    image.facts.creator = creator.substr(0, creator.find_last_not_of(' ') + 1);
    if (meta.found) {
        std::string_view text(reinterpret_cast<const char*>(file.data() + meta.at), meta.size);
        for (size_t line = 0; line < text.size();) {
            size_t end = std::min(text.find('\n', line), text.size());
            std::string_view row = text.substr(line, end - line);
            if (row.starts_with("title\t")) image.facts.title = std::string(row.substr(6, row.find_last_not_of('\r') - 5));
            line = end + 1;
        }
    }
    if (tmap.size < kQuarterTracks) return damaged("the TMAP chunk holds " + Number(tmap.size) + " of its 160 entries");
    if (woz.version2 && trks.size < kQuarterTracks * kWoz2Entry)
        return damaged("the TRKS chunk is " + Number(trks.size) + " bytes long, too short for its 160 track entries");
    std::string damage = FindTracks(file, tmap, trks, woz);
    return damage.empty() || damaged(damage);
}

uint64_t BigEndian64(const uint8_t* p)
{
    return (uint64_t{p[0]} << 56) | (uint64_t{p[1]} << 48) | (uint64_t{p[2]} << 40) | (uint64_t{p[3]} << 32) |
           (uint64_t{p[4]} << 24) | (uint64_t{p[5]} << 16) | (uint64_t{p[6]} << 8) | uint64_t{p[7]};
}

// A bit track in `run`: one revolution and the start of the next after it
// (room for kWrapBytes disk bytes of up to 16 bits each), the bits past its
// count cleared, and eight zero bytes after them. Gives the bits in `run`.
size_t TwoRevolutions(std::span<const uint8_t> file, const BitTrack& track, std::vector<uint8_t>& run)
{
    const size_t bits = track.bits, bytes = (bits + 7) / 8, shift = bits % 8;
    const size_t again = std::min(bytes, 2 * kWrapBytes + 2);  // bytes of the second revolution
    std::span<const uint8_t> data = file.subspan(track.at, bytes);
    run.assign(bits / 8 + again + 9, 0);
    std::copy(data.begin(), data.end(), run.begin());
    uint8_t last = static_cast<uint8_t>(data[bytes - 1] & (0xFF00 >> (shift == 0 ? 8 : shift)));
    run[bytes - 1] = last;
    for (size_t i = 0; i < again; ++i) {
        uint8_t byte = i + 1 == bytes ? last : data[i];
        run[bits / 8 + i] |= static_cast<uint8_t>(byte >> shift);
        run[bits / 8 + i + 1] |= static_cast<uint8_t>(byte << (8 - shift));
    }
    return std::min(2 * bits, (bits / 8 + again) * 8);
}

// The disk bytes of a bit track as a disk controller's latch reads them:
// zero bits are skipped until a one, which starts a byte of eight bits (so
// the latch absorbs the extra zeros of sync bytes). It goes on round into a
// second revolution for a field over the end; where the track has no bits it
// reads nothing, as no bits are made up.
void ReadBits(std::span<const uint8_t> file, const BitTrack& track, std::vector<uint8_t>& run, TrackStream& stream)
{
    const size_t bits = track.bits, end = bits == 0 ? 0 : TwoRevolutions(file, track, run);
    stream.ring = std::max<size_t>(bits, 1);
    stream.bytes.resize(end / 8 + 1);
    stream.bitAt.resize(stream.bytes.size());
    size_t count = 0;
    for (size_t at = 0; at + 8 <= end;) {
        // Every byte that lies whole in the next 57 to 64 bits.
        uint64_t window = BigEndian64(&run[at / 8]) << (at % 8);
        size_t valid = std::min(64 - at % 8, end - at), used = 0;
        while (used + 8 <= valid) {
            if (window >> 63) {
                stream.bytes[count] = static_cast<uint8_t>(window >> 56);
                stream.bitAt[count++] = static_cast<uint32_t>(at + used);
                window <<= 8;
                used += 8;
                continue;
            }
            size_t zeros = static_cast<size_t>(std::countl_zero(window));
            if (used + zeros + 8 > valid) {
                used += std::min(zeros, valid - used);
                break;
            }
            window <<= zeros;
            used += zeros;
        }
        at += used;
    }
    stream.bytes.resize(count);
    stream.bitAt.resize(count);
    // The bytes that start in the first revolution, one that ends in the second too.
    stream.lap = static_cast<size_t>(std::lower_bound(stream.bitAt.begin(), stream.bitAt.end(), bits) - stream.bitAt.begin());
}

std::vector<TrackFields> ScanTracks(std::span<const uint8_t> file, const WozFile& woz)
{
    std::vector<TrackFields> tracks(kNibbleTracks);
    TrackStream stream;
    std::vector<uint8_t> run;
    for (size_t track = 0; track < kNibbleTracks; ++track) {
        if (woz.tracks[track].bits == 0) continue;
        ReadBits(file, woz.tracks[track], run, stream);
        ScanTrack(stream, static_cast<int>(track), tracks[track]);
    }
    return tracks;
}

void AddReason(std::string& reasons, const std::string& reason)
{
    if (!reason.empty()) reasons += (reasons.empty() ? "" : "; ") + reason;
}

}  // namespace

DecodedImage DecodeWozImage(std::span<const uint8_t> file)
{
    DecodedImage image;
    WozFile woz;
    if (!ReadWoz(file, woz, image)) return image;
    image.facts.format = woz.version2 ? "WOZ 2" : "WOZ 1";
    image.facts.writeProtected = woz.writeProtected;
    AssembleVolume(ScanTracks(file, woz), image);
    std::string reasons;
    AddReason(reasons, woz.writeProtected ? "its write-protect flag is set" : "");
    AddReason(reasons, woz.crcMatches ? "" : "its CRC32 does not match its contents");
    AddReason(reasons, image.readOnlyReason);
    image.readOnlyReason = reasons;
    return image;
}

bool EncodeWozImage(std::vector<uint8_t>& file, std::span<const uint8_t> sectors)
{
    DecodedImage image;
    WozFile woz;
    if (!ReadWoz(file, woz, image) || woz.writeProtected || !woz.crcMatches) return false;
    std::vector<TrackFields> tracks = ScanTracks(file, woz);
    AssembleVolume(tracks, image);
    if (!image.readOnlyReason.empty() || image.order != OrderDos || sectors.size() != image.bytes.size()) return false;
    std::vector<uint8_t> changed = file;
    std::array<uint8_t, kData62Nibbles> field;
    for (int track = 0; track < kNibbleTracks; ++track) {
        const BitTrack& bits = woz.tracks[static_cast<size_t>(track)];
        for (int sector = 0; sector < kSectorsPerTrack; ++sector) {
            auto data = sectors.subspan(static_cast<size_t>(track * kSectorsPerTrack + sector) * kSectorBytes).first<kSectorBytes>();
            const SectorField& found = FieldOfDosSector(tracks, track, sector);
            if (std::equal(data.begin(), data.end(), found.bytes.begin())) continue;
            EncodeData62(data, field);
            for (size_t i = 0; i < field.size() * 8; ++i) {
                size_t bit = (found.dataAt + i) % bits.bits;
                uint8_t mask = static_cast<uint8_t>(0x80 >> (bit % 8));
                uint8_t& byte = changed[bits.at + bit / 8];
                byte = (field[i / 8] & (0x80 >> (i % 8))) ? (byte | mask) : (byte & ~mask);
            }
        }
    }
    uint32_t crc = Crc32(std::span<const uint8_t>(changed).subspan(kHeaderBytes));
    for (size_t i = 0; i < 4; ++i) changed[kCrcAt + i] = static_cast<uint8_t>(crc >> (8 * i));
    // What was written must read back as given before it replaces the file.
    DecodedImage check = DecodeWozImage(changed);
    if (!check.readOnlyReason.empty() || !std::equal(sectors.begin(), sectors.end(), check.bytes.begin())) return false;
    file.swap(changed);
    return true;
}
