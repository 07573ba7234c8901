// The Preferences sheet's Applesoft page: syntax colouring and its colours.
// Open documents keep their colours; text coloured afterwards takes the new ones.
#include "preferences/applesoft_page.h"

#include "preferences/preference_pages.h"
#include "shell/settings.h"

namespace {

void Show(HWND page, PreferencesSheet& sheet)
{
    sheet.applesoft = LoadApplesoftPage(g_settings, ReadFileSetting);
    ShowFlag(page, kSyntaxColourFlag.control, sheet.applesoft.syntaxColour);
    ShowFlag(page, kCheckBeforeRunFlag.control, sheet.applesoft.checkBeforeRun);
}

// A colour dialog starts from the colour last picked here.
void Click(HWND page, PreferencesSheet& sheet, int control)
{
    ApplesoftPage& applesoft = sheet.applesoft;
    for (size_t i = 0; i < std::size(kSyntaxColours); ++i)
        if (control == kSyntaxColours[i].control && !PickColour(page, applesoft.colours[i], applesoft.custom)) return;
    MarkChanged(page);
}

void Apply(HWND page, PreferencesSheet& sheet)
{
    sheet.applesoft.syntaxColour = FlagChecked(page, kSyntaxColourFlag.control);
    sheet.applesoft.checkBeforeRun = FlagChecked(page, kCheckBeforeRunFlag.control);
    StoreSettings(ApplyApplesoftPage(sheet.applesoft, g_settings));
}

constexpr PageHandlers kHandlers = {Show, Click, Apply};

}  // namespace

INT_PTR CALLBACK ApplesoftPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PageMessage(kHandlers, page, message, wParam, lParam);
}
