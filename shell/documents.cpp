// Document windows and the commands that create and close them.
#include "shell/documents.h"

#include <commctrl.h>
#include <richedit.h>

#include <cstring>
#include <string>

#include "core/disk/image.h"
#include "core/documents/file_names.h"
#include "core/documents/status_texts.h"
#include "core/settings/setting_values.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/command_enabling.h"
#include "shell/default_font.h"
#include "shell/editor_colouring.h"
#include "shell/program_checks.h"
#include "shell/report_error.h"
#include "shell/settings.h"
#include "shell/status_readout.h"
#include "shell/word_wrap.h"

namespace {

constexpr int kDocumentWidth = 615;  // pixels; the height is the system's default
constexpr DWORD kDocumentStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
constexpr LONG kEditorStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                              ES_AUTOHSCROLL | ES_NOHIDESEL;
constexpr LPARAM kTextLimit = 0x7FFFFFF;   // characters

// -1 refuses the window: a document without its editor would be an empty frame.
LRESULT OnCreate(HWND window)
{
    RECT client = {};
    GetClientRect(g_app.frame, &client);
    LONG_PTR id = GetWindowLongPtrA(window, GWLP_ID);
    HWND editor = CreateWindowExA(0, "RICHEDIT", "", kEditorStyle, 0, 0, client.right, client.bottom, window,
                                  reinterpret_cast<HMENU>(id), g_app.instance, nullptr);
    if (!editor) return -1;
    RegisterClipboardFormatA("Rich Text Format");
    SetFocus(editor);
    SendMessageA(editor, EM_EXLIMITTEXT, 0, kTextLimit);
    SetWindowTextA(editor, "");
    SetTabStops(editor, ParseDecimal(g_settings.numTabs), ParseDecimal(g_settings.tab));
    SetEditorWordWrap(editor, ParseFlag(g_settings.wordWrap));
    g_settings.currentFontName = g_settings.fontName;
    g_settings.currentFontSize = g_settings.fontSize;
    LRESULT mask = SendMessageA(editor, EM_GETEVENTMASK, 0, 0);
    SendMessageA(editor, EM_SETEVENTMASK, 0, mask | ENM_CHANGE | ENM_SELCHANGE);
    ShowWindow(editor, SW_SHOW);
    SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
    return 0;
}

void FitEditor(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    if (HWND editor = EditorOf(window)) MoveWindow(editor, 0, 0, client.right, client.bottom, TRUE);
}

// Every document that is not minimised keeps its editor over its whole client area.
void FitAllEditors()
{
    for (HWND child = GetWindow(g_app.mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsDocumentWindow(child) && !IsIconic(child)) FitEditor(child);
}

// The save question for a modified document. Save works on the active
// document, so the one asked about is brought to the front first (the user
// also sees which document the question means).
bool MayDiscardChanges(HWND window)
{
    HWND editor = EditorOf(window);
    if (!editor || !SendMessageA(editor, EM_GETMODIFY, 0, 0)) return true;
    if (GetActiveDocument() != window) SendMessageA(g_app.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
    return AskSaveChanges(g_app.frame, WindowTitle(window).c_str()) != IDCANCEL;
}

// False when the user cancelled the save question.
bool CloseDocument(HWND window)
{
    if (!MayDiscardChanges(window)) return false;
    HWND editor = EditorOf(window);
    if (editor) {
        LONG_PTR slot = EditorSlot(editor);
        if (slot > 0) ClearDocumentSlot(g_documents, static_cast<size_t>(slot));
    }
    SendMessageA(g_app.statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(""));
    for (int part = 1; part <= 3; ++part) SendMessageA(g_app.statusBar, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(" "));
    if (CountDocuments() == 1) g_app.menuRefresh = true;  // the one closing now is the last
    return true;
}

// Every change of a program's text recolours the lines it touched, and the
// program is checked again once the typing pauses.
void OnEditorCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    HWND editor = EditorOf(window);
    if (HIWORD(wParam) != EN_CHANGE || !editor || reinterpret_cast<HWND>(lParam) != editor) return;
    if (LanguageOf(window)) RecolourChangedText(editor);
    ProgramTextChanged(editor);
}

void OnNotify(HWND window, const NMHDR* header)
{
    HWND editor = EditorOf(window);
    if (!editor || header->hwndFrom != editor) return;
    if (header->code == EN_SELCHANGE) ShowSelectionReadout(GetActiveEditor());
}

}  // namespace

int AskSaveChanges(HWND owner, const char* title)
{
    std::string text = "Save current changes in ";
    text += (title && *title) ? title : kUntitled;
    text += "?";
    int answer = AskQuestion(owner, text, MB_YESNOCANCEL);
    if (answer == IDYES && !SendMessageA(g_app.frame, WM_COMMAND, IDM_SAVE, 0)) answer = IDCANCEL;
    return answer;
}

void SetTabStops(HWND editor, int count, int width)
{
    HDC dc = GetDC(editor);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(editor, dc);
    PARAFORMAT format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    std::vector<long> stops = TabStopPositions(count, width, metrics.tmAveCharWidth);
    format.dwMask = PFM_TABSTOPS;
    format.cTabCount = static_cast<SHORT>(stops.size());
    for (size_t i = 0; i < stops.size(); ++i) format.rgxTabs[i] = stops[i];
    SendMessageA(editor, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    SendMessageA(editor, EM_SETMODIFY, TRUE, 0);
}

bool RefuseSameName(const char* name)
{
    if (!ParseFlag(g_settings.stopDuplicates) || !g_app.mdiClient) return false;
    for (HWND child = GetWindow(g_app.mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (WindowTitle(child) == name) {
            ReportError(Message::SameNameDocument, name, 0, g_app.frame);
            return true;
        }
    }
    return false;
}

HWND CreateDocumentWindow(DocumentKind kind, const char* title)
{
    HWND window = CreateMDIWindowA(DocumentKindInfo(kind).className, title, kDocumentStyle, CW_USEDEFAULT,
                                   CW_USEDEFAULT, kDocumentWidth, CW_USEDEFAULT, g_app.mdiClient, g_app.instance, 0);
    if (!window) ReportError(Message::CantCreateWindow, {}, 0, g_app.frame);
    return window;
}

LRESULT CloseAllDocuments(HWND)
{
    // Each pass takes the topmost document, so closing one brings the next up.
    for (HWND window = GetWindow(g_app.mdiClient, GW_CHILD); window;) {
        if (!IsDocumentWindow(window)) {
            window = GetWindow(window, GW_HWNDNEXT);
            continue;
        }
        if (!MayDiscardChanges(window)) return 0;
        SendMessageA(g_app.mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
        window = GetWindow(g_app.mdiClient, GW_CHILD);
    }
    for (size_t slot = 1; slot < g_documents.capacity; ++slot) ClearDocumentSlot(g_documents, slot);
    g_app.menuRefresh = true;
    return 1;
}

LRESULT CALLBACK DocumentWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        if (OnCreate(window) < 0) return -1;
        break;
    case WM_SIZE: FitEditor(window); break;
    case WM_MOVE: FitAllEditors(); break;
    case WM_CLOSE:
        if (!CloseDocument(window)) return 0;
        break;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == window) {
            EnableImageDocumentCommands(g_app.menu, EditorOf(window));
            ShowCaretStatus(EditorOf(window));  // this document's caret and problems, not the last one's
        }
        break;
    case WM_DESTROY:
        StopFollowingEditor(EditorOf(window));
        ForgetProgramCheck(EditorOf(window));
        if (HWND editor = GetActiveEditor()) SetFocus(editor);
        break;
    case WM_CHILDACTIVATE:
        if (HWND editor = GetActiveEditor()) SetFocus(editor);
        break;
    case WM_COMMAND:
        OnEditorCommand(window, wParam, lParam);
        break;
    case WM_NOTIFY:
        OnNotify(window, reinterpret_cast<const NMHDR*>(lParam));
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}
