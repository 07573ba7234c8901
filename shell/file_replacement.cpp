#include "shell/file_replacement.h"

#include <string>

#include "core/documents/file_names.h"

bool ReplaceFileThrough(const char* path, const std::function<bool(HANDLE file)>& write)
{
    // Replacing a file by renaming over it would get past its read-only
    // mark, which creating it afresh never does: refuse as that would.
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    std::string directory = SplitPath(path).directory;
    if (directory.size() == 2 && directory[1] == ':') directory += '\\';  // a drive root
    char temporary[MAX_PATH] = {};
    if (!GetTempFileNameA(directory.empty() ? "." : directory.c_str(), "tav", 0, temporary)) return false;
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileA(temporary);
        return false;
    }
    bool written = write(file) && FlushFileBuffers(file);
    CloseHandle(file);
    if (!written || !MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary);
        return false;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(path, attributes);
    return true;
}

bool WriteAllBytes(HANDLE file, const std::vector<uint8_t>& bytes)
{
    DWORD total = 0;
    while (total < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + total, static_cast<DWORD>(bytes.size()) - total, &written, nullptr) ||
            written == 0)
            return false;
        total += written;
    }
    return true;
}
