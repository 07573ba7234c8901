// What the benchmarks under Wine share: a millisecond clock and a pump of
// the messages the editor posts to itself.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "app/startup.h"

inline double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Until what was opened shows and takes keys: the colouring in idle time
// comes by timer and is left waiting (it is timed on its own).
inline void PumpAllButTimers()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
           PeekMessageA(&message, nullptr, WM_TIMER + 1, 0xFFFF, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// TAVO's frame, started as at a double-click and its first messages handled;
// null, said on the output, when it did not start.
inline HWND StartTavo()
{
    HWND frame = StartApplication(GetModuleHandleA(nullptr), const_cast<char*>(""), SW_SHOWNORMAL);
    if (!frame) std::printf("TAVO did not start\n");
    Pump();
    return frame;
}

// Closes TAVO and takes away `folder` (made by EnterBenchFolder) with the
// settings file it left there; the bench's own files are taken first.
inline void StopTavo(HWND frame, const std::string& folder)
{
    DestroyWindow(frame);
    Pump();
    DeleteFileA((folder + "\\TAVO.ini").c_str());
    SetCurrentDirectoryA("..");
    RemoveDirectoryA(folder.c_str());
}

// A new folder under the temporary folder, named for the benchmark and made
// current, so the application's settings file starts there afresh.
inline std::string EnterBenchFolder(const char* name)
{
    char base[MAX_PATH] = {};
    GetTempPathA(sizeof base, base);
    std::string folder = std::string(base) + name + "-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    SetCurrentDirectoryA(folder.c_str());
    return folder;
}

// `lines` program lines numbered 10, 20 ... whose statements take turns
// from `bodies`, each ended by CR LF.
template <size_t N>
std::string NumberedLines(const char* const (&bodies)[N], int lines)
{
    std::string text;
    for (int i = 0; i < lines; ++i) text += std::to_string((i + 1) * 10) + " " + bodies[i % N] + "\r\n";
    return text;
}
