// Writing into a disk image file: the image is held with no sharing while it
// is read, changed in memory and checked, then replaced in one step.
#pragma once
#include <string>

#include "core/disk/file_types.h"
#include "core/disk/image_change.h"

// Makes `change` on the image at `imagePath`. The image file is replaced
// only when the change was made and reads back; otherwise it stays byte for
// byte as it was. ReadOnlyImage for a read-only file, WriteProtectedImage
// (with its name) for one whose container says so, ImageInUse when
// another program (an emulator that mounted it) holds it open,
// CouldNotReadFile or CouldNotWriteFile when the file system fails, or what
// the change itself refused.
DiskChange WriteIntoImage(const std::string& imagePath, const VolumeChange& change);
// The PC's clock as ProDOS dates a file.
ProdosStamp ProdosStampNow();
