// The Preferences sheet: its three pages over one state, the General page,
// and what the pages share.
#include "settings/preferences_sheet.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

#include "settings/preference_pages.h"
#include "settings/settings.h"

namespace {

struct PageTemplate {
    const char* name;  // its caption is the tab's
    DLGPROC procedure;
};
constexpr PageTemplate kPages[] = {
    {"GeneralPrefs", GeneralPageProc},
    {"DisplayPrefs", EditorPageProc},
    {"ApplesoftPrefs", ApplesoftPageProc},
};

PreferencesSheet& SheetOf(HWND page)
{
    return *reinterpret_cast<PreferencesSheet*>(GetWindowLongPtrA(page, DWLP_USER));
}

// The sheet's state comes with the page's description, once.
PreferencesSheet& TakeSheet(HWND page, LPARAM description)
{
    LPARAM sheet = reinterpret_cast<const PROPSHEETPAGEA*>(description)->lParam;
    SetWindowLongPtrA(page, DWLP_USER, sheet);
    return *reinterpret_cast<PreferencesSheet*>(sheet);
}

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

void ShowPreferences(HWND frame)
{
    PreferencesSheet sheet;
    sheet.frame = frame;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(frame, GWLP_HINSTANCE));
    PROPSHEETPAGEA pages[std::size(kPages)] = {};
    for (size_t i = 0; i < std::size(kPages); ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].dwFlags = PSP_DEFAULT;
        pages[i].hInstance = instance;
        pages[i].pszTemplate = kPages[i].name;
        pages[i].pfnDlgProc = kPages[i].procedure;
        pages[i].lParam = reinterpret_cast<LPARAM>(&sheet);
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP;
    header.hwndParent = frame;
    header.hInstance = instance;
    header.pszCaption = "Preferences";
    header.nPages = std::size(pages);
    header.ppsp = pages;
    PropertySheetA(&header);
}

INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PageMessage(kGeneralHandlers, page, message, wParam, lParam);
}

// Only pages that have been shown hear OK or Apply, so a page never shown stores nothing.
INT_PTR PageMessage(const PageHandlers& handlers, HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: handlers.show(page, TakeSheet(page, lParam)); return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) handlers.click(page, SheetOf(page), LOWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code != PSN_APPLY) return FALSE;
        handlers.apply(page, SheetOf(page));
        SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    }
    return FALSE;
}

void ShowFlag(HWND page, int control, bool on) { CheckDlgButton(page, control, on ? BST_CHECKED : BST_UNCHECKED); }

bool FlagChecked(HWND page, int control) { return IsDlgButtonChecked(page, control) == BST_CHECKED; }

std::string ReadFileSetting(const char* section, const char* key, std::string_view missing)
{
    return ReadSetting(section, key, missing);
}

void StoreSettings(const SettingWrites& writes)
{
    for (const SettingWrite& write : writes) WriteSetting(write.section.c_str(), write.key.c_str(), write.value.c_str());
}

void MarkChanged(HWND page) { PropSheet_Changed(GetParent(page), page); }

bool PickColour(HWND page, uint32_t& colour, CustomColours& custom)
{
    COLORREF offered[kCustomColourCount];
    std::copy(custom.begin(), custom.end(), offered);
    CHOOSECOLORA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = page;
    dialog.rgbResult = colour;
    dialog.lpCustColors = offered;
    dialog.Flags = CC_RGBINIT;
    if (!ChooseColorA(&dialog)) return false;
    colour = dialog.rgbResult & 0x00FFFFFFu;
    std::copy(std::begin(offered), std::end(offered), custom.begin());
    return true;
}
