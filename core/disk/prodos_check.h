// The check made before any change to a ProDOS volume: every block that the
// boot code, the directories, the bit map and the files use, compared with
// the volume bit map. A change made on a volume whose bit map calls a used
// block free would hand that block to a second file.
#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/disk/disk_change.h"

class Volume;

struct ProdosVolumeCheck {
    // Message::DamagedVolume, saying what is wrong, when the volume may only be read.
    DiskChange damage;
    std::string volumeName;
    int totalBlocks = 0;
    int bitMapStart = 0;
    // Files and folders, as full paths ("/VOL/SUB/NAME"), whose blocks another also uses.
    std::vector<std::string> sharing;

    bool Writable() const { return damage.Made(); }
    // Whether `path`, or a folder that holds it, shares blocks with another file.
    bool Shares(std::string_view path) const;
};

ProdosVolumeCheck CheckProdosVolume(const Volume& volume);

// The blocks a 39-byte entry uses: a file's key, index and data blocks, a
// folder's directory blocks, the key block first. Empty on success, otherwise
// what is wrong in words ("points to block 900, past the volume's 280 blocks").
std::string ProdosEntryBlocks(const Volume& volume, int totalBlocks, std::span<const uint8_t> entry,
                              std::vector<int>& blocks);
// The blocks of a directory chain from its key block, in chain order.
std::string ProdosDirectoryChain(const Volume& volume, int totalBlocks, int keyBlock, std::vector<int>& blocks);
