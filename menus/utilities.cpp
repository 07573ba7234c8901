// The Utilities menu: launching external programs.
#include <cstdio>

#include "app/app.h"
#include "resources/report_error.h"
#include "menus/menus.h"
#include "settings/settings.h"

BOOL LaunchProgram(const std::string& commandLine, int showCommand)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION process = {};
    // CreateProcessA may write into the command line, so it gets its own copy.
    std::string line = commandLine;
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &process);
    if (!started) {
        char* text = nullptr;
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, GetLastError(),
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
        MessageBoxA(nullptr, text ? text : "", "GetLastError", MB_ICONINFORMATION);
        LocalFree(text);
        return FALSE;
    }
    // The program runs on its own; nothing waits for it.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return TRUE;
}

void RunUtility(int n)
{
    char key[40];
    std::snprintf(key, sizeof key, "Utility[%i]Path", n);
    std::string path = ReadSetting("Utilities", key);
    if (!LaunchProgram(path, SW_SHOWNORMAL)) ReportError(Message::CouldNotLaunch, path, 0, g_app.frame);
}
