// Fitting the saved frame rectangle onto a screen's work area.
#include "core/settings/main_window_size.h"

#include <algorithm>
#include <climits>

namespace {

int Saturated(long long value) { return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX)); }

// One axis: the start and length fitted between `low` and `high`.
void FitAxis(long long start, long long length, long long low, long long high, int& fittedStart, int& fittedEnd)
{
    length = std::clamp(length, 0LL, std::max(high - low, 0LL));
    start = std::clamp(start, low, std::max(low, high - length));
    fittedStart = Saturated(start);
    fittedEnd = Saturated(start + length);
}

}  // namespace

ScreenRect SavedFrameRectangle(int left, int top, int wide, int high)
{
    return {left, top, Saturated(static_cast<long long>(left) + std::max(wide, 0)),
            Saturated(static_cast<long long>(top) + std::max(high, 0))};
}

ScreenRect FitInWorkArea(int left, int top, int wide, int high, const ScreenRect& workArea)
{
    ScreenRect fitted;
    FitAxis(left, wide, workArea.left, workArea.right, fitted.left, fitted.right);
    FitAxis(top, high, workArea.top, workArea.bottom, fitted.top, fitted.bottom);
    return fitted;
}
