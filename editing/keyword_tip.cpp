// Keyword help in a tracking tooltip of the frame, placed under the keyword
// by hand. One tool serves every editor; a tool bound to an editor's window
// would keep its first text until the mouse left the window, where this
// one changes from keyword to keyword.
#include "editing/keyword_tip.h"

#include <commctrl.h>
#include <richedit.h>

#include <string>

#include "core/basic/keyword_help.h"
#include "shell/app.h"
#include "shell/document_windows.h"
#include "shell/editor_text.h"

namespace {

constexpr UINT_PTR kToolId = 1;
constexpr int kTipWidth = 480;  // pixels; the help's lines break at their CR LF, a long one wraps
constexpr int kBelowPointer = 20;  // pixels from the mouse's hot spot down to the tip

struct Tip {
    HWND window = nullptr;
    HWND editor = nullptr;   // where the shown keyword is, null while hidden
    LONG from = 0, to = 0;   // its characters
    std::string text;        // the tool's text lives as long as it is shown
    HWND mouseIn = nullptr;  // where the mouse last moved, to tell a move from a repeat
    POINT mouseAt = {};
};
Tip g_tip;

TOOLINFOA Tool()
{
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = g_app.frame;
    tool.uId = kToolId;
    return tool;
}

HWND TipWindow()
{
    if (IsWindow(g_tip.window) && GetWindow(g_tip.window, GW_OWNER) == g_app.frame) return g_tip.window;
    g_tip = {};
    g_tip.window = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, g_app.frame, nullptr,
                                   g_app.instance, nullptr);
    if (!g_tip.window) return nullptr;
    TOOLINFOA tool = Tool();
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.lpszText = const_cast<char*>("");
    SendMessageA(g_tip.window, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(g_tip.window, TTM_SETMAXTIPWIDTH, 0, kTipWidth);
    return g_tip.window;
}

void HideTip()
{
    if (!g_tip.editor) return;
    g_tip.editor = nullptr;
    if (IsWindow(g_tip.window)) {
        TOOLINFOA tool = Tool();
        SendMessageA(g_tip.window, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    }
}

bool IsProgramEditor(HWND window)
{
    return LanguageOf(GetParent(window)) && EditorOf(GetParent(window)) == window;
}

// The keyword at character `position` of a program's editor; `inside`
// asks for one the position stands in, not only right after.
KeywordAtCaret KeywordAt(HWND editor, LONG position, LONG& lineStart, bool inside)
{
    if (!IsProgramEditor(editor)) return {};
    const BasicLanguage language = *LanguageOf(GetParent(editor));
    lineStart = ParagraphStart(editor, position);
    const size_t column = static_cast<size_t>(position - lineStart);
    KeywordAtCaret keyword = KeywordUnderCaret(ParagraphText(editor, position), column, language);
    if (inside && keyword.help && column >= keyword.end) return {};
    return keyword;
}

// Shows the help of `keyword`, found in the line starting at `lineStart`,
// with the tip's top left corner at `screen`.
void ShowTip(HWND editor, const KeywordAtCaret& keyword, LONG lineStart, POINT screen)
{
    HWND window = TipWindow();
    if (!window) return;
    g_tip.editor = editor;
    g_tip.from = lineStart + static_cast<LONG>(keyword.start);
    g_tip.to = lineStart + static_cast<LONG>(keyword.end);
    g_tip.text = KeywordHelpText(*keyword.help);
    TOOLINFOA tool = Tool();
    tool.lpszText = g_tip.text.data();
    SendMessageA(window, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(window, TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y));
    SendMessageA(window, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

LONG CharacterUnder(HWND editor, POINT client)
{
    POINTL at = {client.x, client.y};
    return static_cast<LONG>(SendMessageA(editor, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at)));
}

// A mouse message where the mouse already was (the system repeats them)
// would start the hover delay again and again.
void OnMouseMove(HWND window, POINT client)
{
    if (window == g_tip.mouseIn && client.x == g_tip.mouseAt.x && client.y == g_tip.mouseAt.y) return;
    g_tip.mouseIn = window;
    g_tip.mouseAt = client;
    if (g_tip.editor == window) {
        const LONG position = CharacterUnder(window, client);
        if (position < g_tip.from || position >= g_tip.to) HideTip();
    }
    TRACKMOUSEEVENT track = {sizeof track, TME_HOVER | TME_LEAVE, window, HOVER_DEFAULT};
    TrackMouseEvent(&track);
}

void OnMouseHover(HWND window, POINT client)
{
    LONG lineStart = 0;
    const KeywordAtCaret keyword = KeywordAt(window, CharacterUnder(window, client), lineStart, true);
    if (!keyword.help) return;
    POINT screen = {client.x, client.y + kBelowPointer};
    ClientToScreen(window, &screen);
    ShowTip(window, keyword, lineStart, screen);
}

POINT ClientPoint(LPARAM lParam) { return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; }

}  // namespace

HWND KeywordTipWindow() { return IsWindow(g_tip.window) ? g_tip.window : nullptr; }

void HideKeywordTip() { HideTip(); }

void ShowKeywordHelpAtCaret()
{
    HWND editor = GetActiveEditor();
    CHARRANGE selection = {};
    if (editor) SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    LONG lineStart = 0;
    const KeywordAtCaret keyword = editor ? KeywordAt(editor, selection.cpMax, lineStart, false) : KeywordAtCaret{};
    if (!keyword.help) {
        MessageBeep(MB_OK);
        return;
    }
    ShowTip(editor, keyword, lineStart, ScreenPointBelow(editor, lineStart + static_cast<LONG>(keyword.start)));
}

void WatchForKeywordHover(const MSG& message)
{
    switch (message.message) {
    case WM_MOUSEMOVE:
        if (IsProgramEditor(message.hwnd)) OnMouseMove(message.hwnd, ClientPoint(message.lParam));
        break;
    case WM_MOUSEHOVER:
        if (IsProgramEditor(message.hwnd)) OnMouseHover(message.hwnd, ClientPoint(message.lParam));
        break;
    case WM_MOUSELEAVE:
        if (message.hwnd == g_tip.editor) HideTip();
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL: HideTip(); break;
    }
}
