#include "core/disk/image_change.h"

#include <string>
#include <utility>

#include "core/disk/dos33.h"
#include "core/disk/prodos.h"

namespace {

// What the readers make of the changed volume: a change that leaves a
// catalog or volume directory they cannot list is never written.
bool ReadsBack(const Volume& volume)
{
    ImageFile image(volume.Bytes());
    std::string prefix;
    DirectoryListing listing = volume.Layout() == LayoutDos33 ? ListDosCatalog(image, prefix)
                                                              : ListProdosVolume(image, volume.Layout(), prefix);
    return listing.message == Message::None;
}

}  // namespace

DiskChange ChangeImageBytes(std::vector<uint8_t>& bytes, int extensionIndex, const VolumeChange& change)
{
    int layout = LayoutNone;
    {
        ImageFile image(bytes);
        layout = DecideImageLayout(extensionIndex, image);
    }
    if (layout == LayoutNone) return {Message::UnknownImageFormat};
    Volume volume(bytes, layout);
    DiskChange result = change(volume);
    if (!result.Made()) return result;
    if (!ReadsBack(volume)) return {Message::DamagedVolume, "the changed disk could not be read back"};
    bytes = volume.Bytes();
    return result;
}
