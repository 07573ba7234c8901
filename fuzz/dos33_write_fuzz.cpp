// Fuzz target: a sequence of saves, replacements, deletions, renames and
// locks on a new DOS 3.3 volume, each followed by the check. A change never
// leaves the volume damaged, a sector owned twice or a sector lost, and a
// refused change leaves every byte as it was.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/disk/dos33.h"
#include "core/disk/dos33_check.h"
#include "core/disk/dos33_new_volume.h"
#include "core/disk/dos33_writer.h"
#include "core/disk/file_type_codes.h"
#include "core/disk/image.h"
#include "core/disk/volume.h"

namespace {

constexpr int kOperationsPerInput = 64;
// Names that collide, one equal to another but for a padding blank, one refused.
const char* const kNames[] = {"HELLO", "A", "B", "C", "LONGER NAME OF THIRTY LETTERS.", "D", "HELLO ", "1BAD"};
const int kTypes[] = {kDosTextType, kDosIntegerType, kDosApplesoftType, kDosBinaryType};

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool More() const { return at_ < size_; }
    int Next() { return at_ < size_ ? data_[at_++] : 0; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// Every sector of tracks 3 and up but the catalog track is either free or a file's.
int SectorsForFiles(int tracks) { return (tracks - kDosTracksOfDos - 1) * kSectorsPerTrack; }

void CheckSound(const Volume& volume, int tracks)
{
    const DosVolumeCheck check = CheckDosVolume(volume);
    if (!check.Writable() || !check.SharingFiles().empty()) __builtin_trap();
    SectorBuffer vtoc;
    volume.ReadSector(kVtocTrack, kVtocSector, vtoc);
    int accounted = 0;
    for (const DosFile& file : check.files) accounted += static_cast<int>(file.sectors.size());
    for (int track = 0; track < tracks; ++track)
        for (int sector = 0; sector < kSectorsPerTrack; ++sector)
            if (vtoc[static_cast<size_t>(VtocBitMapByte(track, sector))] & VtocBitMapBit(sector)) ++accounted;
    if (accounted != SectorsForFiles(tracks)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input input(data, size);
    const int tracks = (input.Next() & 1) ? kDosLongTracks : kDosTracks;
    Volume volume(NewDosVolume(tracks), LayoutDos33);
    for (int n = 0; n < kOperationsPerInput && input.More(); ++n) {
        const int operation = input.Next() % 6;
        const std::string name = kNames[input.Next() % std::size(kNames)];
        const std::vector<uint8_t> before = volume.Bytes();
        DiskChange change;
        switch (operation) {
        case 0:
        case 1: {
            const int type = kTypes[input.Next() % std::size(kTypes)];
            const size_t length = static_cast<size_t>(input.Next() << 8 | input.Next()) * 2;
            std::vector<uint8_t> contents(length, static_cast<uint8_t>(n + 1));
            change = SaveDosFile(volume, name, type, contents, operation == 1);
            break;
        }
        case 2: change = DeleteDosFile(volume, name); break;
        case 3: change = RenameDosFile(volume, name, kNames[input.Next() % std::size(kNames)]); break;
        default: change = LockDosFile(volume, name, operation == 4); break;
        }
        if (!change.Made() && volume.Bytes() != before) __builtin_trap();
        CheckSound(volume, tracks);
    }
    return 0;
}
