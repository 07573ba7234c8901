// A program that an end-to-end test starts beside itself (TAVO.exe, the
// stand-in emulator), found in the test program's own build folder.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/app_fixture.h"  // BuildFolder
#include "support/box_watcher.h"

// A program started for the test; closed with WM_CLOSE, killed if it will not end.
inline constexpr DWORD kWaitMs = 10000;  // for a window or a record to appear

class Program {
public:

    Program(const std::string& program, const std::string& arguments, const std::string& folder)
    {
        STARTUPINFOA startup = {sizeof startup};
        std::string commandLine = "\"" + program + "\" " + arguments;
        started_ = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  folder.c_str(), &startup, &process_);
    }
    ~Program()
    {
        if (!started_) return;
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "a program did not end and was killed";
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    DWORD id() const { return process_.dwProcessId; }
    HWND WaitForWindow(const char* className)
    {
        for (DWORD start = GetTickCount(); started_ && GetTickCount() - start < kWaitMs; Sleep(20)) {
            std::vector<HWND> found = TopLevelWindowsOf(process_.dwProcessId, className);
            if (!found.empty()) return window_ = found.front();
        }
        return nullptr;
    }

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
    HWND window_ = nullptr;
};

// The stand-in emulator's window title and class, and how it is started: it
// records every paste into `recordPath`.
inline constexpr char kStandinTitle[] = "TAVO Stand-in Emulator";
inline constexpr char kStandinClass[] = "TavoStandinEmulator";
inline std::string StandinPath() { return BuildFolder() + "\\tools\\standin_emulator.exe"; }
inline std::string StandinArguments(const std::string& recordPath)
{
    return std::string("\"") + kStandinTitle + "\" \"" + recordPath + "\"";
}

// The stand-in emulator, recording into `recordPath`, started in `folder`;
// `window` gets its window, null when it did not come up.
inline std::unique_ptr<Program> StartStandin(const std::string& recordPath, const std::string& folder, HWND& window)
{
    auto standin = std::make_unique<Program>(StandinPath(), StandinArguments(recordPath), folder);
    window = standin->WaitForWindow(kStandinClass);
    return standin;
}
