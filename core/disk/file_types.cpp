// Icon indexes, storage type names and ProDOS dates.
#include "core/disk/file_types.h"

#include <cstdio>

#include "core/disk/file_type_codes.h"
#include "core/text/ascii.h"

namespace {

struct IconRow {
    int fileType;
    int icon;
};

constexpr IconRow kProdosIcons[] = {
    {kProdosTextType, 7},
    {kProdosBinaryType, 12},
    {kProdosDirectoryType, kFolderIcon},
    {0x19, 14},
    {0x1A, 9},
    {0x1B, 16},
    {0x50, 15},
    {0xB3, 10},
    {0xE0, 17},
    {kProdosIntegerType, 18},
    {kProdosApplesoftType, 8},
};
constexpr int kProdosOtherIcon = 5;

constexpr IconRow kDosIcons[] = {
    {kDosTextType, 7},
    {kDosIntegerType, 18},
    {kDosApplesoftType, 8},
    {kDosBinaryType, 12},
};
constexpr int kDosOtherIcon = 5;

constexpr std::string_view kStorageTypeNames[16] = {
    "Deleted", "Seedling", "Sapling", "Tree", "Pascal Section", "Extended", "$6", "$7",
    "$8", "$9", "$A", "$B", "$C", "Subdirectory", "Subdirectory header", "Volume directory header",
};

}  // namespace

int ProdosIconIndex(int fileType, std::string_view name)
{
    if (fileType == kProdosSystemType) {
        if (EqualIgnoringCase(name, "BASIC.SYSTEM")) return 13;
        if (EqualIgnoringCase(name, "PRODOS")) return 6;
        return 11;
    }
    for (const IconRow& row : kProdosIcons)
        if (row.fileType == fileType) return row.icon;
    return kProdosOtherIcon;
}

int DosIconIndex(int typeByte)
{
    int type = typeByte & ~kDosLockBit;
    for (const IconRow& row : kDosIcons)
        if (row.fileType == type) return row.icon;
    return kDosOtherIcon;
}

std::string_view StorageTypeName(int storageType)
{
    return kStorageTypeNames[storageType & 0x0F];
}

std::string FormatProdosDateTime(unsigned date, unsigned time)
{
    date &= 0xFFFF;
    time &= 0xFFFF;
    if (date == 0 && time == 0) return "<No Date>    <No Time>";
    unsigned year = date >> 9;
    year += year < 40 ? 2000 : 1900;
    unsigned month = (date >> 5) & 0x0F;
    unsigned day = date & 0x1F;
    unsigned hour = time / 256;
    unsigned minute = time & 63;
    char letter = 'A';
    if (hour == 0) {
        hour = 12;
    } else if (hour == 12) {
        letter = 'P';
    } else if (hour > 12) {
        hour -= 12;
        letter = 'P';
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.2u/%.2u/%u     %u:%02u %cM", month, day, year, hour, minute, letter);
    return text;
}

ProdosStamp MakeProdosStamp(int year, int month, int day, int hour, int minute)
{
    if (year < 1940 || year > 2039 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59)
        return {};
    int stored = year % 100;
    return {static_cast<uint16_t>(stored << 9 | month << 5 | day), static_cast<uint16_t>(hour << 8 | minute)};
}
