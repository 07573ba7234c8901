// The formatting toolbar on the active editor's selection: bold, italic and
// underline, paragraph alignment, and the font name and size boxes. Each
// change sets only its own attribute, so a selection of mixed formats keeps
// everything else.
#include "editing/formatting.h"

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <cstring>
#include <string>

#include "core/settings/setting_values.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/status_readout.h"

namespace {

struct EffectButton {
    UINT command;
    DWORD mask;
    DWORD effect;
};

constexpr EffectButton kEffects[] = {
    {IDM_BOLD, CFM_BOLD, CFE_BOLD},
    {IDM_ITALIC, CFM_ITALIC, CFE_ITALIC},
    {IDM_UNDERLINE, CFM_UNDERLINE, CFE_UNDERLINE},
};

struct AlignButton {
    UINT command;
    WORD alignment;
};

constexpr AlignButton kAlignments[] = {
    {IDM_ALIGN_LEFT, PFA_LEFT},
    {IDM_ALIGN_CENTER, PFA_CENTER},
    {IDM_ALIGN_RIGHT, PFA_RIGHT},
};

CHARFORMATA SelectionFormat(HWND editor)
{
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
    return format;
}

// Sets the attributes of `format.dwMask` on the selection and shows the result.
void ApplyToSelection(HWND editor, CHARFORMATA& format)
{
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    ShowSelectionReadout(editor);
}

// The list entry a font box's list has selected, while it is dropped down.
bool DroppedChoice(HWND box, std::string& choice)
{
    if (!box || !SendMessageA(box, CB_GETDROPPEDSTATE, 0, 0)) return false;
    LRESULT index = SendMessageA(box, CB_GETCURSEL, 0, 0);
    LRESULT length = index == CB_ERR ? CB_ERR : SendMessageA(box, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return false;
    choice.assign(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(choice.data()));
    choice.resize(static_cast<size_t>(length));
    return true;
}

struct FaceLookup {
    const char* name;
    bool found = false;
    LOGFONTA font = {};
};

int CALLBACK MatchFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    auto* lookup = reinterpret_cast<FaceLookup*>(lParam);
    if (std::strcmp(font->lfFaceName, lookup->name) != 0) return 1;
    lookup->font = *font;
    lookup->found = true;
    return 0;
}

}  // namespace

void ToggleCharacterEffect(UINT command)
{
    HWND editor = GetActiveEditor();
    if (!editor || SendMessageA(g_app.toolbar, TB_GETSTATE, command, 0) == -1) return;
    for (const EffectButton& button : kEffects) {
        if (button.command != command) continue;
        CHARFORMATA format = SelectionFormat(editor);
        // A selection that has the effect only in part gets it throughout.
        bool throughout = (format.dwMask & button.mask) && (format.dwEffects & button.effect);
        format.dwMask = button.mask;
        format.dwEffects = throughout ? 0 : button.effect;
        ApplyToSelection(editor, format);
    }
}

void AlignParagraphs(UINT command)
{
    HWND editor = GetActiveEditor();
    if (!editor) return;
    for (const AlignButton& button : kAlignments) {
        if (button.command != command) continue;
        PARAFORMAT format = {};
        format.cbSize = sizeof format;
        format.dwMask = PFM_ALIGNMENT;
        format.wAlignment = button.alignment;
        SendMessageA(editor, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
        ShowSelectionReadout(editor);
    }
}

void ApplyFontNameBox(WORD notification)
{
    HWND editor = GetActiveEditor();
    std::string face;
    if (notification != CBN_SELCHANGE || !editor || !DroppedChoice(g_app.fontNameBox, face)) return;
    FaceLookup lookup{face.c_str()};
    HDC dc = GetDC(editor);
    EnumFontFamiliesA(dc, face.c_str(), MatchFace, reinterpret_cast<LPARAM>(&lookup));
    ReleaseDC(editor, dc);
    CHARFORMATA format = {};
    format.dwMask = CFM_FACE | CFM_CHARSET;
    format.bCharSet = lookup.found ? lookup.font.lfCharSet : DEFAULT_CHARSET;
    format.bPitchAndFamily = lookup.found ? lookup.font.lfPitchAndFamily : 0;
    std::strncpy(format.szFaceName, face.c_str(), sizeof format.szFaceName - 1);
    ApplyToSelection(editor, format);
    SetFocus(editor);
}

void ApplyFontSizeBox(WORD notification)
{
    HWND editor = GetActiveEditor();
    std::string size;
    if (notification != CBN_SELCHANGE || !editor || !DroppedChoice(g_app.fontSizeBox, size)) return;
    CHARFORMATA format = {};
    format.dwMask = CFM_SIZE;
    format.yHeight = PointsToTwips(ParseDecimal(size));
    ApplyToSelection(editor, format);
    SetFocus(editor);
}
