// The Edit menu's Word Wrap: it shows and switches the active document's
// wrapping, and the last choice is saved for new documents and the next start.
#include "editing/word_wrap_menu.h"

#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/settings.h"
#include "shell/word_wrap.h"

void ShowWordWrapCheck(HMENU menu)
{
    HWND editor = GetActiveEditor();
    bool wrap = editor ? EditorWordWraps(editor) : ParseFlag(g_settings.wordWrap);
    CheckMenuItem(menu, IDM_WORD_WRAP, MF_BYCOMMAND | (wrap ? MF_CHECKED : MF_UNCHECKED));
}

void ToggleWordWrap()
{
    HWND editor = GetActiveEditor();
    bool wrap = !(editor ? EditorWordWraps(editor) : ParseFlag(g_settings.wordWrap));
    if (editor) SetEditorWordWrap(editor, wrap);
    g_settings.wordWrap = wrap ? "TRUE" : "FALSE";
    StoreSettings({WriteOf(g_settings, &Settings::wordWrap)});
    ShowWordWrapCheck(g_app.menu);
}
