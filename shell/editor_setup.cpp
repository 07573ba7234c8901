#include "shell/editor_setup.h"

#include <richedit.h>

#include "core/documents/file_names.h"
#include "shell/app.h"
#include "shell/command_enabling.h"
#include "shell/default_font.h"
#include "shell/documents.h"
#include "shell/editor_colouring.h"
#include "shell/program_checks.h"
#include "shell/settings.h"

namespace {

constexpr int kOpenedTabCount = 20;  // an opened file's tab stops do not follow the settings
constexpr int kOpenedTabWidth = 5;   // average character widths

// Hidden and empty, in the current font, the default text colour and the
// configured background (the font sets the system's, so that comes last).
void PrepareEditor(HWND editor, int tabCount, int tabWidth)
{
    ShowWindow(editor, SW_HIDE);
    SetWindowTextA(editor, "");
    ApplyDefaultFont(editor, g_settings.currentFontName.c_str(), ParseDecimal(g_settings.currentFontSize));
    ApplyDefaultTextColour(editor);
    SetTabStops(editor, tabCount, tabWidth);
    SendMessageA(editor, EM_SETBKGNDCOLOR, 0, g_settings.backgroundColour);
}

}  // namespace

void NewDocument(DocumentKind kind)
{
    HWND editor = EditorOf(CreateDocumentWindow(kind, kUntitled));
    if (!editor) return;
    PrepareEditor(editor, ParseDecimal(g_settings.numTabs), ParseDecimal(g_settings.tab));
    SetEditorSlot(editor, kNoPlaceSlot);
    SetFocus(editor);
    EnableDocumentCommands(g_app.menu);
    SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
    ShowWindow(editor, SW_SHOW);
}

void PrepareOpenedEditor(HWND editor)
{
    // The text coming in is coloured once it is all there, not piece by piece.
    SendMessageA(editor, EM_SETEVENTMASK, 0, SendMessageA(editor, EM_GETEVENTMASK, 0, 0) & ~ENM_CHANGE);
    PrepareEditor(editor, kOpenedTabCount, kOpenedTabWidth);
}

void FinishOpenedDocument(HWND frame, HWND editor, bool colour)
{
    EnableDocumentCommands(g_app.menu);
    if (colour) ColourOpenedProgram(editor);
    else if (LanguageOf(GetParent(editor))) FollowEditorText(editor);
    SendMessageA(editor, EM_SETEVENTMASK, 0, SendMessageA(editor, EM_GETEVENTMASK, 0, 0) | ENM_CHANGE);
    ProgramTextChanged(editor);
    ShowWindow(editor, SW_SHOW);
    SendMessageA(editor, EM_SETSEL, 0, 0);
    SendMessageA(editor, EM_SCROLLCARET, 0, 0);
    SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
    SendMessageA(g_app.mdiClient, WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar(frame);
    if (HWND active = GetActiveEditor()) SetFocus(active);
}
