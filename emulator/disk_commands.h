// The browser's disk commands, typed into the emulator that has the image.
#pragma once
#include <windows.h>

// Shows the message of a name the disk's system would not take; false,
// showing nothing, when there is none.
struct AppleNameRefusal;
bool ReportRefusal(HWND frame, const AppleNameRefusal& refusal);
// The browser's disk commands answer 0 when the line was typed, 1 when not.
LRESULT DeleteAppleFile(HWND frame);             // 16
LRESULT RenameAppleFile(HWND frame);             // 30
LRESULT SetApplePrefix(HWND frame);              // 35
LRESULT CreateAppleFolder(HWND frame);           // 39: ProDOS only, named `newAppleName`
LRESULT LockAppleFile(HWND frame, bool unlock);  // 36: unlock for a row shown locked
