#include "shell/image_writing.h"

#include <windows.h>

#include <vector>

#include "core/disk/image.h"
#include "core/documents/file_names.h"
#include "shell/file_replacement.h"

namespace {

std::string FileNameOf(const std::string& path)
{
    PathParts parts = SplitPath(path);
    return parts.name + parts.extension;
}

bool ReadWhole(HANDLE file, std::vector<uint8_t>& bytes)
{
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size) || size.QuadPart > 0x7FFFFFFF) return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD total = 0;
    while (total < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + total, static_cast<DWORD>(bytes.size()) - total, &read, nullptr) ||
            read == 0)
            return false;
        total += read;
    }
    return true;
}

}  // namespace

DiskChange WriteIntoImage(const std::string& imagePath, const VolumeChange& change)
{
    const std::string name = FileNameOf(imagePath);
    // Opening for writing succeeds on a read-only file for an administrator
    // (and always under Wine as root), so the mark is looked at first.
    DWORD attributes = GetFileAttributesA(imagePath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {Message::CouldNotReadFile, name};
    if (attributes & FILE_ATTRIBUTE_READONLY) return {Message::ReadOnlyImage, name};

    // No sharing: an emulator that has the image mounted keeps it open, and
    // its next write would undo ours or mix with it.
    HANDLE held = CreateFileA(imagePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return {Message::ImageInUse, name};
        return {Message::CouldNotReadFile, name};
    }
    std::vector<uint8_t> bytes;
    bool read = ReadWhole(held, bytes);
    DiskChange result = read ? ChangeImageBytes(bytes, ImageExtensionIndexOf(imagePath), change)
                             : DiskChange(Message::CouldNotReadFile, name);
    CloseHandle(held);
    if (result.message == Message::WriteProtectedImage) result.text = name;
    if (!result.Made()) return result;
    if (!ReplaceFileThrough(imagePath.c_str(), [&bytes](HANDLE file) { return WriteAllBytes(file, bytes); }))
        return {Message::CouldNotWriteFile, name};
    return result;
}

ProdosStamp ProdosStampNow()
{
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    return MakeProdosStamp(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
}
