// The frame window procedure: creation of the frame's children, layout,
// the quit question, menu enabling and command routing.
#include "app/frame.h"

#include <commctrl.h>
#include <richedit.h>

#include <string>

#include "app/commands.h"
#include "app/toolbar.h"
#include "core/documents/file_names.h"
#include "core/settings/setting_values.h"
#include "editing/check_program.h"
#include "editing/find_replace.h"
#include "editing/keyword_tip.h"
#include "editing/line_jumps.h"
#include "editing/word_wrap_menu.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/command_enabling.h"
#include "shell/documents.h"
#include "shell/frame_title.h"
#include "shell/program_checks.h"
#include "shell/report_error.h"
#include "shell/settings.h"
#include "shell/status_readout.h"
#include "user_menus/accelerators.h"
#include "user_menus/edit_commands_dialog.h"

namespace {

constexpr DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP;
// The carrier only ever holds text on its way to the clipboard: never shown.
constexpr DWORD kCarrierStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_DLGFRAME | ES_MULTILINE | ES_AUTOHSCROLL;

void CreateMdiClient(HWND frame)
{
    CLIENTCREATESTRUCT client = {};
    g_app.windowMenu = GetSubMenu(g_app.menu, MENU_POSITION_WINDOWS);
    client.hWindowMenu = g_app.windowMenu;
    client.idFirstChild = IDM_FIRST_MDI_CHILD;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | MDIS_ALLCHILDSTYLES;
    if (ParseFlag(g_settings.clientScroll)) style |= WS_HSCROLL | WS_VSCROLL;
    g_app.mdiClient = CreateWindowExA(0, "MDICLIENT", nullptr, style, 0, 0, 0, 0, frame,
                                      reinterpret_cast<HMENU>(IDC_MDI_CLIENT), g_app.instance, &client);
}

void InitialisePageSetup(HWND frame)
{
    PAGESETUPDLGA& p = g_app.pageSetup;
    p = {};
    p.lStructSize = sizeof p;
    p.hwndOwner = frame;
    p.Flags = PSD_MINMARGINS | PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES;
    p.rtMargin = {1000, 1000, 1000, 1000};
    p.rtMinMargin = {250, 36, 250, 460};
    // Zero-filled printer blocks are no valid printer settings and make the
    // first dialog fail; with none, the dialogs start from the default
    // printer and hand back blocks that are kept from then on.
    p.hDevMode = p.hDevNames = nullptr;
}

LRESULT OnCreate(HWND frame, const CREATESTRUCTA* create)
{
    g_app.instance = create->hInstance;
    InitCommonControls();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    g_app.waitCursor = LoadCursorA(nullptr, IDC_WAIT);
    g_app.arrowCursor = LoadCursorA(nullptr, IDC_ARROW);
    g_app.menu = GetMenu(frame);
    g_app.runSavesInstead = false;

    CreateMdiClient(frame);
    if (!g_app.toolbar) {
        CreateToolbar(frame);
        g_app.statusBar = CreateStatusWindowA(kStatusBarStyle, "", frame, IDC_STATUS_BAR);
        g_app.clipboardCarrier = CreateWindowExA(0, "RICHEDIT", "", kCarrierStyle, 0, 0, 0, 0, g_app.mdiClient,
                                                 reinterpret_cast<HMENU>(IDC_CLIPBOARD_CARRIER), g_app.instance,
                                                 nullptr);
        if (!g_app.clipboardCarrier) ReportError(Message::CantCreateWindow, {}, 0, frame);
        else ShowWindow(g_app.clipboardCarrier, SW_HIDE);
    }
    SetFrameTitle(frame, "");
    InitialisePageSetup(frame);
    GrayUnbuiltCommands(g_app.menu);
    g_app.menuRefresh = true;
    ShowWordWrapCheck(g_app.menu);
    return 0;
}

void OnSize(int width, int height)
{
    LayOutToolbar();
    int parts[4] = {width - 375, width - 250, width - 125, -1};
    SendMessageA(g_app.statusBar, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(parts));

    RECT toolbar = {}, status = {};
    GetWindowRect(g_app.toolbar, &toolbar);
    GetWindowRect(g_app.statusBar, &status);
    int toolbarHeight = toolbar.bottom - toolbar.top;
    int statusHeight = status.bottom - status.top;
    int borders[3] = {};
    SendMessageA(g_app.statusBar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    MoveWindow(g_app.mdiClient, 0, toolbarHeight, width, height - (statusHeight + borders[1]) - toolbarHeight + 2,
               TRUE);
    SendMessageA(g_app.statusBar, WM_SIZE, 0, 0);
}

// The quit question and Close All; false when the frame must stay.
bool MayQuit(HWND frame)
{
    if (ParseFlag(g_settings.quitPrompt) &&
        AskQuestion(frame, "Are you sure you want to Quit?") != IDYES)
        return false;
    if (GetWindow(g_app.mdiClient, GW_CHILD) && !SendMessageA(frame, WM_COMMAND, IDM_CLOSE_ALL, 0)) return false;
    return true;
}

void OnClose(HWND frame)
{
    if (!MayQuit(frame)) return;
    if (g_app.comboFont) {
        // The boxes still use the font until they are destroyed with the frame.
        if (g_app.fontNameBox) SendMessageA(g_app.fontNameBox, WM_SETFONT, 0, FALSE);
        if (g_app.fontSizeBox) SendMessageA(g_app.fontSizeBox, WM_SETFONT, 0, FALSE);
        DeleteObject(g_app.comboFont);
        g_app.comboFont = nullptr;
    }
    CloseEditCommandsDialog();
    DestroyWindow(frame);
}

void SaveWindowRectangle(HWND frame)
{
    RECT r;
    if (!GetWindowRect(frame, &r)) return;
    WriteSetting(kMainWindowSection, kWindowLeftKey, FormatDecimal(r.left).c_str());
    WriteSetting(kMainWindowSection, kWindowTopKey, FormatDecimal(r.top).c_str());
    WriteSetting(kMainWindowSection, kWindowWideKey, FormatDecimal(r.right - r.left).c_str());
    WriteSetting(kMainWindowSection, kWindowHighKey, FormatDecimal(r.bottom - r.top).c_str());
}

void OnDestroy(HWND frame)
{
    SaveWindowRectangle(frame);
    ReleaseAcceleratorTable(g_app.accelerators);
    FreeDocumentTable();
    GlobalFree(g_app.pageSetup.hDevMode);
    GlobalFree(g_app.pageSetup.hDevNames);
    g_app.pageSetup.hDevMode = g_app.pageSetup.hDevNames = nullptr;
    if (g_app.richEdit32) FreeLibrary(g_app.richEdit32);
    if (g_app.richEdit20) FreeLibrary(g_app.richEdit20);
    g_app.richEdit32 = g_app.richEdit20 = nullptr;
    g_app.frame = g_app.mdiClient = g_app.toolbar = g_app.statusBar = g_app.clipboardCarrier = nullptr;
    g_app.fontNameBox = g_app.fontSizeBox = g_app.toolTips = nullptr;
    g_app.findDialog = nullptr;  // gone with its owner, without telling it is closing
    PostQuitMessage(0);
}

void OnInitMenuPopup(HMENU popup, int index, bool systemMenu)
{
    // A document's slot may learn its disk image after the document was activated.
    if (!systemMenu && index == MENU_POSITION_FILE) EnableImageDocumentCommands(popup, GetActiveEditor());
    if (!systemMenu && index == MENU_POSITION_TOOLS) {
        EnableCommand(popup, IDM_CHECK_PROGRAM, ProgramDocumentActive());
        EnableCommand(popup, IDM_RENUMBER, LanguageOf(GetActiveDocument()).has_value());
    }
    if (systemMenu || index != MENU_POSITION_EDIT) return;
    HWND editor = GetActiveEditor();
    auto enable = [popup](UINT id, bool on) { EnableCommand(popup, id, on); };
    enable(IDM_UNDO, editor && SendMessageA(editor, EM_CANUNDO, 0, 0));
    enable(IDM_PASTE, IsClipboardFormatAvailable(CF_TEXT));
    CHARRANGE selection = {0, 0};
    if (editor) SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    bool hasSelection = selection.cpMin != selection.cpMax;
    enable(IDM_CUT, hasSelection);
    enable(IDM_COPY, hasSelection);
    enable(IDM_CLEAR, hasSelection);
    bool findClosed = g_app.findDialog == nullptr;
    enable(IDM_FIND, findClosed);
    enable(IDM_FIND_NEXT, findClosed);
    enable(IDM_REPLACE, findClosed);
    EnableJumpCommands(popup);
    ShowWordWrapCheck(popup);
}

// A click on the status bar's first part, where the number of problems
// shows, opens Check Program.
void OnNotify(HWND frame, const NMHDR& header, LPARAM lParam)
{
    if (header.hwndFrom == g_app.statusBar && header.code == NM_CLICK &&
        reinterpret_cast<const NMMOUSE*>(lParam)->dwItemSpec == 0)
        ShowProgramCheck(frame);
}

void OnProgramChecked(HWND editor)
{
    if (editor == GetActiveEditor()) ShowProgramStatus(editor);
    RefreshProgramCheck(editor);
}

LRESULT OnCommand(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    if (const CommandRoute* route = FindCommandRoute(id)) {
        // A shortcut reaches here even while its menu item is greyed.
        return route->handler ? route->handler(frame, id, wParam, lParam) : 0;
    }
    return DefFrameProcA(frame, g_app.mdiClient, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK FrameWndProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A registered message has no constant to switch on.
    if (message == FindReplaceMessage()) {
        OnFindReplace(frame, *reinterpret_cast<const FINDREPLACEA*>(lParam));
        return 0;
    }
    switch (message) {
    case WM_CREATE: return OnCreate(frame, reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(frame, &paint);
        EndPaint(frame, &paint);
        return 0;
    }
    case WM_CLOSE: OnClose(frame); return 0;
    case WM_QUERYENDSESSION: return MayQuit(frame) ? TRUE : FALSE;
    case WM_DESTROY: OnDestroy(frame); return 0;
    case WM_COMMAND: return OnCommand(frame, message, wParam, lParam);
    case WM_NOTIFY: OnNotify(frame, *reinterpret_cast<const NMHDR*>(lParam), lParam); break;
    case kProgramCheckedMessage: OnProgramChecked(reinterpret_cast<HWND>(wParam)); return 0;
    case WM_ACTIVATEAPP:
        if (!wParam) HideKeywordTip();
        break;
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam) != 0); break;
    }
    if (g_app.menuRefresh) {
        GrayDocumentCommands(g_app.menu);
        g_app.menuRefresh = false;
    }
    return DefFrameProcA(frame, g_app.mdiClient, message, wParam, lParam);
}
