// The Commands menu: the user's commands appended at start-up, and run.
#include "user_menus/user_commands.h"

#include "core/settings/setting_values.h"
#include "core/user_menus/user_entries.h"
#include "emulator/injection.h"
#include "resources/resource.h"
#include "shell/report_error.h"
#include "shell/settings.h"

HMENU CommandMenu(HWND frame) { return GetSubMenu(GetMenu(frame), MENU_POSITION_COMMAND); }

void AppendCommandItem(HWND frame, int n, std::string_view name)
{
    std::string text = MenuTextWithTabs(name);
    if (!AppendMenuA(CommandMenu(frame), MF_STRING, IDM_USER_COMMAND_FIRST - 1 + n, text.c_str()))
        ReportError(Message::CommandsMenuInit);
    DrawMenuBar(frame);
}

void AppendCommandItems(HWND frame)
{
    int count = ParseCount(ReadSetting(kCommandsSection, kCommandCountKey, kAbsentKeyText), kMaxUserCommands);
    if (count == 0) return;
    AppendMenuA(CommandMenu(frame), MF_SEPARATOR, 0, nullptr);
    for (int n = 1; n <= count; ++n)
        AppendCommandItem(frame, n, ReadSetting(kCommandsSection, IndexedKey(kCommandNameKey, n).c_str(), kAbsentKeyText));
}

void RunUserCommand(int n)
{
    std::string text = UserCommandText(ReadSetting(kCommandsSection, IndexedKey(kCommandScriptKey, n).c_str()));
    if (!text.empty()) InjectText(text);
}
