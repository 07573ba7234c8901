// Document windows and the commands that create and close them.
#include "app/documents.h"

#include <commctrl.h>
#include <richedit.h>

#include <string>

#include "app/app.h"
#include "app/commands.h"
#include "app/frame.h"
#include "resources/resource.h"

DocumentTable g_documents;

namespace {

constexpr int kTitleChars = 328;
constexpr int kDocumentWidth = 615;  // pixels; the height is the system's default
constexpr LONG kEditorStyle = 0x503001C4;  // child, visible, both scroll bars, multiline, no hidden selection
constexpr LONG_PTR kNoPlaceSlot = -1;

HWND EditorOf(HWND document) { return document ? GetWindow(document, GW_CHILD) : nullptr; }

LRESULT OnCreate(HWND window)
{
    RECT client = {};
    GetClientRect(g_app.frame, &client);
    LONG_PTR id = GetWindowLongPtrA(window, GWLP_ID);
    HWND editor = CreateWindowExA(0, "RICHEDIT", "", kEditorStyle, 0, 0, client.right, client.bottom, window,
                                  reinterpret_cast<HMENU>(id), g_app.instance, nullptr);
    if (!editor) return 0;
    RegisterClipboardFormatA("Rich Text Format");
    SetFocus(editor);
    SendMessageA(editor, EM_EXLIMITTEXT, 0, 0x7FFFFFF);
    SetWindowTextA(editor, "");
    LRESULT mask = SendMessageA(editor, EM_GETEVENTMASK, 0, 0);
    SendMessageA(editor, EM_SETEVENTMASK, 0, mask | ENM_KEYEVENTS | ENM_SELCHANGE);
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

// False when the user cancelled the save question.
bool CloseDocument(HWND window)
{
    char title[kTitleChars + 1] = {};
    GetWindowTextA(window, title, sizeof title);
    HWND editor = EditorOf(window);
    if (editor && SendMessageA(editor, EM_GETMODIFY, 0, 0) && AskSaveChanges(g_app.frame, title) == IDCANCEL)
        return false;
    if (editor) {
        LONG_PTR slot = GetWindowLongPtrA(editor, GWLP_USERDATA);
        if (slot > 0) ClearDocumentSlot(g_documents, static_cast<size_t>(slot));
    }
    for (int part = 1; part <= 3; ++part) SendMessageA(g_app.statusBar, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(" "));
    if (GetWindow(window, GW_HWNDNEXT) == g_app.clipboardCarrier) g_app.menuRefresh = true;
    return true;
}

}  // namespace

bool IsDocumentWindow(HWND window)
{
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    std::string kind = name;
    return kind == "MDIChildClass" || kind == "Applesoft" || kind == "Integer" || kind == "Text" || kind == "Bin";
}

HWND GetActiveEditor()
{
    if (!g_app.mdiClient) return nullptr;
    HWND active = reinterpret_cast<HWND>(SendMessageA(g_app.mdiClient, WM_MDIGETACTIVE, 0, 0));
    return EditorOf(active);
}

int AskSaveChanges(HWND owner, const char* title)
{
    std::string text = "Save current changes in ";
    text += (title && *title) ? title : "Untitled";
    text += "?";
    int answer = MessageBoxA(owner, text.c_str(), kProductName, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES && !SendMessageA(g_app.frame, WM_COMMAND, IDM_SAVE, 0)) answer = IDCANCEL;
    return answer;
}

void FreeDocumentTable() { FreeDocumentTable(g_documents); }

void NewDocument(const char* kind)
{
    g_app.currentFileName = "Untitled";
    HWND window = CreateMDIWindowA(kind, "Untitled", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW,
                                   CW_USEDEFAULT, CW_USEDEFAULT, kDocumentWidth, CW_USEDEFAULT, g_app.mdiClient,
                                   g_app.instance, 0);
    HWND editor = EditorOf(window);
    if (!editor) return;
    SendMessageA(editor, EM_SETBKGNDCOLOR, 0, g_app.backgroundColour);
    SetWindowLongPtrA(editor, GWLP_USERDATA, kNoPlaceSlot);
    SetFocus(editor);
    EnableDocumentCommands(g_app.menu);
    SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
}

LRESULT CloseAllDocuments(HWND)
{
    // Each pass takes the topmost document, so closing one brings the next up.
    for (HWND window = GetWindow(g_app.mdiClient, GW_CHILD); window;) {
        if (!IsDocumentWindow(window)) {
            window = GetWindow(window, GW_HWNDNEXT);
            continue;
        }
        HWND editor = EditorOf(window);
        if (editor && SendMessageA(editor, EM_GETMODIFY, 0, 0)) {
            char title[kTitleChars + 1] = {};
            GetWindowTextA(window, title, sizeof title);
            if (AskSaveChanges(g_app.frame, title) == IDCANCEL) return 0;
        }
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
    case WM_CREATE: OnCreate(window); break;
    case WM_SIZE: FitEditor(window); break;
    case WM_CLOSE:
        if (!CloseDocument(window)) return 0;
        break;
    case WM_CHILDACTIVATE:
    case WM_DESTROY:
        if (HWND editor = GetActiveEditor()) SetFocus(editor);
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
