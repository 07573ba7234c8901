// Applesoft and Integer BASIC colouring applied to a rich-edit editor: the spans of the
// colouring scanner become text colours; the text itself never changes.
// Colouring is never an edit: it leaves the undo history and the modified
// flag as they were.
#pragma once
#include <windows.h>

#include <span>
#include <string>
#include <string_view>

#include "core/text/text_edits.h"

// Colours whole lines from `start` (-1 for 0) up to at least `end`. Does
// nothing while colouring is off. Returns 0.
int ColourApplesoft(HWND editor, LONG end, LONG start);
// Recolours the lines from the one holding `lineStart` to the one holding
// `caret`. Returns 0.
int ColourLineToCaret(HWND editor, LONG lineStart, LONG caret);
// Recolours the lines an edit of any kind has touched since the editor's
// text was last seen (typing, paste, undo, replace, drag and drop). Does
// nothing while colouring is off.
void RecolourChangedText(HWND editor);
// Colours an opened program: the lines on screen as they are drawn, the
// rest in idle time, a few milliseconds at a time, giving way to the user's
// input. Whatever scrolls into view is coloured before it is drawn. While
// colouring is off the text is only followed.
void ColourOpenedProgram(HWND editor);
// The text from `from` to `to` went in plain: it is coloured as an opened
// program is, what shows at once, the rest in idle time.
void ColourPlainText(HWND editor, LONG from, LONG to);
// Takes the colours out of `from`..`to` before it is replaced, with no
// undo step: Wine's control takes a span out run by run, walking its text
// from the top for each, and one colour joins each line's runs into one.
void UncolourBeforeReplacing(HWND editor, LONG from, LONG to);
// True while some of the editor's text waits for its colours.
bool ColouringPending(HWND editor);
// From now on the editor's text is followed, its present colours unknown.
void FollowEditorText(HWND editor);
// The colours from `from` to `to` were set by other means than the
// colouring: the next recolouring of those lines looks at them again.
void ForgetColours(HWND editor, LONG from, LONG to);
// The editor's text, now `text`, is about to take `edits`, each new piece
// in the format of the first character it replaces: the colouring knows
// the result's colours without looking at them again.
void FollowEdits(HWND editor, std::string_view text, std::span<const TextEdit> edits);
// The editor is going away.
void StopFollowingEditor(HWND editor);
// Replaces the selection with `text` coloured as Applesoft, in one step that
// Undo takes back whole; `lineBefore` is the text of the selection's first
// line before it, which sets where the colouring starts. The characters take
// the font of the selection's first character. With colouring off the text
// goes in plain. The selection ends after the new text.
void ReplaceSelectionColoured(HWND editor, std::string_view lineBefore, const std::string& text);
