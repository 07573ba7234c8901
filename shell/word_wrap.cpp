// Word wrap, per document: each document window remembers whether it wraps.
#include "shell/word_wrap.h"

#include <richedit.h>

#include "shell/documents.h"

void SetEditorWordWrap(HWND editor, bool wrap)
{
    // Line width 0 wraps at the window edge; 1 never wraps.
    SendMessageA(editor, EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
    SetWindowLongA(GetParent(editor), kDocumentWrapOffset, wrap ? 1 : 0);
}

bool EditorWordWraps(HWND editor) { return GetWindowLongA(GetParent(editor), kDocumentWrapOffset) != 0; }
