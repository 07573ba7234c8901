// The emulator tests use the one foreground window and the one clipboard of
// the desktop: held for a whole test, this lock keeps them from running into
// each other when ctest runs tests in parallel.
#pragma once
#include <windows.h>

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
