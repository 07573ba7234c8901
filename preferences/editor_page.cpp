// The Preferences sheet's Editor page: the default font, the text and
// background colours, and how documents are kept and wrapped.
#include "preferences/editor_page.h"

#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <cstring>

#include "core/settings/setting_values.h"
#include "preferences/preference_pages.h"
#include "shell/documents.h"
#include "shell/settings.h"

namespace {

constexpr int kPointsPerInch = 72;
constexpr char kFormattingAlwaysKept[] = "Run leaves the document as it is: its formatting is always kept.";

void EnableChooseFont(HWND page)
{
    EnableWindow(GetDlgItem(page, IDC_PREFS_CHOOSE_FONT), FlagChecked(page, IDC_PREFS_OTHER_FONT));
}

// The font dialog starts from the font last chosen on this page, or else
// from the configured face at the current size.
LOGFONTA StartingFont(const EditorPage& editor)
{
    LOGFONTA font = {};
    const std::string& face = editor.otherFont ? editor.otherFont->faceName : g_settings.fontName;
    int points = editor.otherFont ? editor.otherFont->tenthsOfPoint / 10 : ParseDecimal(g_settings.currentFontSize);
    HDC screen = GetDC(nullptr);
    font.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), kPointsPerInch);
    ReleaseDC(nullptr, screen);
    font.lfWeight = editor.otherFont ? editor.otherFont->weight : FW_NORMAL;
    font.lfItalic = editor.otherFont && editor.otherFont->italic;
    font.lfUnderline = editor.otherFont && editor.otherFont->underline;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(font.lfFaceName, face.c_str(), sizeof font.lfFaceName - 1);
    return font;
}

// `ChooseDefaultFont`: the font for "Other" and with it the text colour.
bool ChooseDefaultFont(HWND page, EditorPage& editor)
{
    LOGFONTA font = StartingFont(editor);
    CHOOSEFONTA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetParent(page);
    dialog.lpLogFont = &font;
    dialog.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST;
    dialog.rgbColors = editor.fontColour.colour;
    if (!ChooseFontA(&dialog)) return false;
    editor.otherFont = ChosenFont{font.lfFaceName, dialog.iPointSize, static_cast<int>(font.lfWeight),
                                  font.lfItalic != 0, font.lfUnderline != 0};
    editor.fontColour.colour = dialog.rgbColors & 0x00FFFFFFu;
    editor.fontColour.colourChanged = true;
    return true;
}

void Show(HWND page, PreferencesSheet& sheet)
{
    EditorPage& editor = sheet.editor = LoadEditorPage(g_settings, ReadFileSetting);
    for (size_t i = 0; i < std::size(kDefaultFonts); ++i) ShowFlag(page, kDefaultFonts[i].button.control, editor.fonts[i]);
    ShowFlags(page, kEditorFlags, editor.flags);
    EnableChooseFont(page);
    GreyWithTip(page, IDC_PREFS_RETAIN_RTF, true, kFormattingAlwaysKept);
}

void PickInto(HWND page, ColourChoice& choice)
{
    if (!PickColour(page, choice.colour, choice.custom)) return;
    choice.colourChanged = choice.customChanged = true;
    MarkChanged(page);
}

void Click(HWND page, PreferencesSheet& sheet, int control)
{
    EditorPage& editor = sheet.editor;
    switch (control) {
    case IDC_PREFS_STANDARD_FONT:
    case IDC_PREFS_APPLE_FONT:
    case IDC_PREFS_OTHER_FONT: EnableChooseFont(page); break;
    case IDC_PREFS_CHOOSE_FONT:
        if (!ChooseDefaultFont(page, editor)) return;
        break;
    case IDC_PREFS_FONT_COLOR: PickInto(page, editor.fontColour); return;
    case IDC_PREFS_BACKGROUND_COLOR: PickInto(page, editor.background); return;
    }
    MarkChanged(page);
}

// Open documents keep their wrapping and their text colours; the active one
// takes the new background at once.
void Apply(HWND page, PreferencesSheet& sheet)
{
    EditorPage& editor = sheet.editor;
    for (size_t i = 0; i < std::size(kDefaultFonts); ++i) editor.fonts[i] = FlagChecked(page, kDefaultFonts[i].button.control);
    ReadFlags(page, kEditorFlags, editor.flags);
    StoreSettings(ApplyEditorPage(editor, g_settings));
    bool wrap = ParseFlag(g_settings.wordWrap);
    CheckMenuItem(GetMenu(sheet.frame), IDM_WORD_WRAP, MF_BYCOMMAND | (wrap ? MF_CHECKED : MF_UNCHECKED));
    if (HWND active = GetActiveEditor(); active && editor.background.colourChanged)
        SendMessageA(active, EM_SETBKGNDCOLOR, 0, g_settings.backgroundColour);
}

constexpr PageHandlers kHandlers = {Show, Click, Apply};

}  // namespace

INT_PTR CALLBACK EditorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PageMessage(kHandlers, page, message, wParam, lParam);
}
