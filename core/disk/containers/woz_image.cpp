// Placeholder until the WOZ decoder lands on this branch.
#include "core/disk/containers/woz_image.h"

DecodedImage DecodeWozImage(std::span<const uint8_t>)
{
    DecodedImage image;
    image.message = Message::DamagedContainer;
    image.detail = "WOZ is not read yet";
    return image;
}

bool EncodeWozImage(std::vector<uint8_t>&, std::span<const uint8_t>) { return false; }
