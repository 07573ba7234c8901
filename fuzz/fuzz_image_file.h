// Shared by the fuzz targets: the extensions an input is read as, and a file
// of this process's own for the one target that compares reading a file
// with reading the same bytes in memory.
#pragma once
#include <cstdint>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

// A memory file, opened again by its /proc path: rewriting a file on disk
// for every input cost a truncation and a writeback each time.
struct FuzzImageFile {
    int descriptor = memfd_create("tavo_fuzz_image", 0);
    std::string path = "/proc/self/fd/" + std::to_string(descriptor);
};

inline const FuzzImageFile& FuzzImage()
{
    static const FuzzImageFile file;
    return file;
}

inline const std::string& FuzzImagePath() { return FuzzImage().path; }

inline bool WriteFuzzImage(const uint8_t* data, size_t size)
{
    int file = FuzzImage().descriptor;
    if (file < 0 || ftruncate(file, 0) != 0) return false;
    return size == 0 || pwrite(file, data, size, 0) == static_cast<ssize_t>(size);
}

// The extension indexes whose readers an input goes through: ".dsk"
// (examined), ".po" (ProDOS in block order) and ".do" (DOS 3.3).
constexpr int kFuzzExtensions[] = {1, 4, 5};
