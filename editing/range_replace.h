// Replacing many ranges of an editor's text as one step the user can undo.
#pragma once
#include <windows.h>
#include <richedit.h>

#include <span>
#include <vector>

#include "core/text/text_edits.h"

// Puts in each of `edits` (in text order, not overlapping), each new piece
// in the format of the first character it replaces and the text around and
// between them as it was; one Undo takes every replacement back. The caret
// ends after the last replacement. False when the formats could not be
// kept: the span from the first edit to the last then went in as plain
// text in the format of its first character.
bool ReplaceRanges(HWND editor, std::span<const TextEdit> edits);
// The same as one plain text from the first edit to the last, in the format
// of the span's first character: much faster where the span holds many
// lines and many edits, as the control takes each edit at the cost of the
// whole text before it.
void ReplaceRangesPlainly(HWND editor, std::span<const TextEdit> edits);
// The same with one text for every range.
void ReplaceRanges(HWND editor, const std::vector<CHARRANGE>& ranges, const char* text);
