#include "core/disk/image_change.h"

#include <string>
#include <utility>

#include "core/disk/containers/container.h"
#include "core/disk/containers/readable_sectors.h"
#include "core/disk/dos33.h"
#include "core/disk/dos33_check.h"
#include "core/disk/prodos.h"
#include "core/disk/prodos_check.h"

namespace {

// What the readers and the check make of the changed volume: a change that
// leaves a catalog or volume directory they cannot list, or a volume the
// check calls damaged, is never written.
bool ReadsBack(const Volume& volume)
{
    ImageFile image(volume.Bytes());
    std::string prefix;
    if (volume.Layout() == LayoutDos33) {
        DosVolumeCheck check = CheckDosVolume(volume);
        // The catalog reader lists standard 35-track disks only; the check reads 40 too.
        return check.Writable() && (check.tracks != kDosTracks || ListDosCatalog(image, prefix).message == Message::None);
    }
    return ListProdosVolume(image, volume.Layout(), prefix).message == Message::None &&
           CheckProdosVolume(volume).Writable();
}

}  // namespace

ImageVolume OpenImageVolume(std::span<const uint8_t> file, int extensionIndex)
{
    ImageVolume opened;
    ImageFile image;
    const bool container = IsContainerExtension(extensionIndex);
    if (container) {
        image.OpenDecoded(DecodeContainer(extensionIndex, file));
        const DecodedImage& decoded = image.Container();
        if (!decoded.Decoded()) opened.refusal = {decoded.message, decoded.detail};
        else if (decoded.facts.writeProtected) opened.refusal = {Message::WriteProtectedImage};
        else if (!decoded.readOnlyReason.empty()) opened.refusal = {Message::ImageNotWritable, decoded.readOnlyReason};
        if (!opened.refusal.Made()) return opened;
    } else {
        image.OpenBytes(file);
    }
    opened.layout = DecideImageLayout(extensionIndex, image);
    if (opened.layout == LayoutNone && container)
        opened.refusal = {Message::NoListableVolume, DescribeReadable(image.Container())};
    else if (opened.layout == LayoutNone)
        opened.refusal = {Message::UnknownImageFormat};
    else if (opened.layout == LayoutDos32)
        opened.refusal = {Message::ImageNotWritable, "a DOS 3.2 disk is only read"};
    else if (container)
        opened.bytes = image.Container().bytes;
    else
        opened.bytes.assign(file.begin(), file.end());
    return opened;
}

DiskChange ChangeImageBytes(std::vector<uint8_t>& bytes, int extensionIndex, const VolumeChange& change)
{
    ImageVolume opened = OpenImageVolume(bytes, extensionIndex);
    if (!opened.refusal.Made()) return opened.refusal;
    Volume volume(std::move(opened.bytes), opened.layout);
    DiskChange result = change(volume);
    if (!result.Made()) return result;
    if (!ReadsBack(volume)) return {Message::DamagedVolume, "the changed disk could not be read back"};
    if (!IsContainerExtension(extensionIndex)) {
        bytes = volume.Bytes();
        return result;
    }
    // The container, too, must give back exactly the volume it was given.
    std::vector<uint8_t> file = bytes;
    if (!EncodeContainer(extensionIndex, file, volume.Bytes()) ||
        DecodeContainer(extensionIndex, file).bytes != volume.Bytes())
        return {Message::ImageNotWritable, "the changed disk could not be put back into its container"};
    bytes = std::move(file);
    return result;
}
