// Finding the emulator window by its exact title.
#include "emulator/emulator_window.h"

#include "core/emulator/emulator_texts.h"
#include "core/settings/setting_values.h"
#include "core/text/buffer_size.h"
#include "shell/report_error.h"
#include "shell/settings.h"

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM list)
{
    char title[kTextBufferChars + 1] = {};
    int length = GetWindowTextA(window, title, sizeof title);
    reinterpret_cast<std::vector<TopLevelWindow>*>(list)->push_back({window, std::string(title, length > 0 ? length : 0)});
    return TRUE;
}

}  // namespace

std::vector<TopLevelWindow> TopLevelWindows()
{
    std::vector<TopLevelWindow> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<std::string> EmulatorNames()
{
    std::vector<std::string> names;
    for (int k = 1; k <= EmulatorNameCount(g_settings.emulatorCount); ++k)
        names.push_back(ReadSetting(kEmulatorsSection, IndexedKey(kEmulatorNameKey, k).c_str()));
    return names;
}

HWND FindEmulatorWindow()
{
    std::vector<TopLevelWindow> windows = TopLevelWindows();
    std::vector<std::string> titles;
    for (const TopLevelWindow& w : windows) titles.push_back(w.title);
    if (std::optional<size_t> found = FindEmulatorTitle(EmulatorNames(), titles)) return windows[*found].window;
    ReportError(Message::NoEmulatorRunning);
    return nullptr;
}
