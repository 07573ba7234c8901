// The Commands menu: the user's commands appended at start-up, and run.
#include "emulator/injection.h"
#include "menus/menus.h"
#include "menus/user_entries.h"
#include "resources/report_error.h"
#include "resources/resource.h"
#include "settings/setting_values.h"
#include "settings/settings.h"

void AppendCommandItems(HWND frame)
{
    int count = ParseCount(ReadSetting("Commands", "Number", kAbsentKeyText), kMaxUserCommands);
    if (count == 0) return;
    HMENU menu = GetSubMenu(GetMenu(frame), MENU_POSITION_COMMAND);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (int n = 1; n <= count; ++n) {
        std::string text = MenuTextWithTabs(ReadSetting("Commands", IndexedKey("CMD[%i]", n).c_str(), kAbsentKeyText));
        if (!AppendMenuA(menu, MF_STRING, IDM_USER_COMMAND_FIRST - 1 + n, text.c_str()))
            ReportError(Message::CommandsMenuInit);
        DrawMenuBar(frame);
    }
}

void RunUserCommand(int n)
{
    std::string text = UserCommandText(ReadSetting("Commands", IndexedKey("CMD[%i]Script", n).c_str()));
    if (!text.empty()) InjectText(text);
}
