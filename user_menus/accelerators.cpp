// The run-time accelerator table: the built-in shortcuts followed by those
// of the user's commands.
#include "user_menus/accelerators.h"

#include <algorithm>
#include <new>
#include <vector>

#include "core/settings/setting_values.h"
#include "core/user_menus/accelerator_text.h"
#include "core/user_menus/user_entries.h"
#include "resources/resource.h"
#include "shell/report_error.h"
#include "shell/settings.h"

void ReleaseAcceleratorTable(AcceleratorTable& table)
{
    if (table.created && table.handle) DestroyAcceleratorTable(table.handle);
    table = {};
}

UINT BuiltInCommandOfKey(HINSTANCE instance, const AcceleratorKey& key)
{
    constexpr BYTE kKind = FVIRTKEY | FSHIFT | FCONTROL | FALT;  // FNOINVERT changes nothing about the key
    HACCEL builtIn = LoadAcceleratorsA(instance, TAVO_RESOURCE_NAME);
    std::vector<ACCEL> entries(static_cast<size_t>(std::max(CopyAcceleratorTableA(builtIn, nullptr, 0), 0)));
    CopyAcceleratorTableA(builtIn, entries.data(), static_cast<int>(entries.size()));
    for (const ACCEL& entry : entries)
        if ((entry.fVirt & kKind) == (key.flags & kKind) && entry.key == key.key) return entry.cmd;
    return 0;
}

AcceleratorTable BuildAcceleratorTable(HINSTANCE instance, AcceleratorTable current)
{
    ReleaseAcceleratorTable(current);
    AcceleratorTable builtIn = {LoadAcceleratorsA(instance, TAVO_RESOURCE_NAME), false};
    int number = ParseCount(ReadSetting(kCommandsSection, kCommandCountKey, "0"), kMaxUserCommands);
    int builtInCount = CopyAcceleratorTableA(builtIn.handle, nullptr, 0);

    std::vector<ACCEL> entries;
    try {
        entries.reserve(static_cast<size_t>(builtInCount) + static_cast<size_t>(number));
        entries.resize(static_cast<size_t>(builtInCount));
    } catch (const std::bad_alloc&) {
        ReportError(Message::CantAllocateMemory);
        return builtIn;
    }
    if (builtInCount > 0) CopyAcceleratorTableA(builtIn.handle, entries.data(), builtInCount);
    for (int n = 1; n <= number; ++n) {
        auto key = ParseAcceleratorText(ReadSetting(kCommandsSection, IndexedKey(kCommandAcceleratorKey, n).c_str()));
        if (!key) continue;
        ACCEL entry = {};
        entry.fVirt = key->flags;
        entry.key = key->key;
        entry.cmd = static_cast<WORD>(IDM_USER_COMMAND_FIRST - 1 + n);
        entries.push_back(entry);
    }
    HACCEL created = CreateAcceleratorTableA(entries.data(), static_cast<int>(entries.size()));
    return created ? AcceleratorTable{created, true} : builtIn;
}
