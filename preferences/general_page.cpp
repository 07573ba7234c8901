// The Preferences sheet's General page.
#include "preferences/general_page.h"

#include "preferences/preference_pages.h"
#include "shell/settings.h"

namespace {

void ShowGeneral(HWND page, PreferencesSheet& sheet)
{
    sheet.general = LoadGeneralPage(g_settings, ReadFileSetting);
    ShowFlags(page, kGeneralFlags, sheet.general.flags);
}

void ClickGeneral(HWND page, PreferencesSheet&, int) { MarkChanged(page); }

void ApplyGeneral(HWND page, PreferencesSheet& sheet)
{
    ReadFlags(page, kGeneralFlags, sheet.general.flags);
    StoreSettings(ApplyGeneralPage(sheet.general, g_settings));
}

constexpr PageHandlers kGeneralHandlers = {ShowGeneral, ClickGeneral, ApplyGeneral};

}  // namespace

INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PageMessage(kGeneralHandlers, page, message, wParam, lParam);
}
