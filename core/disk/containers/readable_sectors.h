// Which tracks and sectors of a decoded floppy could be read, in a sentence
// for the message that the disk holds nothing to list.
#pragma once
#include <string>

#include "core/disk/containers/decoded_image.h"

// For example "Tracks 0-2 and 17 could be read; 480 of 512 sectors failed
// elsewhere." Sectors 13-15 of a 13-sector disk are not counted.
std::string DescribeReadable(const DecodedImage& image);
