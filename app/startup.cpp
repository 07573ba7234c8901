// Start-up in its fixed order, and the message loop.
#include "app/startup.h"

#include <string>

#include "app/commands.h"
#include "app/frame.h"
#include "app/windows_files.h"
#include "core/documents/command_line.h"
#include "core/documents/file_names.h"
#include "core/settings/main_window_size.h"
#include "core/settings/setting_values.h"
#include "core/text/buffer_size.h"
#include "editing/check_program.h"
#include "editing/line_jumps.h"
#include "editing/line_list_window.h"
#include "editing/completion_list.h"
#include "editing/keyword_tip.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/report_error.h"
#include "shell/settings.h"
#include "user_menus/accelerators.h"
#include "user_menus/edit_commands_dialog.h"
#include "user_menus/user_commands.h"
#include "user_menus/utilities.h"

namespace {

void RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, int extraBytes, LPCSTR icon,
                         LPCSTR menu)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = extraBytes;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, icon);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszMenuName = menu;
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

void RegisterWindowClasses(HINSTANCE instance)
{
    RegisterWindowClass(instance, kProductName, FrameWndProc, 0, TAVO_RESOURCE_NAME, TAVO_RESOURCE_NAME);
    for (const DocumentKindRow& kind : kDocumentKinds) {
        LPCSTR icon = kind.iconName ? kind.iconName : MAKEINTRESOURCEA(kind.iconId);
        RegisterWindowClass(instance, kind.className, DocumentWndProc, kDocumentExtraBytes, icon, nullptr);
    }
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ProgramDirectory()
{
    char path[kTextBufferChars] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return {};
    return SplitPath(path).directory;
}

int ReadWindowValue(const char* key) { return ParseDecimal(ReadSetting(kMainWindowSection, key)); }

RECT InitialFrameRectangle()
{
    int wide = ReadWindowValue(kWindowWideKey);
    int high = ReadWindowValue(kWindowHighKey);
    if (!UsableFrameSize(wide, high)) return {0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
    int left = ReadWindowValue(kWindowLeftKey);
    int top = ReadWindowValue(kWindowTopKey);
    // Onto the work area of the monitor nearest to where the frame was.
    ScreenRect saved = SavedFrameRectangle(left, top, wide, high);
    RECT previous = {saved.left, saved.top, saved.right, saved.bottom};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&previous, MONITOR_DEFAULTTONEAREST), &monitor))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
    const RECT& area = monitor.rcWork;
    ScreenRect fitted = FitInWorkArea(left, top, wide, high, {area.left, area.top, area.right, area.bottom});
    return {fitted.left, fitted.top, fitted.right, fitted.bottom};
}

}  // namespace

HWND StartApplication(HINSTANCE instance, LPSTR commandLine, int showCommand)
{
    g_app = App{};
    g_app.instance = instance;

    g_app.richEdit32 = LoadLibraryA("RICHED32.DLL");
    if (!g_app.richEdit32) {
        ReportError(Message::CantLoadRichEdit);
        return nullptr;
    }
    g_app.richEdit20 = LoadLibraryA("RICHED20.DLL");
    if (!g_app.richEdit20) {
        ReportError(Message::CantLoadRichEdit);
        FreeLibrary(g_app.richEdit32);
        g_app.richEdit32 = nullptr;
        return nullptr;
    }

    char directory[kTextBufferChars] = {};
    GetCurrentDirectoryA(sizeof directory, directory);
    g_app.startDirectory = directory;
    g_app.helpPath = ChooseHelpPath(g_app.startDirectory, ProgramDirectory(), FileExists);
    SetSettingsPath(JoinDirectory(g_app.startDirectory, "TAVO.ini"));

    // The one load: the frame's creation already needs ClientScroll, the font and WordWrap.
    LoadSettings(g_app.startDirectory);
    g_app.gotoHighlightDefault = ParseFlag(g_settings.hiLightGotoLine);
    g_app.matchCaseDefault = ParseFlag(g_settings.matchCaseFind);

    // Without a document table no document can open; stop rather than run crippled.
    if (!AllocateDocumentTable(g_documents)) {
        ReportError(Message::CantAllocateMemory);
        return nullptr;
    }

    RECT r = InitialFrameRectangle();
    RegisterWindowClasses(instance);
    HMENU menu = LoadMenuA(instance, TAVO_RESOURCE_NAME);
    g_app.frame = CreateWindowExA(0, kProductName, kProductName, WS_OVERLAPPEDWINDOW, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, nullptr, menu, instance, commandLine);
    if (!g_app.frame) {
        ReportError(Message::CantCreateWindow);
        return nullptr;
    }

    AppendUtilityItems(g_app.frame);
    AppendCommandItems(g_app.frame);
    GrayUnbuiltCommands(g_app.menu);  // the user's commands appended just now
    RunAutoRunUtilities(g_app.frame);

    ShowWindow(g_app.frame, showCommand);
    UpdateWindow(g_app.frame);
    g_app.accelerators = BuildAcceleratorTable(instance, g_app.accelerators);
    // Files from a file association or a drag onto the icon, into the shown frame.
    if (commandLine) OpenNamedFiles(g_app.frame, CommandLineNames(commandLine));
    return g_app.frame;
}

int RunMessageLoop()
{
    MSG message;
    for (;;) {
        BOOL result = GetMessageA(&message, nullptr, 0, 0);
        if (result == 0) break;
        if (result == -1) {
            MessageBeep(MB_ICONEXCLAMATION);
            continue;
        }
        WatchForKeywordHover(message);
        if (TakeCompletionKey(message)) continue;
        if (g_app.findDialog && IsDialogMessageA(g_app.findDialog, &message)) continue;
        // Tab and Enter move through the Edit Commands dialog as in any dialog.
        if (HWND commands = EditCommandsDialog(); commands && IsDialogMessageA(commands, &message)) continue;
        if (HWND check = CheckProgramWindow(); check && IsDialogMessageA(check, &message)) continue;
        if (HWND lines = LineListWindow(); lines && IsDialogMessageA(lines, &message)) continue;
        if (JumpOnControlClick(message)) continue;
        if (g_app.mdiClient && TranslateMDISysAccel(g_app.mdiClient, &message)) continue;
        if (g_app.frame && g_app.accelerators.handle &&
            TranslateAcceleratorA(g_app.frame, g_app.accelerators.handle, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
