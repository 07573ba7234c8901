// Process-wide state of the application shell: the windows of the frame,
// the paths formed at start-up and the flags other commands consult.
#pragma once
#include "resources/resource.h"
#include <windows.h>
#include <commdlg.h>

#include <string>


inline constexpr const char* kProductName = TAVO_RESOURCE_NAME;

// The texts and choices shared by the Find and Replace dialogs and Find Next.
inline constexpr int kFindTextBytes = 256;
struct FindState {
    char findText[kFindTextBytes] = {};
    char replaceText[kFindTextBytes] = {};
    FINDREPLACEA request = {};  // the dialog's; its Flags keep the user's last choice
};

// The run-time accelerator table. A table loaded from the resources belongs
// to the system and is never destroyed; only one this program created is.
struct AcceleratorTable {
    HACCEL handle = nullptr;
    bool created = false;
};

struct App {
    HINSTANCE instance = nullptr;
    HWND frame = nullptr;
    HWND mdiClient = nullptr;
    HWND toolbar = nullptr;
    HWND fontNameBox = nullptr;
    HWND fontSizeBox = nullptr;
    HWND toolTips = nullptr;
    HWND statusBar = nullptr;
    HWND clipboardCarrier = nullptr;
    HWND findDialog = nullptr;          // modeless find/replace, null while closed
    FindState find;
    HMENU menu = nullptr;
    HMENU windowMenu = nullptr;
    HMODULE richEdit32 = nullptr;
    HMODULE richEdit20 = nullptr;
    HCURSOR waitCursor = nullptr;
    HCURSOR arrowCursor = nullptr;
    HFONT comboFont = nullptr;
    AcceleratorTable accelerators;
    bool menuRefresh = false;  // gray the document commands at the next default handling
    PAGESETUPDLGA pageSetup = {};

    std::string startDirectory;
    std::string helpPath;

    bool gotoHighlightDefault = false;
    bool matchCaseDefault = false;
    std::string gotoLineText;  // the last line number asked for, kept between uses

    bool runSavesInstead = false;  // Run edited Program types SAVE instead of RUN
};

extern App g_app;

