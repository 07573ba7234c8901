#include "core/disk/containers/container.h"

#include "core/disk/containers/d13_image.h"
#include "core/disk/containers/nibble_image.h"
#include "core/disk/containers/two_img.h"
#include "core/disk/containers/woz_image.h"
#include "core/disk/image.h"

bool IsContainerExtension(int extensionIndex)
{
    switch (extensionIndex) {
    case kExtension2mg:
    case kExtension2img:
    case kExtensionNib:
    case kExtensionNb2:
    case kExtensionWoz:
    case kExtensionD13: return true;
    default: return false;
    }
}

DecodedImage DecodeContainer(int extensionIndex, std::span<const uint8_t> file)
{
    switch (extensionIndex) {
    case kExtension2mg:
    case kExtension2img: return DecodeTwoImg(file);
    case kExtensionNib:
    case kExtensionNb2: return DecodeNibbleImage(file);
    case kExtensionWoz: return DecodeWozImage(file);
    case kExtensionD13: return DecodeD13Image(file);
    default: {
        DecodedImage image;
        image.message = Message::DamagedContainer;
        image.detail = "the file's extension names no disk image container";
        return image;
    }
    }
}

bool EncodeContainer(int extensionIndex, std::vector<uint8_t>& file, std::span<const uint8_t> sectors)
{
    switch (extensionIndex) {
    case kExtension2mg:
    case kExtension2img: return EncodeTwoImg(file, sectors);
    case kExtensionNib:
    case kExtensionNb2: return EncodeNibbleImage(file, sectors);
    case kExtensionWoz: return EncodeWozImage(file, sectors);
    default: return false;  // 13-sector disks are only read
    }
}
