// Default font and text colour of the document editors.
#include "shell/default_font.h"

#include <richedit.h>

#include <cstring>

#include "core/settings/setting_values.h"
#include "shell/settings.h"

namespace {

void SelectAll(HWND editor)
{
    CHARRANGE all = {0, -1};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
}

}  // namespace

void ApplyDefaultFont(HWND editor, const char* faceName, int points)
{
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_OFFSET;
    DWORD effects = format.dwEffects & CFE_AUTOCOLOR;  // the colour stays as fetched
    if (ParseFlag(g_settings.fontBold)) effects |= CFE_BOLD;
    if (ParseFlag(g_settings.fontItalic)) effects |= CFE_ITALIC;
    if (ParseFlag(g_settings.fontUnderline)) effects |= CFE_UNDERLINE;
    format.dwEffects = effects;
    format.yHeight = PointsToTwips(points);
    format.yOffset = 0;
    format.bCharSet = DEFAULT_CHARSET;
    format.bPitchAndFamily = 0;
    std::memset(format.szFaceName, 0, sizeof format.szFaceName);
    if (faceName) std::strncpy(format.szFaceName, faceName, sizeof format.szFaceName - 1);

    SelectAll(editor);
    if (!SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format))) MessageBeep(0);
    SendMessageA(editor, EM_SETBKGNDCOLOR, TRUE, 0);  // the system window colour
    SendMessageA(editor, EM_SETMODIFY, TRUE, 0);
}

void ApplyDefaultTextColour(HWND editor)
{
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    SendMessageA(editor, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
    format.dwMask = CFM_COLOR;
    format.dwEffects &= ~CFE_AUTOCOLOR;
    format.crTextColor = g_settings.fontColor;
    SendMessageA(editor, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}
