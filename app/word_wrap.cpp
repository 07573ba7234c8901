// Word wrap, per document: each document window remembers whether it wraps, the menu
// item shows the active one's, and the last choice is saved for new
// documents and the next start.
#include <windows.h>
#include <richedit.h>

#include "app/app.h"
#include "app/commands.h"
#include "app/documents.h"
#include "resources/resource.h"
#include "settings/setting_values.h"
#include "settings/settings.h"

void SetEditorWordWrap(HWND editor, bool wrap)
{
    // Line width 0 wraps at the window edge; 1 never wraps.
    SendMessageA(editor, EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
    SetWindowLongA(GetParent(editor), kDocumentWrapOffset, wrap ? 1 : 0);
}

bool EditorWordWraps(HWND editor) { return GetWindowLongA(GetParent(editor), kDocumentWrapOffset) != 0; }

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
    WriteSetting("Display", "WordWrap", g_settings.wordWrap.c_str());
    ShowWordWrapCheck(g_app.menu);
}
