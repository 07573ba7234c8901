// Save for a document opened from (or saved into) a disk image: the program
// or text written into the image itself.
#pragma once
#include <windows.h>

#include <cstddef>

enum class ImageSave { Saved, NotSaved, ThroughEmulator };

// Writes the document of slot `slot` into its image at its Apple path, and
// the file's new entry into the slot. ThroughEmulator when the user keeps
// images to the emulator ("WriteImagesDirectly"), when the slot names no
// image file, or when the image is in use and the user asks for the
// emulator; NotSaved after the message that says why (a hex dump is never
// saved back, either way).
ImageSave SaveIntoImage(HWND frame, HWND document, size_t slot);
