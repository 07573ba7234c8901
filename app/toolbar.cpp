// The toolbar: file and edit buttons, the font-name and font-size boxes
// (sitting over a run of separators) and the formatting buttons.
#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <string>

#include "app/app.h"
#include "app/frame.h"
#include "resources/report_error.h"
#include "resources/resource.h"
#include "settings/setting_values.h"
#include "settings/settings.h"

namespace {

constexpr int kFirstButtonCount = 10;  // the toolbar is created with these, the rest are added
// A drop-down combo box's height includes its list: keep room for the list
// rather than the button's height, or the list would open empty.
constexpr int kDropDownHeight = 300;

// Image numbers below 15 are the standard small images; "own" numbers index
// our strip and are offset by its first index once it has been added.
struct ButtonDef {
    int image;
    int command;
    BYTE state;
    BYTE style;
};
constexpr BYTE kEnabled = TBSTATE_ENABLED;
constexpr BYTE kHidden = TBSTATE_HIDDEN;
constexpr BYTE kSep = TBSTYLE_SEP;
constexpr BYTE kButton = TBSTYLE_BUTTON;
constexpr BYTE kCheck = TBSTYLE_CHECK;

constexpr ButtonDef kButtons[33] = {
    {STD_FILENEW, IDM_NEW_POPUP, kEnabled, kButton},        // 0
    {STD_FILEOPEN, IDM_OPEN, kEnabled, kButton},            // 1
    {STD_FILESAVE, IDM_SAVE, kEnabled, kButton},            // 2
    {STD_PRINT, IDM_PRINT, kEnabled, kButton},              // 3
    {0, 0, kEnabled, kSep},                                 // 4
    {STD_CUT, IDM_CUT, kEnabled, kButton},                  // 5
    {STD_COPY, IDM_COPY, kEnabled, kButton},                // 6
    {STD_PASTE, IDM_PASTE, kEnabled, kButton},              // 7
    {STD_FIND, IDM_FIND, kEnabled, kButton},                // 8
    {0, 0, kEnabled, kSep},                                 // 9
    {0, 0, kHidden, kSep},                                  // 10
    {1, IDM_INJECT_TEXT, kEnabled, kButton},                // 11
    {0, 0, kHidden, kSep},                                  // 12
    {3, IDM_RUN_PROGRAM, kEnabled, kButton},                // 13
    {0, 0, kHidden, kSep},                                  // 14
    {5, IDM_HELP_CONTENTS, kEnabled, kButton},              // 15
    {0, 0, kEnabled, kSep},                                 // 16-22: room for the boxes
    {0, 0, kEnabled, kSep},
    {0, 0, kEnabled, kSep},
    {0, 0, kEnabled, kSep},
    {0, 0, kEnabled, kSep},
    {0, 0, kEnabled, kSep},
    {0, 0, kEnabled, kSep},
    {6, IDM_BOLD, kEnabled, kCheck},                        // 23
    {7, IDM_ITALIC, kEnabled, kCheck},                      // 24
    {8, IDM_UNDERLINE, kEnabled, kCheck},                   // 25
    {0, 0, kHidden, kSep},                                  // 26
    {9, IDM_TEXT_COLOR, kEnabled, kButton},                 // 27
    {0, 0, kHidden, kSep},                                  // 28
    {0, 0, kHidden, kSep},                                  // 29
    {11, IDM_ALIGN_LEFT, kEnabled, kCheck},                 // 30
    {12, IDM_ALIGN_CENTER, kEnabled, kCheck},               // 31
    {13, IDM_ALIGN_RIGHT, kEnabled, kCheck},                // 32
};

constexpr const char* kFontSizes[] = {"6",  "7",  "8",  "9",  "10", "11", "12", "14", "16", "18",
                                      "20", "22", "24", "26", "28", "32", "36", "48", "72"};

TBBUTTON ToTbButton(const ButtonDef& d, int imageOffset)
{
    TBBUTTON b = {};
    b.iBitmap = d.image + imageOffset;
    b.idCommand = d.command;
    b.fsState = d.state;
    b.fsStyle = d.style;
    return b;
}

RECT ItemRect(int index)
{
    RECT r = {};
    SendMessageA(g_app.toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return r;
}

int CALLBACK AddFontFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM box)
{
    SendMessageA(reinterpret_cast<HWND>(box), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
    return 1;
}

HFONT CreateComboFont(HWND box)
{
    bool a2like = g_settings.fontName == "A2like";
    HDC dc = GetDC(box);
    int height = -MulDiv(a2like ? 12 : 9, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(box, dc);
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             a2like ? "A2like" : "MS Sans Serif");
    if (!font) ReportError(Message::DefaultFontProblem);
    return font;
}

void CreateFontBoxes(HWND frame)
{
    RECT b17 = ItemRect(17), b21 = ItemRect(21), b22 = ItemRect(22), b23 = ItemRect(23);
    int left = b17.left - 19;
    g_app.fontNameBox = CreateWindowExA(0, "COMBOBOX", "", 0x54200142, left, b17.top - 1, b21.left - left, 300,
                                        frame, reinterpret_cast<HMENU>(IDC_FONT_NAME_BOX), g_app.instance, nullptr);
    left = b22.left - 20;
    g_app.fontSizeBox = CreateWindowExA(0, "COMBOBOX", "", 0x54200042, left, b22.top - 1, b23.left - left - 9, 300,
                                        frame, reinterpret_cast<HMENU>(IDC_FONT_SIZE_BOX), g_app.instance, nullptr);
    if (!g_app.fontNameBox || !g_app.fontSizeBox) return;

    SetParent(g_app.fontNameBox, g_app.toolbar);
    g_app.comboFont = CreateComboFont(g_app.fontNameBox);
    if (g_app.comboFont) SendMessageA(g_app.fontNameBox, WM_SETFONT, reinterpret_cast<WPARAM>(g_app.comboFont), TRUE);
    HDC dc = GetDC(g_app.fontNameBox);
    EnumFontFamiliesA(dc, nullptr, AddFontFamily, reinterpret_cast<LPARAM>(g_app.fontNameBox));
    ReleaseDC(g_app.fontNameBox, dc);
    ShowInFontBox(g_app.fontNameBox, g_settings.fontName);

    SetParent(g_app.fontSizeBox, g_app.toolbar);
    if (g_app.comboFont) SendMessageA(g_app.fontSizeBox, WM_SETFONT, reinterpret_cast<WPARAM>(g_app.comboFont), TRUE);
    for (const char* size : kFontSizes)
        SendMessageA(g_app.fontSizeBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
    ShowInFontBox(g_app.fontSizeBox, g_settings.fontSize);
}

void AddTip(int button, LPSTR text)
{
    TOOLINFOA tip = {};
    tip.cbSize = sizeof tip;
    tip.uFlags = TTF_SUBCLASS;
    tip.hwnd = g_app.toolbar;
    tip.uId = static_cast<UINT_PTR>(button);
    tip.rect = ItemRect(button);
    tip.hinst = g_app.instance;
    tip.lpszText = text;
    SendMessageA(g_app.toolTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tip));
}

void CreateToolTips(HWND frame)
{
    g_app.toolTips = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, frame, nullptr, g_app.instance, nullptr);
    static char kHelp[] = "Help";
    static char kNone[] = "";
    for (int i = 0; i <= 17; ++i) {
        if (i == 4 || i == 9 || i == 10 || i == 12 || i == 14 || i == 16) continue;
        // Tips of the first buttons are string resources numbered as their commands.
        if (i == 15) AddTip(i, kHelp);
        else if (kButtons[i].command) AddTip(i, MAKEINTRESOURCEA(kButtons[i].command));
        else AddTip(i, kNone);
    }
    static char kTips[][24] = {"Bold Text", "Italic Text", "Underlined Text", "", "Text Color",
                               "", "", "Left Justify", "Center", "Right Justify"};
    for (int i = 23; i <= 32; ++i) {
        if (i == 26 || i == 29) continue;
        AddTip(i, kTips[i - 23]);
    }
    SendMessageA(g_app.toolbar, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(g_app.toolTips), 0);
}

}  // namespace

void ShowInFontBox(HWND box, const std::string& text)
{
    LRESULT index = SendMessageA(box, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(box, CB_SETCURSEL, index, 0);
    // A face that is not installed is still the one asked for: show its name.
    if (index == CB_ERR) SetWindowTextA(box, text.c_str());
    SendMessageA(box, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
}

void CreateToolbar(HWND frame)
{
    TBBUTTON first[kFirstButtonCount];
    for (int i = 0; i < kFirstButtonCount; ++i) first[i] = ToTbButton(kButtons[i], 0);
    g_app.toolbar = CreateToolbarEx(frame, 0x50000A60, IDC_TOOLBAR, 15, HINST_COMMCTRL, IDB_STD_SMALL_COLOR, first,
                                    kFirstButtonCount, 0, 0, 16, 15, sizeof(TBBUTTON));
    if (!g_app.toolbar) return;

    TBADDBITMAP view = {HINST_COMMCTRL, IDB_VIEW_SMALL_COLOR};
    SendMessageA(g_app.toolbar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&view));
    // Loaded with its light gray mapped to the button face, so the strip's
    // background matches whatever colour scheme the toolbar is drawn in.
    HBITMAP strip = static_cast<HBITMAP>(LoadImageA(g_app.instance, MAKEINTRESOURCEA(IDB_TOOLBAR), IMAGE_BITMAP, 0,
                                                    0, LR_LOADMAP3DCOLORS));
    TBADDBITMAP own = {nullptr, reinterpret_cast<UINT_PTR>(strip)};
    int ownFirst = static_cast<int>(SendMessageA(g_app.toolbar, TB_ADDBITMAP, 10, reinterpret_cast<LPARAM>(&own)));

    // The offset is added to the separators too, where it is their width:
    // that is what leaves room for the two font boxes over entries 16-22.
    TBBUTTON rest[33 - kFirstButtonCount];
    for (int i = kFirstButtonCount; i < 33; ++i) rest[i - kFirstButtonCount] = ToTbButton(kButtons[i], ownFirst);
    SendMessageA(g_app.toolbar, TB_ADDBUTTONSA, 28 - kFirstButtonCount, reinterpret_cast<LPARAM>(rest));
    SendMessageA(g_app.toolbar, TB_ADDBUTTONSA, 5, reinterpret_cast<LPARAM>(rest + (28 - kFirstButtonCount)));

    CreateFontBoxes(frame);
    ShowWindow(g_app.toolbar, SW_SHOW);
    CreateToolTips(frame);
}

void LayOutToolbar(int)
{
    SendMessageA(g_app.toolbar, TB_AUTOSIZE, 0, 0);
    if (g_app.fontSizeBox) {
        RECT r = ItemRect(21);
        MoveWindow(g_app.fontSizeBox, r.left, r.top, r.right - r.left + 15, kDropDownHeight, FALSE);
        SendMessageA(g_app.fontSizeBox, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
    }
    if (g_app.fontNameBox) {
        RECT from = ItemRect(16), to = ItemRect(20);
        MoveWindow(g_app.fontNameBox, from.left, from.top, to.right - from.left, kDropDownHeight, TRUE);
        SendMessageA(g_app.fontNameBox, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
    }
}
