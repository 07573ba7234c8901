#pragma once
#include <windows.h>

// File > New Disk Image (command 38): an empty DOS 3.3 or ProDOS volume, laid
// out as INIT or FORMAT lays it out but without a boot image, saved where
// the user chooses. A .dsk is never made: without a boot image it would not
// be known for what it is.
void NewDiskImage(HWND frame);
