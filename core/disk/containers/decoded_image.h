// A disk image file taken out of its container: the sectors or blocks the
// file systems read, which of them could not be read, and the container's
// own facts for the properties sheet and `tavo-image info`.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/messages/messages.h"

// Values of `DecodedImage::order`: how `bytes` hold the volume.
constexpr int OrderDos = 1;     // 16 sectors a track in DOS order, as a .do
constexpr int OrderProdos = 2;  // 512-byte blocks in order, as a .po
// 13 sectors a track (DOS 3.2), each track padded to 16 sectors in `bytes`
// so that a sector lies where it would in a .do; sectors 13-15 are unreadable.
constexpr int OrderDos32 = 3;

struct ContainerFacts {
    std::string format;  // "2MG", "NIB", "NB2", "WOZ 1", "WOZ 2", "D13"
    std::string order;   // "DOS order", "ProDOS order", "nibbles", "13-sector"
    bool writeProtected = false;
    std::string creator;  // 2MG: its four characters; WOZ: INFO's creator
    std::string comment;  // 2MG's comment
    std::string title;    // WOZ: META's title
    int dosVolume = 254;
};

struct DecodedImage {
    Message message = Message::None;  // why nothing can be listed; `detail` says what failed
    std::string detail;
    int order = 0;
    std::vector<uint8_t> bytes;
    // One flag for each 256-byte sector of `bytes`; empty when all were read.
    std::vector<bool> unreadable;
    // Why the image is never written, or empty when it may be: a write-protect
    // flag, a CRC that does not match, sectors not in the standard encoding,
    // a 13-sector disk, a 3.5-inch WOZ.
    std::string readOnlyReason;
    ContainerFacts facts;

    bool Decoded() const { return message == Message::None; }
    bool Readable(size_t sector) const { return sector >= unreadable.size() || !unreadable[sector]; }
};
