// The check made before any change to a DOS 3.3 volume: the VTOC, the
// catalog chain and every file's track/sector lists walked, each sector
// given to its owner and compared with the VTOC's bit map.
#pragma once
#include <string>
#include <vector>

#include "core/disk/disk_change.h"

class Volume;

struct DosSector {
    int track = 0;
    int sector = 0;
    bool operator==(const DosSector&) const = default;
};

// An active catalog entry and the sectors it owns.
struct DosFile {
    DosSector catalogSector;  // where its entry lies
    int entryIndex = 0;
    std::string name;  // the 30 stored characters without bit 7, trailing blanks kept
    int type = 0;      // the type byte, lock bit included
    // In the order a file is written: a list sector, the data sectors it
    // names, the next list sector ... Holes are not sectors.
    std::vector<DosSector> sectors;
    bool sharesSectors = false;  // another file, or another pair of its own, names one of them too

    // The name as a message shows it: without the blanks that pad it.
    std::string ShownName() const;
};

struct DosCatalogSlot {
    DosSector catalogSector;
    int entryIndex = 0;
};

struct DosVolumeCheck {
    // DamagedVolume, with what is wrong in words, when the volume may only
    // be read; then the rest may be incomplete.
    DiskChange damage;
    int tracks = 0;  // as the VTOC gives them
    std::vector<DosFile> files;
    std::vector<DosCatalogSlot> freeSlots;  // never used or deleted entries, in catalog order

    bool Writable() const { return damage.Made(); }
    // The files that may not be changed: each shares a sector.
    std::vector<std::string> SharingFiles() const;
};

DosVolumeCheck CheckDosVolume(const Volume& volume);
