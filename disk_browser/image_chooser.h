// The image chooser for saving: the system save dialog with the "A2Save"
// part below it; it only picks the disk image.
#pragma once
#include <windows.h>

#include <string>

// Lets the user pick the image to save onto, starting with the file
// `startPath` (the folder "Src" when empty). On success `g_browser` holds the
// image: its path, file title, extension index and layout. False when cancelled.
bool ChooseImageForSaving(HWND frame, const std::string& startPath);
