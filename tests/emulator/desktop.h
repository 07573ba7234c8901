// What the emulator tests share: the one foreground window and the one
// clipboard of the desktop.
#pragma once
#include <windows.h>

#include <cstring>
#include <string>

// Held for a whole test, this lock keeps the emulator tests from running into
// each other when ctest runs tests in parallel.
class DesktopLock {
public:
    DesktopLock() : mutex_(CreateMutexA(nullptr, FALSE, "TAVO emulator tests")) {
        // An abandoned lock (a test that crashed) is ours all the same.
        if (mutex_) WaitForSingleObject(mutex_, INFINITE);
    }
    ~DesktopLock()
    {
        if (!mutex_) return;
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
    DesktopLock(const DesktopLock&) = delete;
    DesktopLock& operator=(const DesktopLock&) = delete;

private:
    HANDLE mutex_;
};

// The clipboard's CF_TEXT, or a note in angle brackets when there is none.
inline std::string ClipboardText()
{
    std::string text = "<clipboard busy>";
    if (!OpenClipboard(nullptr)) return text;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    text = bytes ? bytes : "<no text>";
    if (bytes) GlobalUnlock(data);
    CloseClipboard();
    return text;
}

// Puts `text` on the clipboard as the user's copy would; false when the
// clipboard could not be had.
inline bool PutOnClipboard(const std::string& text)
{
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    return true;
}
