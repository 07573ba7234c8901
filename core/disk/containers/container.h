// The disk image containers behind one dispatch, by image extension index:
// 2MG (.2mg, .2img), nibbles (.nib, .nb2), WOZ (.woz) and 13-sector
// sectors (.d13). Every other extension holds plain sectors or blocks.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "core/disk/containers/decoded_image.h"

bool IsContainerExtension(int extensionIndex);
// DamagedContainer for an extension that names no container.
DecodedImage DecodeContainer(int extensionIndex, std::span<const uint8_t> file);
// Puts the changed `sectors` (laid out as DecodeContainer gave them) back
// into the container's bytes. False, leaving `file` as it was, when the
// container cannot take them.
bool EncodeContainer(int extensionIndex, std::vector<uint8_t>& file, std::span<const uint8_t> sectors);
