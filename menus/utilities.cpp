// The Utilities menu: the user's utilities and launching external programs.
#include "menus/menus.h"
#include "menus/user_entries.h"
#include "resources/report_error.h"
#include "resources/resource.h"
#include "settings/setting_values.h"
#include "settings/settings.h"

namespace {

// Start-up reads its keys with "TRUE" for absent ones, so an entry without
// an AutoRun key counts as AutoRun.
int UtilityCount() { return ParseCount(ReadSetting("Utilities", "Number", kAbsentKeyText), kMaxUtilities); }

bool IsAutoRun(int n)
{
    return ParseFlag(ReadSetting("Utilities", IndexedKey("Utility[%i]AutoRun", n).c_str(), kAbsentKeyText));
}

}  // namespace

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

void RunUtility(HWND frame, int n)
{
    std::string path = ReadSetting("Utilities", IndexedKey("Utility[%i]Path", n).c_str());
    if (!LaunchProgram(path, SW_SHOWNORMAL)) ReportError(Message::CouldNotLaunch, path, 0, frame);
}

void AppendUtilityItems(HWND frame)
{
    int count = UtilityCount();
    if (count == 0) return;
    HMENU menu = GetSubMenu(GetMenu(frame), MENU_POSITION_UTILITIES);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (int n = 1; n <= count; ++n) {
        UINT flags = MF_STRING | (IsAutoRun(n) ? MF_CHECKED : 0);
        std::string name = ReadSetting("Utilities", IndexedKey("Utility[%i]", n).c_str(), kAbsentKeyText);
        if (!AppendMenuA(menu, flags, IDM_UTILITY_FIRST - 1 + n, name.c_str()))
            ReportError(Message::UtilitiesMenuInit);
        DrawMenuBar(frame);
    }
}

void RunAutoRunUtilities(HWND frame)
{
    int count = UtilityCount();
    for (int n = 1; n <= count; ++n)
        if (IsAutoRun(n)) RunUtility(frame, n);
}
