// Keyword help: the syntax in the status bar while the caret is on a
// keyword, and the tooltip on Shift+F1 or where the mouse rests, in both
// BASICs.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>

#include "core/basic/keyword_help.h"
#include "editing/keyword_tip.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"

namespace {

std::string TipText()
{
    char text[1024] = {};
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.lpszText = text;
    SendMessageA(KeywordTipWindow(), TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool));
    return text;
}

bool TipShown() { return KeywordTipWindow() && IsWindowVisible(KeywordTipWindow()); }

// A mouse message at character `position`, as the message loop hands it on.
void MouseAt(HWND editor, UINT message, LONG position)
{
    POINTL at = {};
    SendMessageA(editor, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), position);
    WatchForKeywordHover(MSG{editor, message, 0, MAKELPARAM(at.x + 2, at.y + 2)});
    PumpMessages();
}

std::string Syntax(const char* keyword, BasicLanguage language)
{
    return FindKeywordHelp(keyword, language)->syntax;
}

using KeywordHelpTest = AppTest;

TEST_F(KeywordHelpTest, StatusBarAndTooltipFollowTheKeyword)
{
    const std::string line = "10 HCOLOR= 3: PRINT X";
    HWND editor = NewDocumentWith(IDM_NEW_APPLESOFT, line.c_str());
    Select(editor, 16, 16);  // inside PRINT
    PumpMessages();
    EXPECT_EQ(StatusPart(0), Syntax("PRINT", BasicLanguage::Applesoft));
    Command(IDM_KEYWORD_HELP);
    ASSERT_TRUE(TipShown());
    EXPECT_EQ(TipText().rfind("PRINT  (token $BA)\r\n", 0), 0u) << TipText();

    // The mouse resting on HCOLOR= shows its help; moving off it hides it.
    MouseAt(editor, WM_MOUSEHOVER, static_cast<LONG>(line.find("COLOR")));
    ASSERT_TRUE(TipShown());
    EXPECT_EQ(TipText().rfind("HCOLOR=  (token $92)\r\n", 0), 0u) << TipText();
    MouseAt(editor, WM_MOUSEMOVE, static_cast<LONG>(line.find('X')));
    EXPECT_FALSE(TipShown());
    MouseAt(editor, WM_MOUSEHOVER, static_cast<LONG>(line.find('X')));
    EXPECT_FALSE(TipShown());

    // Off a keyword: no syntax, and Shift+F1 shows nothing.
    Select(editor, 20, 20);
    PumpMessages();
    EXPECT_EQ(StatusPart(0).find(Syntax("PRINT", BasicLanguage::Applesoft)), std::string::npos);
    Command(IDM_KEYWORD_HELP);
    EXPECT_FALSE(TipShown());

    // Integer BASIC's own rows; a key hides the tip.
    HWND integer = NewDocumentWith(IDM_NEW_INTEGER, "10 PRINT 1");
    Select(integer, 5, 5);
    PumpMessages();
    EXPECT_EQ(StatusPart(0), Syntax("PRINT", BasicLanguage::Integer));
    Command(IDM_KEYWORD_HELP);
    ASSERT_TRUE(TipShown());
    EXPECT_EQ(TipText().rfind("PRINT\r\n", 0), 0u) << TipText();
    WatchForKeywordHover(MSG{integer, WM_KEYDOWN, 'A', 0});
    EXPECT_FALSE(TipShown());
    // So does the application going to the background: the tip stays on top of every window.
    Command(IDM_KEYWORD_HELP);
    ASSERT_TRUE(TipShown());
    SendMessageA(g_app.frame, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(TipShown());
}

}  // namespace
