// Changes to a DOS 3.3 volume in memory, made as DOS 3.3 makes them. Each
// checks the volume first (CheckDosVolume) and changes nothing unless the
// whole change fits: a refused change leaves every byte as it was.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "core/disk/disk_change.h"

class Volume;

// Saves `contents` (the file's bytes as stored, see dos33_contents.h) as a
// file of catalog type `type`. An existing file of that name is replaced
// only when `replace` is true; its sectors are used again, so a file that
// fits only in the room of the one it replaces is saved.
DiskChange SaveDosFile(Volume& volume, std::string_view name, int type, std::span<const uint8_t> contents, bool replace);
DiskChange DeleteDosFile(Volume& volume, std::string_view name);
DiskChange RenameDosFile(Volume& volume, std::string_view name, std::string_view newName);
DiskChange LockDosFile(Volume& volume, std::string_view name, bool locked);
