// What the Preferences sheet's three pages share: the state the sheet hands
// them and the small operations each of them needs.
#pragma once
#include <windows.h>

#include <array>

#include "core/settings/preferences.h"

struct PreferencesSheet {
    HWND frame = nullptr;
    GeneralPage general;
    EditorPage editor;
    ApplesoftPage applesoft;
};

// What a page does when it is shown, when one of its buttons is clicked and
// on OK or Apply; PageMessage makes a page's dialog procedure of them.
struct PageHandlers {
    void (*show)(HWND page, PreferencesSheet& sheet);
    void (*click)(HWND page, PreferencesSheet& sheet, int control);
    void (*apply)(HWND page, PreferencesSheet& sheet);
};
INT_PTR PageMessage(const PageHandlers& handlers, HWND page, UINT message, WPARAM wParam, LPARAM lParam);

void ShowFlag(HWND page, int control, bool on);
bool FlagChecked(HWND page, int control);
template <size_t N>
void ShowFlags(HWND page, const FlagControl (&controls)[N], const std::array<bool, N>& on)
{
    for (size_t i = 0; i < N; ++i) ShowFlag(page, controls[i].control, on[i]);
}
template <size_t N>
void ReadFlags(HWND page, const FlagControl (&controls)[N], std::array<bool, N>& on)
{
    for (size_t i = 0; i < N; ++i) on[i] = FlagChecked(page, controls[i].control);
}

// The settings file as the pages read it when they are shown.
std::string ReadFileSetting(const char* section, const char* key, std::string_view missing);
// Greys `control` while `greyed` is true; its tip says `why`, where the
// mouse rests on a control that no longer answers it.
void GreyWithTip(HWND page, int control, bool greyed, const char* why);
// Enables the sheet's Apply button.
void MarkChanged(HWND page);
// The colour dialog, owned by the page, starting from `colour` with `custom`
// editable; true, with both changed, on OK.
bool PickColour(HWND page, uint32_t& colour, CustomColours& custom);
