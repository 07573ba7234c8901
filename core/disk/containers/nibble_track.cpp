// Address fields: prologue, volume, track, sector and checksum in 4-and-4,
// epilogue DE AA. The data field follows within a few sync bytes: D5 AA AD,
// the 6-and-2 or 5-and-3 disk bytes, epilogue DE AA. Every checksum is
// checked; a field that fails leaves its sector unread, never guessed.
#include "core/disk/containers/nibble_track.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/disk/containers/gcr.h"

namespace {

// A data field begins this many disk bytes after its address field at most;
// past them the sector has none (DOS 3.2 formats sectors it never writes).
constexpr size_t kDataWindow = 64;
constexpr uint8_t kAddress16 = 0x96, kAddress13 = 0xB5, kData = 0xAD;

bool Mark(const std::vector<uint8_t>& s, size_t at, uint8_t third)
{
    return at + 2 < s.size() && s[at] == 0xD5 && s[at + 1] == 0xAA && s[at + 2] == third;
}

bool Epilogue(const std::vector<uint8_t>& s, size_t at) { return at + 1 < s.size() && s[at] == 0xDE && s[at + 1] == 0xAA; }

// Whether `count` disk bytes from `at` follow each other bit after bit.
bool Contiguous(const TrackStream& stream, size_t at, size_t count)
{
    if (stream.bitAt.empty()) return true;
    for (size_t i = 1; i < count; ++i)
        if (stream.bitAt[at + i] != stream.bitAt[at] + 8 * i) return false;
    return true;
}

// The data field after the address field ending at `from`: where its disk
// bytes start, or 0 when another address field or the window comes first.
size_t FindData(const std::vector<uint8_t>& s, size_t from)
{
    size_t end = std::min(s.size(), from + kDataWindow);
    for (size_t at = from; at + 2 < end; ++at) {
        if (Mark(s, at, kData)) return at + 3;
        if (Mark(s, at, kAddress16) || Mark(s, at, kAddress13)) return 0;
    }
    return 0;
}

void ReadData(const TrackStream& stream, size_t data, bool sixteen, SectorField& field)
{
    const std::vector<uint8_t>& s = stream.bytes;
    size_t count = sixteen ? kData62Nibbles : kData53Nibbles;
    if (data + count > s.size()) return;
    field.dataAt = static_cast<uint32_t>((stream.bitAt.empty() ? data : stream.bitAt[data]) % stream.ring);
    bool read = sixteen ? DecodeData62(std::span<const uint8_t, kData62Nibbles>(s.data() + data, kData62Nibbles), field.bytes)
                        : DecodeData53(std::span<const uint8_t, kData53Nibbles>(s.data() + data, kData53Nibbles), field.bytes);
    field.state = read ? SectorState::Read : SectorState::Failed;
    if (!read) field.bytes.fill(0);
    field.standard = field.standard && read && Epilogue(s, data + count) && Contiguous(stream, data, count);
}

}  // namespace

void ScanTrack(const TrackStream& stream, int track, TrackFields& fields)
{
    const std::vector<uint8_t>& s = stream.bytes;
    size_t lap = std::min(stream.lap, s.size());
    for (size_t at = 0; at < lap; ++at) {
        const void* mark = std::memchr(s.data() + at, 0xD5, lap - at);
        if (mark == nullptr) break;
        at = static_cast<size_t>(static_cast<const uint8_t*>(mark) - s.data());
        bool sixteen = Mark(s, at, kAddress16);
        if (!sixteen && !Mark(s, at, kAddress13)) continue;
        size_t a = at + 3;
        if (a + 8 > s.size()) break;
        bool valid = true;
        uint8_t value[4];
        for (int i = 0; i < 4; ++i) {
            valid = valid && Valid44(s[a + 2 * i], s[a + 2 * i + 1]);
            value[i] = Decode44(s[a + 2 * i], s[a + 2 * i + 1]);
        }
        int sectors = sixteen ? kSectorsPerTrack : kSectors13;
        if (!valid || (value[0] ^ value[1] ^ value[2]) != value[3] || value[1] != track || value[2] >= sectors) continue;
        (sixteen ? fields.addressFields16 : fields.addressFields13)++;
        SectorField found;
        found.volume = value[0];
        found.standard = Epilogue(s, a + 8);
        size_t data = FindData(s, a + 8);
        if (data != 0) ReadData(stream, data, sixteen, found);
        SectorField& slot = sixteen ? fields.sixteen[value[2]] : fields.thirteen[value[2]];
        if (found.state > slot.state) slot = found;
        at = a + 7;  // no field holds a D5, so the search goes on right after the address field
    }
}

const SectorField& FieldOfDosSector(std::span<const TrackFields> tracks, int track, int sector)
{
    int physical = static_cast<int>(std::find(kDosSectorOfPhysical, kDosSectorOfPhysical + kSectorsPerTrack, sector) - kDosSectorOfPhysical);
    return tracks[static_cast<size_t>(track)].sixteen[static_cast<size_t>(physical)];
}

void AssembleVolume(std::span<const TrackFields> tracks, DecodedImage& image)
{
    int fields16 = 0, fields13 = 0;
    for (const TrackFields& fields : tracks) {
        fields16 += fields.addressFields16;
        fields13 += fields.addressFields13;
    }
    bool thirteen = fields13 > fields16;
    image.order = thirteen ? OrderDos32 : OrderDos;
    image.facts.order = thirteen ? "13-sector" : "nibbles";
    image.bytes.assign(kNibbleTracks * kTrackBytes, 0);
    image.unreadable.assign(kNibbleTracks * kSectorsPerTrack, false);
    int failed = 0;
    bool standard = true, volumeFound = false;
    const SectorField none;
    for (int track = 0; track < kNibbleTracks; ++track) {
        for (int sector = 0; sector < kSectorsPerTrack; ++sector) {
            size_t index = static_cast<size_t>(track * kSectorsPerTrack + sector);
            const SectorField* field = &none;
            if (static_cast<size_t>(track) < tracks.size() && (!thirteen || sector < kSectors13))
                field = thirteen ? &tracks[static_cast<size_t>(track)].thirteen[static_cast<size_t>(sector)]
                                 : &FieldOfDosSector(tracks, track, sector);
            if (field->state != SectorState::Read) {
                image.unreadable[index] = true;
                if (!thirteen || sector < kSectors13) ++failed;
                continue;
            }
            std::copy(field->bytes.begin(), field->bytes.end(), image.bytes.begin() + static_cast<long>(index * kSectorBytes));
            standard = standard && field->standard;
            if (!volumeFound) image.facts.dosVolume = field->volume;
            volumeFound = true;
        }
    }
    if (std::find(image.unreadable.begin(), image.unreadable.end(), true) == image.unreadable.end()) image.unreadable.clear();
    if (thirteen)
        image.readOnlyReason = kDos32OnlyRead;
    else if (failed != 0)
        image.readOnlyReason = std::to_string(failed) + " of its sectors could not be read";
    else if (!standard)
        image.readOnlyReason = "not all of its sectors are in the standard encoding";
}
