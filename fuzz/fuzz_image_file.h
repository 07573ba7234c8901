// Shared by the fuzz targets: the extensions an input is read as, and a file
// of this process's own for the one target that compares reading a file
// with reading the same bytes in memory.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

// The file goes again when the fuzzer exits.
struct FuzzImageFile {
    std::string path = "/tmp/tavo_fuzz_" + std::to_string(getpid()) + ".img";
    ~FuzzImageFile() { std::remove(path.c_str()); }
};

inline const std::string& FuzzImagePath()
{
    static const FuzzImageFile file;
    return file.path;
}

inline bool WriteFuzzImage(const uint8_t* data, size_t size)
{
    std::FILE* file = std::fopen(FuzzImagePath().c_str(), "wb");
    if (!file) return false;
    bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

// The extension indexes whose readers an input goes through: ".dsk"
// (examined), ".po" (ProDOS in block order) and ".do" (DOS 3.3).
constexpr int kFuzzExtensions[] = {1, 4, 5};
