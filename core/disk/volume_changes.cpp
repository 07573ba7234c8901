#include "core/disk/volume_changes.h"

#include <optional>

#include "core/disk/dos33_contents.h"
#include "core/disk/dos33_writer.h"
#include "core/disk/file_type_codes.h"
#include "core/disk/image.h"
#include "core/disk/prodos_writer.h"
#include "core/disk/volume.h"

namespace {

bool IsDos(const Volume& volume) { return volume.Layout() == LayoutDos33; }

// The name a DOS 3.3 path names: a leading "/" is allowed, as on ProDOS.
std::string_view DosName(std::string_view applePath)
{
    if (!applePath.empty() && applePath.front() == '/') applePath.remove_prefix(1);
    return applePath;
}

// The bytes DOS 3.3 stores for `file`, or none when they do not fit its
// length words (or the kind has no DOS type).
std::optional<std::vector<uint8_t>> DosContents(const FileToSave& file, int& type)
{
    switch (file.kind) {
    case AppleKind::Applesoft: type = kDosApplesoftType; return DosBasicContents(file.data);
    case AppleKind::Integer: type = kDosIntegerType; return DosBasicContents(file.data);
    case AppleKind::Text:
        type = kDosTextType;
        return DosTextContents(std::string_view(reinterpret_cast<const char*>(file.data.data()), file.data.size()));
    case AppleKind::Binary: type = kDosBinaryType; return DosBinaryContents(file.auxType, file.data);
    case AppleKind::OtherProdosType: break;
    }
    return std::nullopt;
}

ProdosFileContents ProdosContents(const FileToSave& file)
{
    switch (file.kind) {
    case AppleKind::Applesoft: return ApplesoftProdosFile(file.data);
    case AppleKind::Integer: return IntegerProdosFile(file.data);
    case AppleKind::Text:
        return TextProdosFile(std::string_view(reinterpret_cast<const char*>(file.data.data()), file.data.size()));
    case AppleKind::Binary: return BinaryProdosFile(file.data, file.auxType);
    case AppleKind::OtherProdosType: break;
    }
    return {file.prodosFileType, file.auxType, file.data};
}

}  // namespace

DiskChange SaveIntoVolume(Volume& volume, std::string_view applePath, const FileToSave& file, bool replace,
                          ProdosStamp stamp)
{
    if (IsDos(volume)) {
        int type = 0;
        std::optional<std::vector<uint8_t>> contents = DosContents(file, type);
        if (!contents) return {Message::DiskFull, std::string(DosName(applePath))};
        return SaveDosFile(volume, DosName(applePath), type, *contents, replace);
    }
    ProdosFileContents contents = ProdosContents(file);
    DiskChange created = CreateProdosFile(volume, applePath, contents, stamp);
    if (created.message != Message::AppleFileExists || !replace) return created;
    return ReplaceProdosFile(volume, applePath, contents, stamp);
}

DiskChange DeleteFromVolume(Volume& volume, std::string_view applePath)
{
    return IsDos(volume) ? DeleteDosFile(volume, DosName(applePath)) : DeleteProdosFile(volume, applePath);
}

DiskChange RenameInVolume(Volume& volume, std::string_view applePath, std::string_view newName)
{
    return IsDos(volume) ? RenameDosFile(volume, DosName(applePath), newName)
                         : RenameProdosFile(volume, applePath, newName);
}

DiskChange LockInVolume(Volume& volume, std::string_view applePath, bool locked)
{
    return IsDos(volume) ? LockDosFile(volume, DosName(applePath), locked)
                         : LockProdosFile(volume, applePath, locked);
}

DiskChange CreateFolderInVolume(Volume& volume, std::string_view applePath, ProdosStamp stamp)
{
    if (IsDos(volume)) return {Message::BadApplePrefix, std::string(applePath)};
    return CreateProdosFolder(volume, applePath, stamp);
}
