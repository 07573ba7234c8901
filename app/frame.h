// The frame window: MDI frame with menu bar, toolbar, font boxes, status bar
// and the hidden clipboard carrier.
#pragma once
#include <windows.h>

LRESULT CALLBACK FrameWndProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);

