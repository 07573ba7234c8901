// Word wrap of one editor, kept by its document window.
#pragma once
#include <windows.h>

void SetEditorWordWrap(HWND editor, bool wrap);
bool EditorWordWraps(HWND editor);
