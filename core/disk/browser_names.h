// What the Apple file browser has picked, read by the commands that open,
// save and change Apple files: the image, the directory shown and the names.
#pragma once
#include <string>

struct AppleBrowserNames {
    std::string imagePath;   // full path of the picked disk image
    std::string imageTitle;  // its file name alone
    int extensionIndex = 0;  // `ImageExtensionIndex` of the picked name
    int layout = 0;          // `ImageLayout` found when it was listed
    std::string currentPrefix;      // `CurrentPrefix`: "/VOL/SUB/", "" on DOS 3.3
    std::string selectedAppleName;  // `SelectedAppleName`: the row acted on, or the name to save under
    std::string newAppleName;       // `NewAppleName`: the new name of a rename
};

extern AppleBrowserNames g_browser;
