// Finding the sectors of a floppy in its disk bytes: the address fields
// (D5 AA 96 for 16 sectors a track, D5 AA B5 for 13) and the data field each
// is followed by. Shared by .nib and WOZ images; also assembles the decoded
// volume out of the sectors of its 35 tracks.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/disk/containers/decoded_image.h"
#include "core/disk/image.h"

constexpr int kNibbleTracks = 35;
constexpr int kSectors13 = 13;

// DOS 3.3's sector in a .do for each physical (address field) sector number.
constexpr int kDosSectorOfPhysical[kSectorsPerTrack] = {0, 7, 14, 6, 13, 5, 12, 4, 11, 3, 10, 2, 9, 1, 8, 15};

enum class SectorState : uint8_t { Absent, Failed, Read };

struct SectorField {
    SectorState state = SectorState::Absent;
    // Its epilogues are in place and, in a bit stream, its data field's disk
    // bytes follow each other without a bit between: it may be written anew.
    bool standard = false;
    uint8_t volume = 0;
    // Where the data field's first disk byte lies in the track: its byte in a
    // .nib track, its first bit in a bit stream.
    uint32_t dataAt = 0;
    SectorBuffer bytes{};
};

// The sectors of one track by their physical numbers, in either format.
struct TrackFields {
    std::array<SectorField, kSectorsPerTrack> sixteen;
    std::array<SectorField, kSectors13> thirteen;
    int addressFields16 = 0;  // address fields of this track whose checksum matched
    int addressFields13 = 0;
};

// A track's disk bytes as a read gives them: one revolution and what follows
// it, so that a sector over the end of the revolution is whole. `lap` bytes
// start in the first revolution; address fields are looked for only there.
struct TrackStream {
    std::vector<uint8_t> bytes;
    size_t lap = 0;
    // For a bit stream: the bit at which each byte starts, counted from the
    // track's start on into the second revolution. Empty for .nib tracks.
    std::vector<uint32_t> bitAt;
    size_t ring = 1;  // one revolution: bytes of a .nib track, bits of a bit stream
};
// Disk bytes read past the end of the first revolution: enough for the
// longest address field, gap and 13-sector data field that begin in it.
constexpr size_t kWrapBytes = 640;

constexpr const char* kDos32OnlyRead = "it is a 13-sector DOS 3.2 disk, which TAVO only reads";

void ScanTrack(const TrackStream& stream, int track, TrackFields& fields);

// Builds the volume from the fields of its tracks (up to 35, a missing one
// unreadable): 16 sectors a track in DOS order, or, when 13-sector address
// fields are the more, OrderDos32. Sets `order`, `bytes`, `unreadable`,
// `facts.dosVolume` and `facts.order`, and `readOnlyReason` when a sector
// could not be read, is not in the standard encoding, or the disk has 13.
void AssembleVolume(std::span<const TrackFields> tracks, DecodedImage& image);
// The field that holds sector `sector` (DOS order) of a 16-sector volume.
const SectorField& FieldOfDosSector(std::span<const TrackFields> tracks, int track, int sector);
