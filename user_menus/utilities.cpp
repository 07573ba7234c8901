// The Utilities menu: the user's utilities and launching external programs.
#include "user_menus/utilities.h"

#include "core/settings/setting_values.h"
#include "core/user_menus/user_entries.h"
#include "resources/resource.h"
#include "shell/file_dialog.h"
#include "shell/report_error.h"
#include "shell/settings.h"

namespace {

constexpr char kProgramFilters[] = "Executables (*.EXE *.COM *.BAT)\0*.exe;*.com;*.bat\0All Files (*.*)\0*.*\0";

// Start-up reads its keys with "TRUE" for absent ones, so an entry without
// an AutoRun key counts as AutoRun.
bool IsAutoRun(int n)
{
    return ParseFlag(ReadSetting(kUtilitiesSection, IndexedKey(kUtilityAutoRunKey, n).c_str(), kAbsentKeyText));
}

HMENU UtilitiesMenu(HWND frame) { return GetSubMenu(GetMenu(frame), MENU_POSITION_UTILITIES); }

// Left unquoted, a path with spaces lets the system try each of its
// space-separated beginnings as a program first. Text that is no existing
// file is left as typed: a program with its arguments, or quoted already.
std::string QuotedIfProgramPath(const std::string& commandLine)
{
    if (commandLine.find(' ') == std::string::npos || commandLine.front() == '"') return commandLine;
    DWORD attributes = GetFileAttributesA(commandLine.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return commandLine;
    return '"' + commandLine + '"';
}

}  // namespace

int UtilityCount()
{
    return ParseCount(ReadSetting(kUtilitiesSection, kUtilityCountKey, kAbsentKeyText), kMaxUtilities);
}

std::string UtilitySetting(const char* keyFormat, int n)
{
    return ReadSetting(kUtilitiesSection, IndexedKey(keyFormat, n).c_str());
}

void WriteUtilitySetting(const char* keyFormat, int n, const char* value)
{
    WriteSetting(kUtilitiesSection, IndexedKey(keyFormat, n).c_str(), value);
}

BOOL LaunchProgram(const std::string& commandLine, int showCommand, bool explain)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION process = {};
    // CreateProcessA may write into the command line, so it gets its own copy.
    std::string line = QuotedIfProgramPath(commandLine);
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &process);
    if (!started && !explain) return FALSE;
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
    std::string path = UtilitySetting(kUtilityPathKey, n);
    // The missing-key text is no program: trying it as a command line could
    // start whatever program "INI" names.
    if (path == kMissingKeyText || path.empty()) {
        ReportError(Message::CouldNotLaunch, UtilitySetting(kUtilityNameKey, n), 0, frame);
        return;
    }
    if (!LaunchProgram(path, SW_SHOWNORMAL)) ReportError(Message::CouldNotLaunch, path, 0, frame);
}

void LaunchChosenProgram(HWND frame)
{
    PrepareFileDialog(frame, g_settings.sourceDirectory.c_str(), "Pick a file to launch:", kProgramFilters);
    std::string path = ChooseProgramFile();
    if (path.empty()) return;
    if (!LaunchProgram(path, SW_SHOWNORMAL)) ReportError(Message::CouldNotLaunch, path, 0, frame);
}

void AppendUtilityItems(HWND frame)
{
    int count = UtilityCount();
    if (count == 0) return;
    HMENU menu = UtilitiesMenu(frame);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (int n = 1; n <= count; ++n) {
        UINT flags = MF_STRING | (IsAutoRun(n) ? MF_CHECKED : 0);
        std::string name = ReadSetting(kUtilitiesSection, IndexedKey(kUtilityNameKey, n).c_str(), kAbsentKeyText);
        if (!AppendMenuA(menu, flags, IDM_UTILITY_FIRST - 1 + n, name.c_str()))
            ReportError(Message::UtilitiesMenuInit);
        DrawMenuBar(frame);
    }
}

void RebuildUtilityItems(HWND frame)
{
    HMENU menu = UtilitiesMenu(frame);
    // Everything after Launch was appended: the separator and the entries.
    int launch = GetMenuItemCount(menu) - 1;
    while (launch >= 0 && GetMenuItemID(menu, launch) != IDM_LAUNCH) --launch;
    while (launch >= 0 && GetMenuItemCount(menu) > launch + 1) DeleteMenu(menu, launch + 1, MF_BYPOSITION);
    AppendUtilityItems(frame);
    DrawMenuBar(frame);
}

void RunAutoRunUtilities(HWND frame)
{
    // A count edited by hand may reach entries that were never written: they
    // read as AutoRun but name nothing to start, and must not become a wall
    // of boxes before the frame appears.
    std::string failed;
    int count = UtilityCount();
    for (int n = 1; n <= count; ++n) {
        if (!IsAutoRun(n)) continue;
        std::string path = UtilitySetting(kUtilityPathKey, n);
        if (path == kMissingKeyText || path.empty()) continue;
        if (!LaunchProgram(path, SW_SHOWNORMAL, false)) failed += (failed.empty() ? "" : ", ") + path;
    }
    if (!failed.empty()) ReportError(Message::CouldNotLaunch, failed, 0, frame);
}
