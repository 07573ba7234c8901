// The Preferences sheet: its three pages over one state.
#include "preferences/preferences_sheet.h"

#include <commctrl.h>

#include <algorithm>

#include "preferences/applesoft_page.h"
#include "preferences/editor_page.h"
#include "preferences/general_page.h"
#include "preferences/preference_pages.h"

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

