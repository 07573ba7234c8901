#pragma once
#include <windows.h>

// Whether a key is held at the moment a file is opened; tests pass their own.
using KeyHeld = bool (*)(int virtualKey);
inline bool KeyHeldNow(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }
