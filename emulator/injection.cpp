// Typing text into the emulator through the clipboard and Shift+Insert.
#include "emulator/injection.h"

#include <cstring>
#include <string>
#include <vector>

#include "emulator/emulator_window.h"
#include "shell/app.h"
#include "shell/report_error.h"

namespace {

constexpr DWORD kComeToFrontMs = 300;  // the emulator's activation settles before the keys
constexpr DWORD kInsertHeldMs = 100;
// The emulator reads the clipboard as it handles Shift+Insert; the user's
// text goes back on it only well after that.
constexpr UINT kRestoreAfterMs = 1500;
constexpr int kClipboardTries = 10;  // another program may hold the clipboard a moment
constexpr DWORD kClipboardRetryMs = 10;

struct SavedFormat {
    UINT format;
    std::vector<char> bytes;
};

// The user's clipboard while an injection's text is on it.
struct HeldClipboard {
    bool held = false;
    DWORD sequence = 0;  // the clipboard's sequence number once our text was on it
    UINT_PTR timer = 0;
    std::vector<SavedFormat> formats;
};

HeldClipboard g_held;
bool g_injecting = false;

bool OpenClipboardSoon()
{
    for (int i = 0; i < kClipboardTries; ++i) {
        if (OpenClipboard(g_app.frame)) return true;
        Sleep(kClipboardRetryMs);
    }
    return false;
}

// The text formats: what a user copies from an editor and expects back.
std::vector<UINT> TextFormats()
{
    return {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT, CF_LOCALE, RegisterClipboardFormatA("Rich Text Format")};
}

std::vector<SavedFormat> ReadTextFormats()
{
    std::vector<SavedFormat> saved;
    for (UINT format : TextFormats()) {
        HANDLE data = IsClipboardFormatAvailable(format) ? GetClipboardData(format) : nullptr;
        const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
        if (!bytes) continue;
        saved.push_back({format, std::vector<char>(bytes, bytes + GlobalSize(data))});
        GlobalUnlock(data);
    }
    return saved;
}

bool PutBlock(UINT format, const char* bytes, size_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    char* to = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
    if (!to) {
        if (block) GlobalFree(block);
        return false;
    }
    std::memcpy(to, bytes, size);
    GlobalUnlock(block);
    if (SetClipboardData(format, block)) return true;
    GlobalFree(block);
    return false;
}

void ForgetHeldClipboard()
{
    if (g_held.timer) KillTimer(nullptr, g_held.timer);
    g_held = {};
}

// Puts the user's text back, unless something else has taken the clipboard since.
void GiveClipboardBack()
{
    if (!g_held.held) return;
    if (GetClipboardSequenceNumber() == g_held.sequence && OpenClipboardSoon()) {
        EmptyClipboard();
        for (const SavedFormat& saved : g_held.formats) PutBlock(saved.format, saved.bytes.data(), saved.bytes.size());
        CloseClipboard();
    }
    ForgetHeldClipboard();
}

void CALLBACK GiveClipboardBackLater(HWND, UINT, UINT_PTR, DWORD) { GiveClipboardBack(); }

// Our text on the clipboard as CF_TEXT, the user's formats kept. While an
// earlier injection's text is still there, what it replaced is kept instead.
bool PutTextOnClipboard(std::string_view text)
{
    if (!OpenClipboardSoon()) return false;
    bool ours = g_held.held && GetClipboardSequenceNumber() == g_held.sequence;
    std::vector<SavedFormat> formats = ours ? g_held.formats : ReadTextFormats();
    std::string terminated(text);
    bool put = EmptyClipboard() && PutBlock(CF_TEXT, terminated.c_str(), terminated.size() + 1);
    CloseClipboard();
    ForgetHeldClipboard();
    g_held.held = true;
    g_held.formats = std::move(formats);
    g_held.sequence = GetClipboardSequenceNumber();
    if (!put) GiveClipboardBack();
    return put;
}

// Waits without taking posted messages or input, but answers the messages
// other threads send (activation, the clipboard), so that no program waits
// on us meanwhile.
void WaitAnsweringSentMessages(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    for (DWORD elapsed = 0; elapsed < milliseconds; elapsed = GetTickCount() - start) {
        MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds - elapsed, QS_SENDMESSAGE, 0);
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

INPUT Key(WORD key, bool up, bool extended = false)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

// Ctrl, Alt or Shift still held from the shortcut that started the command
// would turn Shift+Insert into another key for the emulator.
void ReleaseHeldModifiers(std::vector<INPUT>& keys)
{
    struct Pair {
        WORD either, left, right;
    };
    constexpr Pair kModifiers[] = {{VK_SHIFT, VK_LSHIFT, VK_RSHIFT},
                                   {VK_CONTROL, VK_LCONTROL, VK_RCONTROL},
                                   {VK_MENU, VK_LMENU, VK_RMENU}};
    auto held = [](WORD key) { return (GetAsyncKeyState(key) & 0x8000) != 0; };
    for (const Pair& m : kModifiers) {
        bool left = held(m.left), right = held(m.right);
        if (left) keys.push_back(Key(m.left, true));
        if (right) keys.push_back(Key(m.right, true, m.right != VK_RSHIFT));
        if (!left && !right && held(m.either)) keys.push_back(Key(m.either, true));
    }
}

void SendKeys(std::vector<INPUT> keys) { SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)); }

void SendPasteKeystroke()
{
    std::vector<INPUT> down;
    ReleaseHeldModifiers(down);
    down.push_back(Key(VK_SHIFT, false));
    down.push_back(Key(VK_INSERT, false, true));
    SendKeys(down);
    WaitAnsweringSentMessages(kInsertHeldMs);
    SendKeys({Key(VK_INSERT, true, true), Key(VK_SHIFT, true)});
}

bool BringToFront(HWND emulator)
{
    if (IsIconic(emulator)) ShowWindow(emulator, SW_RESTORE);
    SetForegroundWindow(emulator);
    WaitAnsweringSentMessages(kComeToFrontMs);
    return GetForegroundWindow() == emulator;
}

}  // namespace

bool InjectText(std::string_view text, AfterPaste after)
{
    if (g_injecting) return false;  // a message answered while waiting asked for another
    g_injecting = true;
    bool typed = false;
    if (HWND emulator = FindEmulatorWindow()) {
        if (!PutTextOnClipboard(text)) {
            ReportError(Message::CantAllocateMemory, {}, 0, g_app.frame);
        } else if (!BringToFront(emulator)) {
            GiveClipboardBack();
            ReportError(Message::EmulatorNotInFront, {}, 0, g_app.frame);
        } else {
            SendPasteKeystroke();
            g_held.timer = SetTimer(nullptr, 0, kRestoreAfterMs, GiveClipboardBackLater);
            if (after == AfterPaste::FrameToFront && g_app.frame) SetForegroundWindow(g_app.frame);
            typed = true;
        }
    }
    g_injecting = false;
    return typed;
}
