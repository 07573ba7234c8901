// The Preferences sheet's General page.
#include "preferences/general_page.h"

#include "preferences/preference_pages.h"
#include "shell/settings.h"

namespace {

// A tip holds at most 80 characters.
constexpr char kDeleteAlwaysAsks[] = "A delete typed into the emulator always asks: it acts on the disk used last.";

// The delete question is the user's to skip only when TAVO deletes in the image itself.
void FollowWriteImages(HWND page)
{
    GreyWithTip(page, IDC_PREFS_DELETE_PROMPT, !FlagChecked(page, IDC_PREFS_WRITE_IMAGES), kDeleteAlwaysAsks);
}

void ShowGeneral(HWND page, PreferencesSheet& sheet)
{
    sheet.general = LoadGeneralPage(g_settings, ReadFileSetting);
    ShowFlags(page, kGeneralFlags, sheet.general.flags);
    FollowWriteImages(page);
}

void ClickGeneral(HWND page, PreferencesSheet&, int control)
{
    if (control == IDC_PREFS_WRITE_IMAGES) FollowWriteImages(page);
    MarkChanged(page);
}

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
