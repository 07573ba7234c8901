// What the program shows for Apple file types: icon indexes, the names of the
// ProDOS storage types, and ProDOS dates.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Icon index i is icon resource 8000 + i. The browser recognises a folder by
// icon 3, so only a ProDOS directory ($0F) may get it.
constexpr int kIconResourceBase = 8000;
constexpr int kIconCount = 19;
constexpr int kFolderIcon = 3;

// ProDOS file type and name (compared upper-cased) to icon index.
int ProdosIconIndex(int fileType, std::string_view name);
// DOS 3.3 catalog type byte to icon index; the lock bit 7 is ignored.
int DosIconIndex(int typeByte);

// The name of ProDOS storage type 0-15 ("Seedling", "Subdirectory" ...).
std::string_view StorageTypeName(int storageType);

// "MM/DD/YYYY     H:MM AM" from a ProDOS date and time word, or
// "<No Date>    <No Time>" when both are 0.
std::string FormatProdosDateTime(unsigned date, unsigned time);

// A ProDOS date and time as an entry stores them: the date word holds
// year (0-99) << 9 | month << 5 | day, the time word hour << 8 | minute.
struct ProdosStamp {
    uint16_t date = 0;
    uint16_t time = 0;
};
// Years 2000-2039 are stored as 0-39 and 1940-1999 as 40-99, as ProDOS
// reads them; a date outside those years, or not a date, gives no date.
ProdosStamp MakeProdosStamp(int year, int month, int day, int hour, int minute);
