// The Text Color palette: sixteen colour buttons and "Automatic". The colour
// chosen becomes the program's plain text colour (syntax colouring uses it
// too) and is given to the selection.
#include "editing/text_colour_menu.h"

#include <windows.h>
#include <richedit.h>

#include <iterator>

#include "core/settings/setting_values.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/editor_colouring.h"
#include "shell/settings.h"

namespace {

struct PaletteColour {
    int id;
    const char* icon;
    COLORREF colour;
};

constexpr PaletteColour kPalette[] = {
    {401, "XBlack", RGB(0, 0, 0)},         {402, "XRed", RGB(255, 0, 0)},
    {403, "XDarkGreen", RGB(0, 128, 0)},   {404, "XBlue", RGB(0, 0, 255)},
    {405, "XBrown", RGB(128, 0, 0)},       {406, "XPurple", RGB(255, 0, 255)},
    {407, "XDullGreen", RGB(0, 128, 128)}, {408, "XDarkBlue", RGB(0, 0, 128)},
    {409, "XGold", RGB(128, 128, 0)},      {410, "XDarkPurple", RGB(128, 0, 128)},
    {411, "XLime", RGB(0, 255, 0)},        {412, "XSkyBlue", RGB(0, 255, 255)},
    {413, "XYellow", RGB(255, 255, 0)},    {414, "XDarkGray", RGB(128, 128, 128)},
    {415, "XLightGray", RGB(192, 192, 192)}, {416, "XWhite", RGB(255, 255, 255)},
};
static_assert(std::size(kPalette) == IDC_COLOR_LAST - IDC_COLOR_FIRST + 1);

INT_PTR CALLBACK PaletteProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        for (const PaletteColour& entry : kPalette) {
            HICON icon = LoadIconA(g_app.instance, entry.icon);
            SendDlgItemMessageA(dialog, entry.id, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
        }
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == IDC_COLOR_AUTOMATIC || id == IDCANCEL || (id >= IDC_COLOR_FIRST && id <= IDC_COLOR_LAST)) {
            EndDialog(dialog, id);
            return TRUE;
        }
        break;
    }
    }
    return FALSE;
}

}  // namespace

void ShowTextColourPalette(HWND frame)
{
    INT_PTR chosen = DialogBoxParamA(g_app.instance, "TEXTCOLOR", frame, PaletteProc, 0);
    if (chosen == IDC_COLOR_AUTOMATIC) {
        g_settings.fontColor = ParseColour(ReadSetting(RowOf(&Settings::fontColor)));
    } else if (chosen >= IDC_COLOR_FIRST && chosen <= IDC_COLOR_LAST) {
        g_settings.fontColor = kPalette[chosen - IDC_COLOR_FIRST].colour;
    } else {
        return;
    }
    HWND editor = GetActiveEditor();
    if (!editor) return;
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.crTextColor = g_settings.fontColor;
    SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    CHARRANGE selection = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    ForgetColours(editor, selection.cpMin, selection.cpMax);
    SetFocus(editor);
}
