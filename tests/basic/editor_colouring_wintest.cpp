// Applesoft colouring in a real editor: every character ends up with the
// colour the scanner gives it, on a whole text and while typing.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "app/documents.h"
#include "basic/colour_scanner.h"
#include "basic/editor_colouring.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"

namespace {

// First-run colours.
constexpr COLORREF kPlain = 0x000000, kToken = 0x00BB00, kSingle = 0xBB00BB, kQuote = 0xBB0000, kRemark = 0x0000FF;

// The colour of each character after a whole-text pass over fresh text:
// plain, then each span in the order the scanner gives them, the last
// character plain again.
std::vector<COLORREF> ExpectedColours(const std::string& text)
{
    std::vector<COLORREF> colours(text.size(), kPlain);
    std::vector<ColourSpan> spans;
    ScanApplesoftText(text, 0, static_cast<int>(text.size()), spans);
    for (const ColourSpan& span : spans) {
        const COLORREF colour = span.kind == ColourKind::Keyword    ? kToken
                                : span.kind == ColourKind::Operator ? kSingle
                                : span.kind == ColourKind::Quote    ? kQuote
                                                                    : kRemark;
        for (int i = span.offset; i < span.offset + span.length; ++i) colours[static_cast<size_t>(i)] = colour;
    }
    if (!colours.empty()) colours.back() = kPlain;
    return colours;
}

void Insert(HWND editor, const std::string& text)
{
    SendMessageA(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void KeyUp(HWND editor, UINT key)
{
    SendMessageA(editor, WM_KEYUP, key, 0xC0000001);
    PumpMessages();
}

class ColouringTest : public AppTest {
protected:
    HWND NewApplesoft()
    {
        Command(IDM_NEW_APPLESOFT);
        HWND editor = GetActiveEditor();
        EXPECT_NE(editor, nullptr);
        return editor;
    }
};

TEST_F(ColouringTest, WholeTextGetsExactlyTheScannersColours)
{
    HWND editor = NewApplesoft();
    ASSERT_NE(editor, nullptr);
    // A line longer than one 299-character piece, with GOSUB cut by the
    // piece boundary, then the lines of the edge cases.
    std::string longLine = "10 ";
    while (longLine.size() < 295) longLine += "X=1:";
    longLine += "A=GOSUB 100:PRINT";  // GO ends the first piece, SUB starts the next
    ASSERT_EQ(longLine.find("GOSUB"), 297u);
    Insert(editor, longLine + "\r\n"
                              "20 IF ATN(X) THEN ONERR GOTO 9\r\n"
                              "30 HIMEM 1:HIMEM: 2 : HGR2 : NOTRACE\r\n"
                              "40 DATA 1,ON,\"A:B\",TO:? \"WHY?\"\r\n"
                              "50 REM \"GOTO\" AND ? STAY REMARKS\r\n"
                              "60 SCORE = TOTAL + CAT\r\n"
                              "70 PRINT \"UNFINISHED\r\n"
                              "80 END\r\n");
    const std::string text = EditorText(editor);
    ColourApplesoft(editor, static_cast<LONG>(text.size()), -1);

    const std::vector<COLORREF> expected = ExpectedColours(text);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') continue;
        ASSERT_EQ(ColourAt(editor, static_cast<LONG>(i)), expected[i]) << "character " << i << " '" << text[i] << "'";
    }
    // The scanner's verdicts that matter here, seen in the editor itself.
    const size_t gosub = text.find("GOSUB");
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(gosub)), kPlain);  // cut by the piece boundary
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(text.find("PRINT", gosub))), kToken);
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(text.find("ATN") + 2)), kPlain);
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(text.find("STAY"))), kRemark);
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(text.find("UNFINISHED"))), kQuote);
}

TEST_F(ColouringTest, ColouringChangesNothingButColour)
{
    HWND editor = NewApplesoft();
    ASSERT_NE(editor, nullptr);
    Insert(editor, "10 PRINT \"HI\":REM X\r\n20 GOTO 10\r\n");
    const std::string before = EditorText(editor);
    CHARFORMATA plainFormat = {};
    plainFormat.cbSize = sizeof plainFormat;
    CHARRANGE all = {0, -1};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    SendMessageA(editor, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&plainFormat));
    SendMessageA(editor, EM_SETMODIFY, FALSE, 0);

    ColourApplesoft(editor, static_cast<LONG>(before.size()), -1);
    EXPECT_EQ(EditorText(editor), before);
    CHARFORMATA after = {};
    after.cbSize = sizeof after;
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    SendMessageA(editor, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&after));
    // Colour now varies; face, size and effects are still uniform and unchanged.
    EXPECT_FALSE(after.dwMask & CFM_COLOR);
    EXPECT_TRUE(after.dwMask & CFM_FACE);
    EXPECT_TRUE(after.dwMask & CFM_SIZE);
    EXPECT_STREQ(after.szFaceName, plainFormat.szFaceName);
    EXPECT_EQ(after.yHeight, plainFormat.yHeight);
    EXPECT_EQ(after.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE),
              plainFormat.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE));
    // The event mask, which the pass turns off, is back.
    EXPECT_TRUE(SendMessageA(editor, EM_GETEVENTMASK, 0, 0) & ENM_SELCHANGE);
    EXPECT_TRUE(SendMessageA(editor, EM_GETEVENTMASK, 0, 0) & ENM_KEYEVENTS);
}

TEST_F(ColouringTest, KeyReleasesRecolourOnlyForKeysTenToOneHundredTen)
{
    HWND editor = NewApplesoft();
    ASSERT_NE(editor, nullptr);
    SetFocus(editor);
    Insert(editor, "10 GOTO 20");  // inserted, not typed: still plain
    ASSERT_EQ(ColourAt(editor, 3), kPlain);
    CHARRANGE end = {10, 10};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));

    for (UINT key : {UINT{VK_BACK}, UINT{VK_TAB}, UINT{VK_DIVIDE}, UINT{VK_F1}, UINT{VK_OEM_1}}) {
        KeyUp(editor, key);
        EXPECT_EQ(ColourAt(editor, 3), kPlain) << "key " << key;
        SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    }
    KeyUp(editor, VK_SHIFT);  // 16: a quotation mark typed with Shift is coloured when Shift comes up
    CHARRANGE now = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&now));
    EXPECT_EQ(now.cpMin, 10);  // the selection is where it was
    EXPECT_EQ(now.cpMax, 10);
    EXPECT_EQ(ColourAt(editor, 3), kToken);
}

TEST_F(ColouringTest, EnterRecoloursTheLineJustEnded)
{
    HWND editor = NewApplesoft();
    ASSERT_NE(editor, nullptr);
    SetFocus(editor);
    Insert(editor, "10 PRINT X\r\n20 ");
    ASSERT_EQ(ColourAt(editor, 3), kPlain);
    LONG caret = static_cast<LONG>(EditorText(editor).size());
    CHARRANGE end = {caret, caret};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    KeyUp(editor, VK_RETURN);
    EXPECT_EQ(ColourAt(editor, 3), kToken);
}

TEST_F(ColouringTest, OnlyTRUEInCapitalsColours)
{
    WriteSetting("SyntaxColor", "SyntaxColor", "true");
    LoadSettings(g_app.startDirectory);
    EXPECT_EQ(g_settings.syntaxColor, 0);
    HWND editor = NewApplesoft();
    ASSERT_NE(editor, nullptr);
    SetFocus(editor);
    Insert(editor, "10 GOTO 20\r\n");
    const COLORREF plain = ColourAt(editor, 0);
    ColourApplesoft(editor, 12, -1);
    EXPECT_EQ(ColourAt(editor, 3), plain);
    CHARRANGE end = {12, 12};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    KeyUp(editor, 'A');
    EXPECT_EQ(ColourAt(editor, 3), plain);
}

}  // namespace
