// The frame's rectangle saved in "MainWindowSize", brought back onto a screen
// at start-up: values edited by hand, or saved while the frame was off-screen,
// would otherwise open it out of sight every time. Portable.
#pragma once

// Edges in screen pixels; right and bottom are exclusive, as in a Win32 RECT.
struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The saved "Left", "Top", "Wide" and "High" are any int each; a negative
// size counts as 0.

// Whether a saved size leaves room for the menu, the toolbar, a few lines
// and the status bar; a smaller one opens at the first-run size instead.
constexpr int kSmallestFrameWide = 240;
constexpr int kSmallestFrameHigh = 160;
constexpr bool UsableFrameSize(int wide, int high) { return wide >= kSmallestFrameWide && high >= kSmallestFrameHigh; }

// The rectangle they describe, for finding the monitor nearest to it: the
// far edges stop at the end of the int range instead of overflowing.
ScreenRect SavedFrameRectangle(int left, int top, int wide, int high);

// The frame inside `workArea`: its size is kept where it fits and shrunk
// where it does not, and it moves just far enough to lie wholly inside.
ScreenRect FitInWorkArea(int left, int top, int wide, int high, const ScreenRect& workArea);
