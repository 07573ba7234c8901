#pragma once
#include <windows.h>

// The file and volume property sheet of a document from a disk image;
// 1 when it was shown.
LRESULT ShowProperties(HWND frame);  // 19
