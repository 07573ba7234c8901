// Every track and sector number comes from the image and may be anything:
// each is checked against the VTOC's shape before it is read, and every
// chain ends at a sector it has already been through.
#include "core/disk/dos33_check.h"

#include "core/disk/dos33.h"
#include "core/disk/image.h"
#include "core/disk/volume.h"

namespace {

constexpr int kNobody = -1;
constexpr int kVolumeItself = -2;  // the VTOC and the catalog

std::string Place(int track, int sector) { return "track " + std::to_string(track) + " sector " + std::to_string(sector); }

class Walk {
public:
    Walk(const Volume& volume, DosVolumeCheck& check) : volume_(volume), check_(check) {}

    bool Run()
    {
        SectorBuffer vtoc;
        if (!volume_.ReadSector(kVtocTrack, kVtocSector, vtoc)) return Damage("the VTOC (" + Place(kVtocTrack, kVtocSector) + ") cannot be read");
        const int tracks = vtoc[kVtocTracksByte], sectors = vtoc[kVtocSectorsByte];
        if ((tracks != kDosTracks && tracks != kDosLongTracks) || sectors != kSectorsPerTrack)
            return Damage("the VTOC describes " + std::to_string(tracks) + " tracks of " + std::to_string(sectors) + " sectors");
        if (tracks > volume_.TrackCount())
            return Damage("the VTOC describes " + std::to_string(tracks) + " tracks but the image holds " + std::to_string(volume_.TrackCount()));
        if (vtoc[kVtocPairsPerListByte] != kPairsPerList)
            return Damage("the VTOC gives " + std::to_string(vtoc[kVtocPairsPerListByte]) + " track/sector pairs per list");
        check_.tracks = tracks;
        owner_.assign(static_cast<size_t>(tracks) * kSectorsPerTrack, kNobody);
        owner_[Index(kVtocTrack, kVtocSector)] = kVolumeItself;

        if (!ReadCatalog(vtoc[kVtocCatalogByte], vtoc[kVtocCatalogByte + 1])) return false;
        for (size_t i = 0; i < check_.files.size(); ++i)
            if (!ReadLists(check_.files[i]) || !Own(static_cast<int>(i))) return false;
        return CompareWithBitMap(vtoc);
    }

private:
    bool Inside(int track, int sector) const { return track < check_.tracks && sector < kSectorsPerTrack; }
    size_t Index(int track, int sector) const { return static_cast<size_t>(track) * kSectorsPerTrack + static_cast<size_t>(sector); }

    bool Damage(std::string what)
    {
        check_.damage = {Message::DamagedVolume, std::move(what), 0};
        return false;
    }

    std::string OwnerName(int owner, DosSector at) const
    {
        if (owner >= 0) return check_.files[static_cast<size_t>(owner)].ShownName();
        return at == DosSector{kVtocTrack, kVtocSector} ? "the VTOC" : "the catalog";
    }

    bool ReadCatalog(int track, int sector)
    {
        SectorBuffer buffer;
        while (track != 0) {
            if (!Inside(track, sector)) return Damage("the catalog leads outside the disk, to " + Place(track, sector));
            if (owner_[Index(track, sector)] != kNobody) return Damage("the catalog comes back to " + Place(track, sector));
            owner_[Index(track, sector)] = kVolumeItself;
            volume_.ReadSector(track, sector, buffer);
            for (int index = 0; index < kCatalogEntries; ++index) {
                const uint8_t* entry = buffer.data() + kCatalogFirstEntry + index * kCatalogEntrySize;
                if (entry[kEntryListByte] == 0 || entry[kEntryListByte] == kDeletedEntry) {
                    check_.freeSlots.push_back({{track, sector}, index});
                    continue;
                }
                DosFile file;
                file.catalogSector = {track, sector};
                file.entryIndex = index;
                file.type = entry[kEntryTypeByte];
                for (int i = 0; i < kDosNameChars; ++i) file.name += static_cast<char>(entry[kEntryNameByte + i] & 0x7F);
                check_.files.push_back(std::move(file));
            }
            track = buffer[kCatalogNextByte];
            sector = buffer[kCatalogNextByte + 1];
        }
        return true;
    }

    // The list sectors are bounded by those already read; a pair of track 0
    // is a hole, which random-access text files leave.
    bool ReadLists(DosFile& file)
    {
        SectorBuffer catalog, list;
        volume_.ReadSector(file.catalogSector.track, file.catalogSector.sector, catalog);
        const uint8_t* entry = catalog.data() + kCatalogFirstEntry + file.entryIndex * kCatalogEntrySize;
        int track = entry[kEntryListByte], sector = entry[kEntryListByte + 1];
        std::vector<bool> read(owner_.size(), false);
        while (track != 0) {
            if (!Inside(track, sector))
                return Damage(file.ShownName() + "'s track/sector list leads outside the disk, to " + Place(track, sector));
            if (read[Index(track, sector)])
                return Damage(file.ShownName() + "'s track/sector lists come back to " + Place(track, sector));
            read[Index(track, sector)] = true;
            file.sectors.push_back({track, sector});
            volume_.ReadSector(track, sector, list);
            for (int pair = 0; pair < kPairsPerList; ++pair) {
                const int dataTrack = list[static_cast<size_t>(kFirstPairByte + 2 * pair)];
                const int dataSector = list[static_cast<size_t>(kFirstPairByte + 2 * pair + 1)];
                if (dataTrack == 0) continue;
                if (!Inside(dataTrack, dataSector))
                    return Damage(file.ShownName() + " names " + Place(dataTrack, dataSector) + ", outside the disk");
                file.sectors.push_back({dataTrack, dataSector});
            }
            track = list[kListNextByte];
            sector = list[kListNextByte + 1];
        }
        return true;
    }

    // Two files on one sector spoil only each other; a file on the VTOC or
    // the catalog would spoil every change to the catalog.
    bool Own(int fileIndex)
    {
        DosFile& file = check_.files[static_cast<size_t>(fileIndex)];
        for (const DosSector& at : file.sectors) {
            int& owner = owner_[Index(at.track, at.sector)];
            if (owner == kNobody) {
                owner = fileIndex;
            } else if (owner == kVolumeItself) {
                return Damage(Place(at.track, at.sector) + " is used by " + file.ShownName() + " and by " + OwnerName(owner, at));
            } else {
                file.sharesSectors = true;
                check_.files[static_cast<size_t>(owner)].sharesSectors = true;
            }
        }
        return true;
    }

    // Sectors used but owned by nobody are left alone: DOS itself on tracks
    // 0-2, or the other system of a disk that holds two.
    bool CompareWithBitMap(const SectorBuffer& vtoc)
    {
        for (int track = 0; track < check_.tracks; ++track)
            for (int sector = 0; sector < kSectorsPerTrack; ++sector) {
                const int owner = owner_[Index(track, sector)];
                if (owner != kNobody && (vtoc[static_cast<size_t>(VtocBitMapByte(track, sector))] & VtocBitMapBit(sector)) != 0)
                    return Damage(Place(track, sector) + " is used by " + OwnerName(owner, {track, sector}) + " but marked free");
            }
        return true;
    }

    const Volume& volume_;
    DosVolumeCheck& check_;
    std::vector<int> owner_;  // per sector: a file's index, kVolumeItself or kNobody
};

}  // namespace

std::string DosFile::ShownName() const
{
    const size_t end = name.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

std::vector<std::string> DosVolumeCheck::SharingFiles() const
{
    std::vector<std::string> names;
    for (const DosFile& file : files)
        if (file.sharesSectors) names.push_back(file.ShownName());
    return names;
}

DosVolumeCheck CheckDosVolume(const Volume& volume)
{
    DosVolumeCheck check;
    Walk(volume, check).Run();
    return check;
}
