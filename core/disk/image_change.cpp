#include "core/disk/image_change.h"

#include <string>
#include <utility>

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
