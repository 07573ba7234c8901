// The toolbar: file and edit buttons, the font-name and font-size boxes
// (sitting over a run of separators kept as room for them) and the
// formatting buttons. Everything about a button is its row in one table.
#include "app/toolbar.h"

#include <commctrl.h>

#include <iterator>
#include <string>

#include "app/commands.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/report_error.h"
#include "shell/settings.h"
#include "shell/status_readout.h"

namespace {

constexpr DWORD kToolbarStyle =
    WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_WRAPABLE | CCS_NODIVIDER | CCS_ADJUSTABLE;
constexpr DWORD kFontSizeBoxStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
constexpr DWORD kFontNameBoxStyle = kFontSizeBoxStyle | CBS_SORT;
constexpr int kImageWidth = 16;  // pixels, in both strips
constexpr int kImageHeight = 15;
constexpr int kStandardImageCount = 15;  // IDB_STD_SMALL_COLOR
constexpr int kRoomWidth = 27;           // pixels of each separator the boxes cover
// A drop-down combo box's height includes its list: keep room for the list
// rather than the button's height, or the list would open empty.
constexpr int kDropDownHeight = 300;

enum class Strip { None, Standard, Own };  // Standard: the common controls' small images
enum class Room { None, FontName, FontSize };
enum class Tip { None, Strings, Text };    // Strings: the string resource numbered as the command

struct ToolbarItem {
    UINT command;  // 0 for a separator
    Strip strip;
    int image;     // in its strip; a separator's width in pixels (0 for the default)
    BYTE style;
    BYTE state;
    Room room;
    Tip tip;
    const char* tipText;
};

constexpr ToolbarItem Button(UINT command, Strip strip, int image, const char* tip = nullptr, BYTE style = TBSTYLE_BUTTON)
{
    return {command, strip, image, style, TBSTATE_ENABLED, Room::None, tip ? Tip::Text : Tip::Strings, tip};
}
constexpr ToolbarItem Check(UINT command, int ownImage, const char* tip)
{
    return Button(command, Strip::Own, ownImage, tip, TBSTYLE_CHECK);
}
constexpr ToolbarItem Separator() { return {0, Strip::None, 0, TBSTYLE_SEP, TBSTATE_ENABLED, Room::None, Tip::None, nullptr}; }
constexpr ToolbarItem Hidden(const char* tip = nullptr)
{
    return {0, Strip::None, 0, TBSTYLE_SEP, TBSTATE_HIDDEN, Room::None, tip ? Tip::Text : Tip::None, tip};
}
constexpr ToolbarItem RoomFor(Room room, const char* tip = nullptr)
{
    return {0, Strip::None, kRoomWidth, TBSTYLE_SEP, TBSTATE_ENABLED, room, tip ? Tip::Text : Tip::None, tip};
}

constexpr ToolbarItem kItems[] = {
    Button(IDM_NEW_POPUP, Strip::Standard, STD_FILENEW),
    Button(IDM_OPEN, Strip::Standard, STD_FILEOPEN),
    Button(IDM_SAVE, Strip::Standard, STD_FILESAVE),
    Button(IDM_PRINT, Strip::Standard, STD_PRINT),
    Separator(),
    Button(IDM_CUT, Strip::Standard, STD_CUT),
    Button(IDM_COPY, Strip::Standard, STD_COPY),
    Button(IDM_PASTE, Strip::Standard, STD_PASTE),
    Button(IDM_FIND, Strip::Standard, STD_FIND),
    Separator(),
    Hidden(),
    Button(IDM_INJECT_TEXT, Strip::Own, 1),
    Hidden(),
    Button(IDM_RUN_PROGRAM, Strip::Own, 3),
    Hidden(),
    Button(IDM_HELP_CONTENTS, Strip::Own, 5, "Help"),
    RoomFor(Room::FontName),
    RoomFor(Room::FontName, ""),
    RoomFor(Room::FontName),
    RoomFor(Room::FontName),
    RoomFor(Room::FontName),
    RoomFor(Room::FontSize),
    RoomFor(Room::FontSize),
    Check(IDM_BOLD, 6, "Bold Text"),
    Check(IDM_ITALIC, 7, "Italic Text"),
    Check(IDM_UNDERLINE, 8, "Underlined Text"),
    Hidden(),
    Button(IDM_TEXT_COLOR, Strip::Own, 9, "Text Color"),
    Hidden(""),
    Hidden(),
    Check(IDM_ALIGN_LEFT, 11, "Left Justify"),
    Check(IDM_ALIGN_CENTER, 12, "Center"),
    Check(IDM_ALIGN_RIGHT, 13, "Right Justify"),
};

constexpr const char* kFontSizes[] = {"6",  "7",  "8",  "9",  "10", "11", "12", "14", "16", "18",
                                      "20", "22", "24", "26", "28", "32", "36", "48", "72"};

RECT ItemRect(size_t position)
{
    RECT r = {};
    SendMessageA(g_app.toolbar, TB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&r));
    return r;
}

// The rectangle of the separators kept as room for one box.
RECT RoomRect(Room room)
{
    RECT span = {};
    bool first = true;
    for (size_t i = 0; i < std::size(kItems); ++i) {
        if (kItems[i].room != room) continue;
        RECT r = ItemRect(i);
        if (first) span = r;
        else UnionRect(&span, &span, &r);
        first = false;
    }
    return span;
}

void PlaceBox(HWND box, Room room, BOOL repaint)
{
    if (!box) return;
    RECT r = RoomRect(room);
    MoveWindow(box, r.left, r.top, r.right - r.left, kDropDownHeight, repaint);
    SendMessageA(box, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
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

HWND CreateFontBox(HWND frame, Room room, DWORD style, int id)
{
    RECT r = RoomRect(room);
    return CreateWindowExA(0, "COMBOBOX", "", style, r.left, r.top, r.right - r.left, kDropDownHeight, frame,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_app.instance, nullptr);
}

void FillFontBox(HWND box)
{
    SetParent(box, g_app.toolbar);
    if (g_app.comboFont) SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(g_app.comboFont), TRUE);
    EnableWindow(box, CommandIsBuilt(static_cast<UINT>(GetDlgCtrlID(box))));
}

void CreateFontBoxes(HWND frame)
{
    g_app.fontNameBox = CreateFontBox(frame, Room::FontName, kFontNameBoxStyle, IDC_FONT_NAME_BOX);
    g_app.fontSizeBox = CreateFontBox(frame, Room::FontSize, kFontSizeBoxStyle, IDC_FONT_SIZE_BOX);
    if (!g_app.fontNameBox || !g_app.fontSizeBox) return;

    g_app.comboFont = CreateComboFont(g_app.fontNameBox);
    FillFontBox(g_app.fontNameBox);
    HDC dc = GetDC(g_app.fontNameBox);
    EnumFontFamiliesA(dc, nullptr, AddFontFamily, reinterpret_cast<LPARAM>(g_app.fontNameBox));
    ReleaseDC(g_app.fontNameBox, dc);
    ShowInFontBox(g_app.fontNameBox, g_settings.fontName);

    FillFontBox(g_app.fontSizeBox);
    for (const char* size : kFontSizes)
        SendMessageA(g_app.fontSizeBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
    ShowInFontBox(g_app.fontSizeBox, g_settings.fontSize);
}

TOOLINFOA ToolOf(size_t position)
{
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = g_app.toolbar;
    tool.uId = position;
    tool.rect = ItemRect(position);
    return tool;
}

void CreateToolTips(HWND frame)
{
    g_app.toolTips = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, frame, nullptr, g_app.instance, nullptr);
    for (size_t i = 0; i < std::size(kItems); ++i) {
        const ToolbarItem& item = kItems[i];
        if (item.tip == Tip::None) continue;
        TOOLINFOA tool = ToolOf(i);
        tool.uFlags = TTF_SUBCLASS;
        tool.hinst = g_app.instance;
        // The tool tip control only reads the text it is given.
        tool.lpszText = item.tip == Tip::Strings ? MAKEINTRESOURCEA(item.command) : const_cast<char*>(item.tipText);
        SendMessageA(g_app.toolTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMessageA(g_app.toolbar, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(g_app.toolTips), 0);
}

// A wrapped toolbar moves its buttons; each tip follows its button.
void MoveToolTips()
{
    if (!g_app.toolTips) return;
    for (size_t i = 0; i < std::size(kItems); ++i) {
        if (kItems[i].tip == Tip::None) continue;
        TOOLINFOA tool = ToolOf(i);
        SendMessageA(g_app.toolTips, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

int StripImageCount(HBITMAP strip)
{
    BITMAP picture = {};
    return GetObjectA(strip, sizeof picture, &picture) ? picture.bmWidth / kImageWidth : 0;
}

}  // namespace

void CreateToolbar(HWND frame)
{
    g_app.toolbar = CreateToolbarEx(frame, kToolbarStyle, IDC_TOOLBAR, kStandardImageCount, HINST_COMMCTRL,
                                    IDB_STD_SMALL_COLOR, nullptr, 0, 0, 0, kImageWidth, kImageHeight, sizeof(TBBUTTON));
    if (!g_app.toolbar) return;

    TBADDBITMAP view = {HINST_COMMCTRL, IDB_VIEW_SMALL_COLOR};
    SendMessageA(g_app.toolbar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&view));
    // Loaded with its light gray mapped to the button face, so the strip's
    // background matches whatever colour scheme the toolbar is drawn in.
    HBITMAP strip = static_cast<HBITMAP>(LoadImageA(g_app.instance, MAKEINTRESOURCEA(IDB_TOOLBAR), IMAGE_BITMAP, 0,
                                                    0, LR_LOADMAP3DCOLORS));
    TBADDBITMAP own = {nullptr, reinterpret_cast<UINT_PTR>(strip)};
    int ownFirst = static_cast<int>(
        SendMessageA(g_app.toolbar, TB_ADDBITMAP, StripImageCount(strip), reinterpret_cast<LPARAM>(&own)));

    TBBUTTON buttons[std::size(kItems)] = {};
    for (size_t i = 0; i < std::size(kItems); ++i) {
        const ToolbarItem& item = kItems[i];
        buttons[i].iBitmap = item.image + (item.strip == Strip::Own ? ownFirst : 0);
        buttons[i].idCommand = static_cast<int>(item.command);
        buttons[i].fsState = item.state;
        if (item.command && !CommandIsBuilt(item.command)) buttons[i].fsState &= ~TBSTATE_ENABLED;
        buttons[i].fsStyle = item.style;
    }
    SendMessageA(g_app.toolbar, TB_ADDBUTTONSA, std::size(buttons), reinterpret_cast<LPARAM>(buttons));

    CreateFontBoxes(frame);
    ShowWindow(g_app.toolbar, SW_SHOW);
    CreateToolTips(frame);
}

void LayOutToolbar()
{
    SendMessageA(g_app.toolbar, TB_AUTOSIZE, 0, 0);
    PlaceBox(g_app.fontSizeBox, Room::FontSize, FALSE);
    PlaceBox(g_app.fontNameBox, Room::FontName, TRUE);
    MoveToolTips();
}
