// Sectors are taken as DOS 3.3's file manager takes them, so that a disk
// written here looks to the Apple, and to anyone reading it sector by
// sector, like one written on the Apple.
#include "core/disk/dos33_writer.h"

#include <algorithm>

#include "core/disk/apple_names.h"
#include "core/disk/dos33.h"
#include "core/disk/dos33_check.h"
#include "core/disk/file_type_codes.h"
#include "core/disk/image.h"
#include "core/disk/volume.h"

namespace {

constexpr uint8_t kHighBit = 0x80;
constexpr int kDirectionDown = 0xFF;  // -1 in the VTOC's direction byte

DiskChange Refusal(Message message, std::string_view name) { return {message, std::string(name), 0}; }

DiskChange NameRefusal(std::string_view name)
{
    AppleNameRefusal refusal = RefuseAppleNames(LayoutDos33, {}, {name});
    return {refusal.message, refusal.text, refusal.value};
}

// DOS compares all 30 characters, the blanks that pad a name included, so
// "HELLO" and "HELLO " are one file while "hello" is another.
const DosFile* FindFile(const DosVolumeCheck& check, std::string_view name)
{
    if (name.size() > kDosNameChars) return nullptr;
    std::string padded(name);
    padded.resize(kDosNameChars, ' ');
    for (const DosFile& file : check.files)
        if (file.name == padded) return &file;
    return nullptr;
}

// Why `file`, looked up by `name`, may not be changed, or a made change when it may.
DiskChange Unchangeable(const DosFile* file, std::string_view name, bool lockedMatters)
{
    if (file == nullptr) return Refusal(Message::AppleFileNotFound, name);
    if (lockedMatters && (file->type & kDosLockBit) != 0) return Refusal(Message::AppleFileLocked, name);
    if (file->sharesSectors) return Refusal(Message::SharedSectors, name);
    return {};
}

bool IsFree(const SectorBuffer& vtoc, int track, int sector)
{
    return (vtoc[static_cast<size_t>(VtocBitMapByte(track, sector))] & VtocBitMapBit(sector)) != 0;
}

void SetFree(SectorBuffer& vtoc, DosSector at, bool free)
{
    uint8_t& byte = vtoc[static_cast<size_t>(VtocBitMapByte(at.track, at.sector))];
    byte = free ? (byte | VtocBitMapBit(at.sector)) : (byte & ~VtocBitMapBit(at.sector));
}

// Track 0 is never a file's: a pair of track 0 is a hole.
int FreeSectors(const SectorBuffer& vtoc, int tracks)
{
    int free = 0;
    for (int track = 1; track < tracks; ++track)
        for (int sector = 0; sector < kSectorsPerTrack; ++sector) free += IsFree(vtoc, track, sector) ? 1 : 0;
    return free;
}

// DOS's file manager takes a whole track for the file it writes and hands
// out its free sectors from the highest down; when they run out it takes
// the next track with a free sector, searching on from the VTOC's last
// track in its direction. Past the last track it turns back towards track
// 0 from the catalog track; reaching track 0 it turns outwards once more,
// and the second time it reaches track 0 the disk is full. The sectors of
// the track in hand that the file does not use stay free.
class SectorAllocator {
public:
    SectorAllocator(SectorBuffer& vtoc, int tracks) : vtoc_(vtoc), tracks_(tracks) {}

    bool Take(DosSector& out)
    {
        if (inHand_ == 0 && !TakeTrack()) return false;
        int sector = kSectorsPerTrack - 1;
        while ((inHand_ & (1u << sector)) == 0) --sector;
        inHand_ &= ~(1u << sector);
        out = {track_, sector};
        SetFree(vtoc_, out, false);
        return true;
    }

private:
    bool TakeTrack()
    {
        int track = vtoc_[kVtocLastTrackByte];
        int direction = vtoc_[kVtocDirectionByte] >= kHighBit ? -1 : 1;
        bool turnedAtTrackZero = false;
        // Each track is looked at twice at most; the bound only guards that.
        for (int step = 0; step < 4 * kVtocBitMapTracks; ++step) {
            track += direction;
            if (track <= 0) {
                if (turnedAtTrackZero) return false;
                turnedAtTrackZero = true;
                direction = 1;
                track = kVtocTrack;
                continue;
            }
            if (track >= tracks_) {
                direction = -1;
                track = kVtocTrack;
                continue;
            }
            for (int sector = 0; sector < kSectorsPerTrack; ++sector)
                if (IsFree(vtoc_, track, sector)) inHand_ |= 1u << sector;
            if (inHand_ == 0) continue;
            track_ = track;
            vtoc_[kVtocLastTrackByte] = static_cast<uint8_t>(track);
            vtoc_[kVtocDirectionByte] = static_cast<uint8_t>(direction < 0 ? kDirectionDown : 1);
            return true;
        }
        return false;
    }

    SectorBuffer& vtoc_;
    int tracks_;
    int track_ = 0;
    unsigned inHand_ = 0;  // free sectors of the track in hand, bit n for sector n
};

uint8_t* EntryOf(SectorBuffer& catalog, int index)
{
    return catalog.data() + kCatalogFirstEntry + index * kCatalogEntrySize;
}

// Stored with bit 7 set and padded to 30 with blanks that have it too.
void PutName(uint8_t* entry, std::string_view name)
{
    for (int i = 0; i < kDosNameChars; ++i) {
        const char c = static_cast<size_t>(i) < name.size() ? name[static_cast<size_t>(i)] : ' ';
        entry[kEntryNameByte + i] = static_cast<uint8_t>(static_cast<uint8_t>(c) | kHighBit);
    }
}

template <class Change>
void ChangeEntry(Volume& volume, DosSector at, int index, Change change)
{
    SectorBuffer catalog;
    volume.ReadSector(at.track, at.sector, catalog);
    change(EntryOf(catalog, index));
    volume.WriteSector(at.track, at.sector, catalog);
}

void PutWord(uint8_t* at, int value)
{
    at[0] = static_cast<uint8_t>(value & 0xFF);
    at[1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

// Writes the lists and data of a file whose sectors come first from `reused`
// (the file it replaces, in the order that file was written) and then from
// the allocator. Returns the first list, or track 0 when the disk filled.
DosSector WriteFileSectors(Volume& volume, SectorAllocator& allocator, const std::vector<DosSector>& reused,
                           size_t& reusedTaken, std::span<const uint8_t> contents)
{
    auto take = [&](DosSector& at) {
        if (reusedTaken < reused.size()) {
            at = reused[reusedTaken++];
            return true;
        }
        return allocator.Take(at);
    };
    const size_t dataSectors = (contents.size() + kSectorBytes - 1) / kSectorBytes;
    DosSector first, listAt;
    if (!take(listAt)) return {};
    first = listAt;
    SectorBuffer list{};
    for (size_t n = 0; n < dataSectors; ++n) {
        const int pair = static_cast<int>(n % kPairsPerList);
        if (n > 0 && pair == 0) {
            DosSector next;
            if (!take(next)) return {};
            list[kListNextByte] = static_cast<uint8_t>(next.track);
            list[kListNextByte + 1] = static_cast<uint8_t>(next.sector);
            volume.WriteSector(listAt.track, listAt.sector, list);
            list = {};
            listAt = next;
            PutWord(list.data() + kListOffsetByte, static_cast<int>(n));
        }
        DosSector dataAt;
        if (!take(dataAt)) return {};
        list[static_cast<size_t>(kFirstPairByte + 2 * pair)] = static_cast<uint8_t>(dataAt.track);
        list[static_cast<size_t>(kFirstPairByte + 2 * pair + 1)] = static_cast<uint8_t>(dataAt.sector);
        SectorBuffer data{};
        const size_t from = n * kSectorBytes;
        std::copy_n(contents.begin() + static_cast<ptrdiff_t>(from), std::min<size_t>(kSectorBytes, contents.size() - from), data.begin());
        volume.WriteSector(dataAt.track, dataAt.sector, data);
    }
    volume.WriteSector(listAt.track, listAt.sector, list);
    return first;
}

}  // namespace

DiskChange SaveDosFile(Volume& volume, std::string_view name, int type, std::span<const uint8_t> contents, bool replace)
{
    if (DiskChange refused = NameRefusal(name); !refused.Made()) return refused;
    const DosVolumeCheck check = CheckDosVolume(volume);
    if (!check.Writable()) return check.damage;
    const DosFile* old = FindFile(check, name);
    if (old != nullptr) {
        if (!replace) return Refusal(Message::AppleFileExists, name);
        if (DiskChange refused = Unchangeable(old, name, true); !refused.Made()) return refused;
    } else if (check.freeSlots.empty()) {
        return Refusal(Message::CatalogFull, name);
    }

    const size_t dataSectors = (contents.size() + kSectorBytes - 1) / kSectorBytes;
    const size_t listSectors = std::max<size_t>(1, (dataSectors + kPairsPerList - 1) / kPairsPerList);
    const std::vector<DosSector> reused = old != nullptr ? old->sectors : std::vector<DosSector>{};
    SectorBuffer vtoc;
    volume.ReadSector(kVtocTrack, kVtocSector, vtoc);
    if (dataSectors + listSectors > static_cast<size_t>(FreeSectors(vtoc, check.tracks)) + reused.size())
        return Refusal(Message::DiskFull, name);

    // The change is made on a copy, so that a search that finds fewer free
    // sectors than the count leaves the volume as it was.
    Volume changed = volume;
    SectorAllocator allocator(vtoc, check.tracks);
    size_t reusedTaken = 0;
    const DosSector first = WriteFileSectors(changed, allocator, reused, reusedTaken, contents);
    if (first.track == 0) return Refusal(Message::DiskFull, name);
    // Unlike DOS, which keeps them with the file, a shorter replacement
    // gives back the sectors it does not need.
    for (size_t i = reusedTaken; i < reused.size(); ++i) SetFree(vtoc, reused[i], true);
    changed.WriteSector(kVtocTrack, kVtocSector, vtoc);

    const DosCatalogSlot slot = old != nullptr ? DosCatalogSlot{old->catalogSector, old->entryIndex} : check.freeSlots.front();
    ChangeEntry(changed, slot.catalogSector, slot.entryIndex, [&](uint8_t* entry) {
        entry[kEntryListByte] = static_cast<uint8_t>(first.track);
        entry[kEntryListByte + 1] = static_cast<uint8_t>(first.sector);
        entry[kEntryTypeByte] = static_cast<uint8_t>(type & ~kDosLockBit);
        PutName(entry, name);
        PutWord(entry + kEntryCountByte, static_cast<int>(dataSectors + listSectors));
    });
    volume = std::move(changed);
    return {};
}

// As DOS deletes: the file's sectors are freed and its entry marked, the
// list track moved to the name's last byte; lists and data stay as they were.
DiskChange DeleteDosFile(Volume& volume, std::string_view name)
{
    const DosVolumeCheck check = CheckDosVolume(volume);
    if (!check.Writable()) return check.damage;
    const DosFile* file = FindFile(check, name);
    if (DiskChange refused = Unchangeable(file, name, true); !refused.Made()) return refused;
    SectorBuffer vtoc;
    volume.ReadSector(kVtocTrack, kVtocSector, vtoc);
    for (const DosSector& at : file->sectors) SetFree(vtoc, at, true);
    volume.WriteSector(kVtocTrack, kVtocSector, vtoc);
    ChangeEntry(volume, file->catalogSector, file->entryIndex, [](uint8_t* entry) {
        entry[kEntryNameByte + kDosNameChars - 1] = entry[kEntryListByte];
        entry[kEntryListByte] = kDeletedEntry;
    });
    return {};
}

DiskChange RenameDosFile(Volume& volume, std::string_view name, std::string_view newName)
{
    if (DiskChange refused = NameRefusal(newName); !refused.Made()) return refused;
    const DosVolumeCheck check = CheckDosVolume(volume);
    if (!check.Writable()) return check.damage;
    const DosFile* file = FindFile(check, name);
    if (DiskChange refused = Unchangeable(file, name, true); !refused.Made()) return refused;
    const DosFile* other = FindFile(check, newName);
    if (other != nullptr && other != file) return Refusal(Message::AppleFileExists, newName);
    ChangeEntry(volume, file->catalogSector, file->entryIndex, [&](uint8_t* entry) { PutName(entry, newName); });
    return {};
}

DiskChange LockDosFile(Volume& volume, std::string_view name, bool locked)
{
    const DosVolumeCheck check = CheckDosVolume(volume);
    if (!check.Writable()) return check.damage;
    const DosFile* file = FindFile(check, name);
    if (DiskChange refused = Unchangeable(file, name, false); !refused.Made()) return refused;
    ChangeEntry(volume, file->catalogSector, file->entryIndex, [&](uint8_t* entry) {
        entry[kEntryTypeByte] = static_cast<uint8_t>(locked ? (entry[kEntryTypeByte] | kDosLockBit) : (entry[kEntryTypeByte] & ~kDosLockBit));
    });
    return {};
}
