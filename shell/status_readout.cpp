// The read-out of the selection: font boxes, formatting buttons and the
// status bar's keyword syntax, line, BASIC line number and column.
#include "shell/status_readout.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/basic/keyword_help.h"
#include "core/documents/status_texts.h"
#include "core/settings/setting_values.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/document_windows.h"
#include "shell/documents.h"
#include "shell/editor_text.h"
#include "shell/program_checks.h"
#include "shell/settings.h"

namespace {

void SetPart(int part, const std::string& text)
{
    SendMessageA(g_app.statusBar, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text.c_str()));
}

void ShowFont(HWND editor)
{
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_SIZE | CFM_COLOR | CFM_FACE;
    SendMessageA(editor, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
    ShowInFontBox(g_app.fontNameBox, format.szFaceName);
    int points = TwipsToPoints(format.yHeight);
    std::string size = FormatDecimal(points);
    ShowInFontBox(g_app.fontSizeBox, size);
    g_settings.currentFontName = format.szFaceName;
    g_settings.currentFontSize = size;

    SendMessageA(g_app.toolbar, TB_CHECKBUTTON, IDM_BOLD, MAKELPARAM((format.dwEffects & CFE_BOLD) != 0, 0));
    SendMessageA(g_app.toolbar, TB_CHECKBUTTON, IDM_ITALIC, MAKELPARAM((format.dwEffects & CFE_ITALIC) != 0, 0));
    SendMessageA(g_app.toolbar, TB_CHECKBUTTON, IDM_UNDERLINE, MAKELPARAM((format.dwEffects & CFE_UNDERLINE) != 0, 0));
}

void ShowAlignment(HWND editor)
{
    PARAFORMAT format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    for (UINT id : {IDM_ALIGN_LEFT, IDM_ALIGN_CENTER, IDM_ALIGN_RIGHT})
        SendMessageA(g_app.toolbar, TB_CHECKBUTTON, id, MAKELPARAM(FALSE, 0));
    UINT checked = 0;
    if (format.wAlignment == PFA_LEFT) checked = IDM_ALIGN_LEFT;
    else if (format.wAlignment == PFA_CENTER) checked = IDM_ALIGN_CENTER;
    else if (format.wAlignment == PFA_RIGHT) checked = IDM_ALIGN_RIGHT;
    if (checked) SendMessageA(g_app.toolbar, TB_CHECKBUTTON, checked, MAKELPARAM(TRUE, 0));
}

void ShowProgramStatus(HWND editor, LONG caret)
{
    const std::optional<BasicLanguage> language = LanguageOf(GetParent(editor));
    if (!language) {
        SetPart(0, "");
        return;
    }
    const LONG lineStart = ParagraphStart(editor, caret);
    const KeywordAtCaret keyword =
        KeywordUnderCaret(ParagraphText(editor, caret), static_cast<size_t>(caret - lineStart), *language);
    const ProgramCheck* check = LatestProgramCheck(editor);
    SetPart(0, keyword.help ? keyword.help->syntax : check ? ProblemCountStatus(check->findings.size()) : "");
}

void ShowPosition(HWND editor)
{
    CHARRANGE selection = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    LRESULT line = SendMessageA(editor, EM_EXLINEFROMCHAR, 0, selection.cpMax);
    LRESULT lineStart = SendMessageA(editor, EM_LINEINDEX, line, 0);
    SetPart(2, LineStatus(static_cast<int>(line) + 1));
    SetPart(3, CharacterStatus(static_cast<int>(selection.cpMax - lineStart)));
    SetPart(1, BasicLineStatus(ParagraphText(editor, selection.cpMin)));
    ShowProgramStatus(editor, selection.cpMax);
}

}  // namespace

void ShowSelectionReadout(HWND editor)
{
    if (!editor) return;
    ShowFont(editor);
    ShowAlignment(editor);
    ShowPosition(editor);
}

void ShowCaretStatus(HWND editor)
{
    if (editor) ShowPosition(editor);
}

void ShowProgramStatus(HWND editor)
{
    if (!editor) return;
    CHARRANGE selection = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    ShowProgramStatus(editor, selection.cpMax);
}

void ShowInFontBox(HWND box, const std::string& text)
{
    LRESULT index = SendMessageA(box, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(box, CB_SETCURSEL, index, 0);
    // A face that is not installed is still the one asked for: show its name.
    if (index == CB_ERR) SetWindowTextA(box, text.c_str());
    SendMessageA(box, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
}
