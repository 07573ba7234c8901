#pragma once
// Holds a rich edit control's undo recording off while its colours change,
// so that Ctrl+Z undoes the user's last edit and never a recolouring.
#include <windows.h>

class UndoPause {
public:
    explicit UndoPause(HWND editor);
    ~UndoPause();
    UndoPause(const UndoPause&) = delete;
    UndoPause& operator=(const UndoPause&) = delete;

private:
    HWND editor_;
};
