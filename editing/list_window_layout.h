// What the windows of listed lines (Check Program, Lines That Jump Here, the
// references renumbering left) share: a summary over a list, placed over
// the lower part of the frame.
#pragma once
#include <windows.h>

#include <span>

struct LineListColumn {
    const char* title;
    int width;  // pixels
};

// The summary across the top at its own height, the list filling the rest.
void LayOutSummaryAndList(HWND dialog, int summaryId, int listId, int width, int height);
// Over the lower part of the frame, so the program stays in sight above it.
void PlaceOverFrame(HWND dialog, HWND frame);
// The list's columns, in place of those it had.
void SetListColumns(HWND list, std::span<const LineListColumn> columns);
