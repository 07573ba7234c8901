// The run-time accelerator table: the built-in shortcuts followed by those
// of the user's commands.
#include <cstdio>
#include <vector>

#include "app/app.h"
#include "resources/report_error.h"
#include "menus/accelerator_text.h"
#include "menus/menus.h"
#include "resources/resource.h"
#include "settings/setting_values.h"
#include "settings/settings.h"

namespace {

std::string AcceleratorSetting(int n)
{
    char key[40];
    std::snprintf(key, sizeof key, "CMD[%i]Accelerator", n);
    return ReadSetting("Commands", key);
}

}  // namespace

int BuildAcceleratorTable(int replace)
{
    if (replace == 1 && g_app.accelerators) {
        DestroyAcceleratorTable(g_app.accelerators);
        g_app.accelerators = nullptr;
    }
    HACCEL builtIn = LoadAcceleratorsA(g_app.instance, TAVO_RESOURCE_NAME);
    int number = ParseDecimal(ReadSetting("Commands", "Number", "0"));
    int builtInCount = CopyAcceleratorTableA(builtIn, nullptr, 0);

    std::vector<ACCEL> entries;
    try {
        entries.resize(static_cast<size_t>(builtInCount));
    } catch (const std::bad_alloc&) {
        ReportError(Message::CantAllocateMemory);
        g_app.accelerators = builtIn;
        return 1;
    }
    if (builtInCount > 0) CopyAcceleratorTableA(builtIn, entries.data(), builtInCount);
    for (int n = 1; n <= number && n <= IDM_USER_COMMAND_LAST - IDM_USER_COMMAND_FIRST + 1; ++n) {
        auto key = ParseAcceleratorText(AcceleratorSetting(n));
        if (!key) continue;
        ACCEL entry = {};
        entry.fVirt = key->flags;
        entry.key = key->key;
        entry.cmd = static_cast<WORD>(IDM_USER_COMMAND_FIRST - 1 + n);
        entries.push_back(entry);
    }
    g_app.accelerators = CreateAcceleratorTableA(entries.data(), static_cast<int>(entries.size()));
    if (!g_app.accelerators) g_app.accelerators = builtIn;
    return 0;
}
