// Placeholder until the nibble decoder lands on this branch.
#include "core/disk/containers/nibble_image.h"

DecodedImage DecodeNibbleImage(std::span<const uint8_t>)
{
    DecodedImage image;
    image.message = Message::DamagedContainer;
    image.detail = "nibbles are not read yet";
    return image;
}

bool EncodeNibbleImage(std::vector<uint8_t>&, std::span<const uint8_t>) { return false; }
