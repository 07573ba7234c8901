// Property page texts of a FileEntry.
#include "core/disk/properties_text.h"

#include <cstdio>

#include "core/disk/file_type_codes.h"
#include "core/disk/file_types.h"
#include "core/disk/image.h"
#include "resources/resource.h"

namespace {

struct TypeText {
    int type;
    std::string_view text;
};

// DOS 3.3 type (without the lock bit) and ProDOS file type texts; the number
// part follows them directly.
constexpr TypeText kDosTypeTexts[] = {
    {kDosTextType, "T ( TEXT )  -"}, {kDosIntegerType, "I ( INTEGER BASIC )  -"},
    {kDosApplesoftType, "A ( APPLESOFT BASIC )  -"}, {kDosBinaryType, "B ( BINARY )  -"}, {8, "S  -"}, {16, "R ( RELOCATABLE )  -"}, {32, "A  -"}, {64, "B  -"},
};
constexpr TypeText kProdosTypeTexts[] = {
    {kProdosTextType, "TXT ( Text )  -  "},
    {kProdosIntegerType, "INT ( Integer BASIC )  -  "},
    {kProdosApplesoftType, "BAS ( Applesoft BASIC )  -  "},
    {kProdosBinaryType, "BIN ( Binary )  -  "},
};

template <size_t N>
std::string_view FindTypeText(const TypeText (&table)[N], int type)
{
    for (const TypeText& row : table)
        if (row.type == type) return row.text;
    return {};
}

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    char text[128];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

std::string ProdosVolumeName(std::string_view applePath)
{
    if (applePath.size() < 2) return {};
    std::string_view rest = applePath.substr(1);
    return std::string(rest.substr(0, rest.find('/')));
}

}  // namespace

std::string_view MediumText(int extensionIndex)
{
    switch (extensionIndex) {
    case kExtensionDsk:
    case kExtensionDo: return "Apple II 5.25\" floppy";
    case kExtensionHdv: return "Apple II harddrive";
    case kExtensionPo: return "Apple II floppy or harddrive";
    case kExtension2mg:
    case kExtension2img: return "Apple II disk image (2MG)";
    case kExtensionNib:
    case kExtensionNb2: return "Apple II 5.25\" floppy (nibbles)";
    case kExtensionWoz: return "Apple II 5.25\" floppy (WOZ)";
    case kExtensionD13: return "Apple II 5.25\" floppy (13-sector)";
    default: return "Unknown!";
    }
}

PropertyTexts ComposePropertyTexts(const FileEntry& entry, std::string_view applePath, std::string_view imageName,
                                   std::string_view imageFolder, int extensionIndex)
{
    PropertyTexts p;
    bool dos = IsDosLayout(entry.layout);
    std::string_view dosRelease = entry.layout == LayoutDos32 ? "DOS 3.2" : "DOS 3.3";
    bool prodos = entry.layout == LayoutProdos || entry.layout == LayoutProdosDosOrder;
    std::string na(kNotApplicable);

    std::string type, aux, location, size, storage, created, modified;
    if (dos) {
        int dosType = entry.fileType & ~kDosLockBit;
        type = std::string(FindTypeText(kDosTypeTexts, dosType)) + Format("  %.3i  ( $%.2X )", dosType, dosType);
        aux = na;
        location = Format("VOLUME %i", entry.dosVolumeNumber);
        size = Format("%i  ( $%X ) bytes ", entry.eof, entry.eof);
        if (dosType == 1 || dosType == 2) size += "including 2 byte header";
        if (dosType == 4) size += "including 4 byte header";
        storage = created = modified = na;
        p.icon = DosIconIndex(entry.fileType);
    } else if (prodos) {
        type = std::string(FindTypeText(kProdosTypeTexts, entry.fileType)) +
               Format("%i   ( $%.2X )", entry.fileType, entry.fileType);
        aux = Format("$%.4X ( %i )", entry.auxType, entry.auxType);
        location = std::string(applePath);
        size = Format("%i  ( $%X ) bytes ", entry.eof, entry.eof);
        storage = std::string(StorageTypeName(entry.storageType));
        created = FormatProdosDateTime(entry.createdDate, entry.createdTime);
        modified = FormatProdosDateTime(entry.modifiedDate, entry.modifiedTime);
        p.icon = ProdosIconIndex(entry.fileType, entry.Name());
    } else {
        // A document that came from no image has no entry to describe.
        type = aux = location = size = storage = created = modified = na;
        p.icon = ProdosIconIndex(-1, "");
    }
    p.general = {
        {IDC_PROP_TITLE, "", std::string(entry.Name())},
        {IDC_PROP_TYPE, "Type:", type},
        {IDC_PROP_AUX_TYPE, "AuxType:", aux},
        {IDC_PROP_LOCATION, "Location:", location},
        {IDC_PROP_SIZE, "Size:", size},
        {IDC_PROP_STORAGE, "Storage:", storage},
        {IDC_PROP_CREATED, "Created:", created},
        {IDC_PROP_MODIFIED, "Modified:", modified},
    };
    p.access = {
        {IDC_PROP_READ, "Read", entry.canRead != 0},
        {IDC_PROP_WRITE, "Write", entry.canWrite != 0},
        {IDC_PROP_INVISIBLE, "Invisible", entry.invisible != 0},
        {IDC_PROP_BACKUP, "Backup bit", entry.backupNeeded != 0},
        {IDC_PROP_RENAME, "Rename", entry.canRename != 0},
        {IDC_PROP_DESTROY, "Destroy", entry.canDestroy != 0},
    };

    std::string volume, os, files, volumeSize, freeText, volumeCreated, skew;
    if (dos) {
        volume = Format("%i", entry.dosVolumeNumber);
        os = skew = dosRelease;
        files = Format("%i", entry.volumeFileCount);
        volumeSize = Format("%i bytes", entry.volumeTotal * 256);
        freeText = Format("%i bytes", entry.volumeFreeBytes);
        volumeCreated = na;
    } else if (prodos) {
        volume = ProdosVolumeName(applePath);
        os = "ProDOS";
        files = Format("%i on the volume directory including folders", entry.volumeFileCount);
        volumeSize = Format("%i bytes     (%i blocks)", entry.volumeTotal * 512, entry.volumeTotal);
        freeText = Format("%i bytes  (%i blocks)", entry.volumeFreeBytes, entry.volumeFreeBytes / 512);
        volumeCreated = FormatProdosDateTime(static_cast<unsigned>(entry.volumeCreatedDate),
                                             static_cast<unsigned>(entry.volumeCreatedTime));
        skew = entry.layout == LayoutProdos ? "ProDOS" : "DOS 3.3";
    } else {
        volume = files = volumeSize = freeText = volumeCreated = na;
        os = skew = "Unknown!";
    }
    // What the image's container says of itself, when it is in one.
    const ContainerFacts& container = entry.container;
    const bool contained = !container.format.empty();
    p.image = {
        {IDC_PROP_VOLUME, "Volume:", volume},
        {IDC_PROP_OS, "OS:", os},
        {IDC_PROP_FILES, "Files:", files},
        {IDC_PROP_SIZE, "Size:", volumeSize},
        {IDC_PROP_FREE, "Free:", freeText},
        {IDC_PROP_CREATED, "Created:", volumeCreated},
        {IDC_PROP_IMAGE, "Image:", std::string(imageName)},
        {IDC_PROP_MEDIUM, "Type:", std::string(MediumText(extensionIndex))},
        {IDC_PROP_SKEW, "Skew:", skew},
        {IDC_PROP_IMAGE_FOLDER, "Location:", std::string(imageFolder)},
        {IDC_PROP_CONTAINER_FORMAT, "Format:", contained ? container.format + ", " + container.order : na},
        {IDC_PROP_CONTAINER_CREATOR, "Creator:", contained && !container.creator.empty() ? container.creator : na},
        {IDC_PROP_WRITE_PROTECTED, "Write-protected:", contained ? (container.writeProtected ? "Yes" : "No") : na},
        {IDC_PROP_COMMENT, "Comment:", contained && !container.comment.empty() ? container.comment : na},
    };
    return p;
}
