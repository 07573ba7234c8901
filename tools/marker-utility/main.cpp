// The utility the Windows tests launch from the Utilities menu: it leaves
// "<its own path>.ran" holding the command line it was started with, and ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    constexpr DWORD kSuffixChars = 5;  // ".ran" and its terminator
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH - kSuffixChars);
    if (length == 0 || length >= MAX_PATH - kSuffixChars) return 2;
    lstrcatA(path, ".ran");
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    BOOL ok = WriteFile(file, line, static_cast<DWORD>(lstrlenA(line)), &written, nullptr);
    CloseHandle(file);
    return ok ? 0 : 1;
}
