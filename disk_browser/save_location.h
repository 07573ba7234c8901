// The save-location dialog "A2SaveFile": the chosen image's directories, in
// which the user picks the folder and the name to save the document under.
#pragma once
#include <windows.h>

// Results of the dialog.
inline constexpr INT_PTR kSaveLocationCancelled = 0;
inline constexpr INT_PTR kSaveLocationChosen = 1;  // `CurrentPrefix` + `SelectedAppleName` say where
inline constexpr INT_PTR kSaveLocationLeftImage = 2;  // the user went up out of the volume directory

// Shows the dialog over `frame` for the image in `g_browser`, proposing
// `SelectedAppleName`. The frame also carries out the row commands.
INT_PTR ShowSaveLocationDialog(HWND frame);
