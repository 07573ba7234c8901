// The saved frame rectangle brought onto a screen's work area.
#include "core/settings/main_window_size.h"

#include <gtest/gtest.h>

#include <climits>

TEST(MainWindowSize, SavedRectanglesComeBackOntoTheWorkArea)
{
    const ScreenRect area = {0, 30, 1280, 1024};  // a task bar along the top
    struct Row {
        const char* name;
        int left, top, wide, high;
        ScreenRect fitted;
    } rows[] = {
        {"fits as it is", 31, 47, 702, 455, {31, 47, 733, 502}},
        {"far off to the top left", -100000, -100000, 640, 480, {0, 30, 640, 510}},
        {"past the right and bottom", 5000, 4000, 640, 480, {640, 544, 1280, 1024}},
        {"half off the left", -320, 100, 640, 480, {0, 100, 640, 580}},
        {"larger than the screen", 10, 10, 5000, 5000, {0, 30, 1280, 1024}},
        {"the largest numbers", INT_MAX, INT_MAX, INT_MAX, INT_MAX, {0, 30, 1280, 1024}},
        {"the smallest numbers", INT_MIN, INT_MIN, INT_MIN, INT_MIN, {0, 30, 0, 30}},
        {"negative size", 100, 100, -50, 200, {100, 100, 100, 300}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScreenRect fitted = FitInWorkArea(row.left, row.top, row.wide, row.high, area);
        EXPECT_EQ(fitted, row.fitted);
    }
}

TEST(MainWindowSize, FarEdgesStopAtTheEndOfTheIntRange)
{
    EXPECT_EQ(SavedFrameRectangle(INT_MAX, -5, INT_MAX, INT_MAX), (ScreenRect{INT_MAX, -5, INT_MAX, INT_MAX - 5}));
    EXPECT_EQ(SavedFrameRectangle(INT_MIN, 0, INT_MAX, -10), (ScreenRect{INT_MIN, 0, -1, 0}));
    // A work area with no room leaves an empty frame at its corner.
    EXPECT_EQ(FitInWorkArea(0, 0, 100, 100, {50, 50, 40, 40}), (ScreenRect{50, 50, 50, 50}));
}
