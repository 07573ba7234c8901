// Find, Find Next, Replace and Replace All on the active editor, through the
// system's modeless Find and Replace dialogs.
#include "editing/find_replace.h"

#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <vector>

#include "editing/range_replace.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/report_error.h"

namespace {

constexpr DWORD kDialogFlags = FR_HIDEWHOLEWORD | FR_HIDEUPDOWN | FR_DOWN;

void Select(HWND editor, CHARRANGE range)
{
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    SendMessageA(editor, EM_SCROLLCARET, 0, 0);
}

CHARRANGE Selection(HWND editor)
{
    CHARRANGE selection = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    return selection;
}

// The first match within `range` (cpMax -1: to the end of the text).
bool FindIn(HWND editor, CHARRANGE range, CHARRANGE& found)
{
    if (!g_app.find.findText[0]) return false;
    FINDTEXTEXA find = {};
    find.chrg = range;
    find.lpstrText = g_app.find.findText;
    WPARAM flags = FR_DOWN | (g_app.find.request.Flags & FR_MATCHCASE);
    if (SendMessageA(editor, EM_FINDTEXTEX, flags, reinterpret_cast<LPARAM>(&find)) < 0) return false;
    found = find.chrgText;
    return found.cpMax > found.cpMin;
}

// The search starts one character after the selection's start, so that
// repeating it moves on from the match just shown. Nothing found puts the
// caret at the top.
bool FindNextMatch(HWND editor)
{
    CHARRANGE found = {};
    if (FindIn(editor, {Selection(editor).cpMin + 1, -1}, found)) {
        Select(editor, found);
        return true;
    }
    Select(editor, {0, 0});
    return false;
}

void ReportNotFound(HWND frame) { ReportError(Message::TextNotFound, {}, 0, frame); }

// The match the user sees highlighted is replaced and the next one shown;
// a selection that is no match only moves on to the next match.
void ReplaceShownMatch(HWND frame, HWND editor)
{
    CHARRANGE selection = Selection(editor), found = {};
    bool shown = FindIn(editor, selection, found) && found.cpMin == selection.cpMin && found.cpMax == selection.cpMax;
    if (!shown) {
        if (!FindNextMatch(editor)) ReportNotFound(frame);
        return;
    }
    SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(g_app.find.replaceText));
    // From the end of the replacement: a replacement holding the find text is not found again.
    if (FindIn(editor, {Selection(editor).cpMax, -1}, found)) {
        Select(editor, found);
        return;
    }
    Select(editor, {0, 0});
    ReportNotFound(frame);
}

// Every match from the top, each search going on where the last match
// ended, so adjacent matches are all found; then one undoable replacement.
void ReplaceEveryMatch(HWND frame, HWND editor)
{
    std::vector<CHARRANGE> matches;
    CHARRANGE found = {};
    for (LONG from = 0; FindIn(editor, {from, -1}, found); from = found.cpMax) matches.push_back(found);
    if (matches.empty()) {
        Select(editor, {0, 0});
        ReportNotFound(frame);
        return;
    }
    ReplaceRanges(editor, matches, g_app.find.replaceText);
}

}  // namespace

UINT FindReplaceMessage()
{
    static const UINT message = RegisterWindowMessageA(FINDMSGSTRINGA);
    return message;
}

void OpenFindDialog(HWND frame, bool replace)
{
    if (g_app.findDialog) {
        SetFocus(g_app.findDialog);
        return;
    }
    FINDREPLACEA& request = g_app.find.request;
    request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = frame;
    request.Flags = kDialogFlags | (g_app.matchCaseDefault ? FR_MATCHCASE : 0);
    request.lpstrFindWhat = g_app.find.findText;
    request.wFindWhatLen = sizeof g_app.find.findText;
    request.lpstrReplaceWith = g_app.find.replaceText;
    request.wReplaceWithLen = sizeof g_app.find.replaceText;
    g_app.findDialog = replace ? ReplaceTextA(&request) : FindTextA(&request);
}

void FindNext(HWND frame)
{
    HWND editor = GetActiveEditor();
    if (!editor) return;
    if (!g_app.find.findText[0]) OpenFindDialog(frame, false);
    else FindNextMatch(editor);
}

void OnFindReplace(HWND frame, const FINDREPLACEA& request)
{
    if (request.Flags & FR_DIALOGTERM) {
        g_app.findDialog = nullptr;
        return;
    }
    HWND editor = GetActiveEditor();
    if (!editor) return;
    if (request.Flags & FR_FINDNEXT) {
        if (!FindNextMatch(editor)) ReportNotFound(frame);
    } else if (request.Flags & FR_REPLACE) {
        ReplaceShownMatch(frame, editor);
    } else if (request.Flags & FR_REPLACEALL) {
        ReplaceEveryMatch(frame, editor);
    }
}
