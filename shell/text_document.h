// The text object model of a rich edit control: ranges that are worked on
// without moving the selection.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <richole.h>
#include <tom.h>

// The control's ITextDocument, which the caller releases; null where the
// control has none.
ITextDocument* TextDocumentOf(HWND editor);
