// What the Preferences pages share.
#include "preferences/preference_pages.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

#include "shell/settings.h"

namespace {

// The page's tooltip window, made with its first tip.
constexpr char kTipProperty[] = "TAVO.PageTips";

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

}  // namespace

// Only pages that have been shown hear OK or Apply, so a page never shown stores nothing.
INT_PTR PageMessage(const PageHandlers& handlers, HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: handlers.show(page, TakeSheet(page, lParam)); return TRUE;
    case WM_DESTROY: RemovePropA(page, kTipProperty); return FALSE;
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

void GreyWithTip(HWND page, int control, bool greyed, const char* why)
{
    HWND box = GetDlgItem(page, control);
    EnableWindow(box, !greyed);
    // A greyed control gets no mouse messages, so the tip belongs to the
    // page, over the control's rectangle.
    HWND tips = static_cast<HWND>(GetPropA(page, kTipProperty));
    if (!tips) {
        tips = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, page, nullptr, nullptr, nullptr);
        SetPropA(page, kTipProperty, tips);
    }
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = page;
    tool.uId = static_cast<UINT_PTR>(control);
    if (!greyed) {
        SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    GetWindowRect(box, &tool.rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&tool.rect), 2);
    tool.lpszText = const_cast<char*>(why);
    SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
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
