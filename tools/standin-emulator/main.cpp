// Stand-in for an Apple II emulator in the Windows tests: one top-level window
// with the title given on the command line that appends every paste of
// clipboard text (Shift+Insert, or WM_PASTE) to a record file, byte for byte.
//
//   standin_emulator.exe "<window title>" "<record file path>" ["<disk image>"]
//
// A disk image named third is held open as a running emulator holds the
// image it has mounted: others may read it, nobody may write it.
//
// Once the window is up, "<record file path>.ready" exists. WM_CLOSE ends the
// program with exit code 0; bad arguments end it with 2 before any window.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr char kClassName[] = "TavoStandinEmulator";
constexpr int kWindowWidth = 400;            // pixels
constexpr int kWindowHeight = 300;           // pixels
constexpr int kClipboardTries = 50;          // the clipboard may be held a moment by its owner
constexpr DWORD kClipboardRetryMs = 10;
constexpr LPARAM kKeyWasDown = 0x40000000;   // WM_KEYDOWN lParam bit 30: an auto-repeat
constexpr size_t kShownLimit = 64 * 1024;    // bytes of pasted text kept for painting
constexpr int kMargin = 4;                   // pixels around the text
constexpr COLORREF kPhosphor = RGB(64, 255, 64);
constexpr COLORREF kScreen = RGB(0, 0, 0);

struct Standin {
    std::string recordPath;
    std::string shown;   // the tail of everything pasted, for painting
};

Standin g_standin;

// Reads the CF_TEXT clipboard text. The block may be larger than the text, and
// a careless owner may leave out the terminator: never read past GlobalSize.
bool ReadClipboardText(HWND hwnd, std::string& out)
{
    bool open = false;
    for (int i = 0; i < kClipboardTries && !open; ++i) {
        open = OpenClipboard(hwnd) != 0;
        if (!open)
            Sleep(kClipboardRetryMs);
    }
    if (!open)
        return false;
    bool ok = false;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        const SIZE_T size = GlobalSize(data);
        if (const char* text = static_cast<const char*>(GlobalLock(data))) {
            const void* end = std::memchr(text, 0, size);
            const size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - text) : size;
            out.assign(text, length);
            GlobalUnlock(data);
            ok = true;
        }
    }
    CloseClipboard();
    return ok;
}

// Opened and closed for every paste so that a test can read the file at once.
bool AppendToRecord(std::string_view bytes)
{
    HANDLE file = CreateFileA(g_standin.recordPath.c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    while (ok && !bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        ok = WriteFile(file, bytes.data(), chunk, &written, nullptr) && written > 0;
        bytes.remove_prefix(ok ? written : 0);
    }
    CloseHandle(file);
    return ok;
}

bool CreateEmptyFile(const std::string& path, DWORD disposition)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

void Paste(HWND hwnd)
{
    std::string text;
    if (!ReadClipboardText(hwnd, text) || text.empty())
        return;
    AppendToRecord(text);
    g_standin.shown += text;
    if (g_standin.shown.size() > kShownLimit)
        g_standin.shown.erase(0, g_standin.shown.size() - kShownLimit);
    InvalidateRect(hwnd, nullptr, TRUE);
}

// The pasted text as screen lines: CR, LF and CR LF each end a line, as the
// emulator would take a carriage return; control characters show as '.'.
std::vector<std::string> ScreenLines(std::string_view text)
{
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(text[i]);
        if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += ch < 32 ? '.' : static_cast<char>(ch);
        }
    }
    lines.back() += ']';   // the prompt waiting for the next line
    return lines;
}

void OnPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    SetTextColor(dc, kPhosphor);
    SetBkColor(dc, kScreen);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    RECT client;
    GetClientRect(hwnd, &client);
    const int lineHeight = tm.tmHeight > 0 ? tm.tmHeight : 1;
    const int fit = (client.bottom - 2 * kMargin) / lineHeight;
    const std::vector<std::string> lines = ScreenLines(g_standin.shown);
    // The newest lines stay in view, as on a scrolling text screen.
    const size_t first = fit > 0 && lines.size() > static_cast<size_t>(fit) ? lines.size() - fit : 0;
    int y = kMargin;
    for (size_t i = first; i < lines.size(); ++i, y += lineHeight)
        TextOutA(dc, kMargin, y, lines[i].c_str(), static_cast<int>(lines[i].size()));
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

bool OnKeyDown(HWND hwnd, UINT key, LPARAM lp)
{
    if (key != VK_INSERT || (GetKeyState(VK_SHIFT) & 0x8000) == 0)
        return false;
    if ((lp & kKeyWasDown) == 0)   // one press, one paste, however long it is held
        Paste(hwnd);
    return true;
}

LRESULT CALLBACK StandinWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT:   OnPaint(hwnd); return 0;
    case WM_KEYDOWN: if (OnKeyDown(hwnd, static_cast<UINT>(wp), lp)) return 0; break;
    case WM_PASTE:   Paste(hwnd); return 0;
    case WM_CLOSE:   DestroyWindow(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if ((__argc != 3 && __argc != 4) || __argv[1][0] == '\0' || __argv[2][0] == '\0')
        return 2;
    g_standin.recordPath = __argv[2];

    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = StandinWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc))
        return 3;

    // Mounted before the window shows, so a test that sees the window finds the image held.
    HANDLE mounted = INVALID_HANDLE_VALUE;
    if (__argc == 4) {
        mounted = CreateFileA(__argv[3], GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (mounted == INVALID_HANDLE_VALUE)
            return 4;
    }
    HWND hwnd = CreateWindowExA(0, kClassName, __argv[1], WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
    if (!hwnd)
        return 3;
    // Always shown, whatever the starter asked for: the program under test
    // must find it among the visible top-level windows.
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);

    // The record exists from the start, so "nothing was typed" reads as an
    // empty file; earlier contents are kept, never truncated.
    if (!CreateEmptyFile(g_standin.recordPath, OPEN_ALWAYS) ||
        !CreateEmptyFile(g_standin.recordPath + ".ready", CREATE_ALWAYS)) {
        DestroyWindow(hwnd);
        return 4;
    }

    MSG msg;
    BOOL got;
    while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1)
            break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (mounted != INVALID_HANDLE_VALUE)
        CloseHandle(mounted);
    return got == -1 ? 5 : static_cast<int>(msg.wParam);
}
