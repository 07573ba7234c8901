// Applesoft colouring in a real editor: every character ends up with the
// colour the scanner gives it, on a whole text and while typing.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/colouring/colour_scanner.h"
#include "emulator/desktop.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/editor_colouring.h"
#include "shell/settings.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"

namespace {

// First-run colours.
constexpr COLORREF kPlain = 0x000000, kToken = 0x00BB00, kSingle = 0xBB00BB, kQuote = 0xBB0000, kRemark = 0x0000FF;

// The colour of each character: the scanner's spans, plain between them.
std::vector<COLORREF> ExpectedColours(const std::string& text, bool integer = false)
{
    std::vector<COLORREF> colours(text.size(), kPlain);
    std::vector<ColourSpan> spans;
    if (integer) ScanIntegerText(text, 0, static_cast<int>(text.size()), spans);
    else ScanApplesoftText(text, 0, static_cast<int>(text.size()), spans);
    for (const ColourSpan& span : spans) {
        const COLORREF colour = span.kind == ColourKind::Keyword    ? kToken
                                : span.kind == ColourKind::Operator ? kSingle
                                : span.kind == ColourKind::Quote    ? kQuote
                                                                    : kRemark;
        for (int i = span.offset; i < span.offset + span.length; ++i) colours[static_cast<size_t>(i)] = colour;
    }
    return colours;
}

void Insert(HWND editor, const std::string& text)
{
    SendMessageA(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

// Every character but the line breaks shows the scanner's colour.
void ExpectScannersColours(HWND editor, bool integer = false)
{
    const std::string text = EditorText(editor);
    const std::vector<COLORREF> expected = ExpectedColours(text, integer);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') continue;
        ASSERT_EQ(ColourAt(editor, static_cast<LONG>(i)), expected[i])
            << "character " << i << " '" << text[i] << "' of \"" << text << '"';
    }
}

// A key as the keyboard gives it: down, its character if it has one, up.
void Key(HWND editor, UINT key, char c = 0)
{
    SendMessageA(editor, WM_KEYDOWN, key, 1);
    if (c) SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
    SendMessageA(editor, WM_KEYUP, key, 0xC0000001);
    PumpMessages();
}

void Type(HWND editor, const std::string& text)
{
    for (char c : text) Key(editor, c == '\r' ? VK_RETURN : static_cast<UINT>(VkKeyScanA(c) & 0xFF), c);
}

bool Modified(HWND editor) { return SendMessageA(editor, EM_GETMODIFY, 0, 0) != 0; }

class ColouringTest : public AppTest {
protected:
    // A test stopped halfway leaves its typing behind: no save question
    // may hold up the close.
    void TearDown() override
    {
        for (HWND child = GetWindow(g_app.mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (HWND editor = EditorOf(child)) SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
        AppTest::TearDown();
    }

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
    EXPECT_TRUE(SendMessageA(editor, EM_GETEVENTMASK, 0, 0) & ENM_CHANGE);
}

// Whatever changes the text recolours the lines it touched: inserting,
// typing, Enter, Tab, Backspace and Delete, with no key of its own.
TEST_F(ColouringTest, EveryEditRecoloursTheLinesItTouched)
{
    HWND editor = NewApplesoft();
    ASSERT_NE(editor, nullptr);
    SetFocus(editor);
    Insert(editor, "10 PRINT \"A\":GOTO 10\r\n");
    EXPECT_EQ(ColourAt(editor, 3), kToken);
    ExpectScannersColours(editor);

    Select(editor, 11, 11);  // before the closing quotation mark
    Key(editor, VK_DELETE);  // the rest of the line is now in the string
    EXPECT_EQ(ColourAt(editor, 14), kQuote);
    ExpectScannersColours(editor);
    Select(editor, 11, 11);  // reading a colour moved the selection
    Type(editor, "\"");      // and out of it again
    EXPECT_EQ(ColourAt(editor, 14), kToken);
    ExpectScannersColours(editor);

    Select(editor, 8, 8);  // after PRINT
    Key(editor, VK_BACK);  // PRIN: no keyword left
    EXPECT_EQ(ColourAt(editor, 3), kPlain);
    ExpectScannersColours(editor);
    Select(editor, 7, 7);
    Type(editor, "T\t");
    ExpectScannersColours(editor);

    // Enter splits the line, each half scanned as a line of its own;
    // typing the next line leaves the first as it is.
    const LONG end = static_cast<LONG>(EditorText(editor).size());
    Select(editor, end, end);
    Type(editor, "20 REM \"GOTO\" ?");
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(EditorText(editor).find("GOTO\""))), kRemark);
    ExpectScannersColours(editor);
    Select(editor, 15, 15);  // inside GOTO of the first line
    Type(editor, "\r");
    ExpectScannersColours(editor);
}

// Type, paste, undo: colouring is never a step Undo takes back, nor does it
// mark the document modified.
TEST_F(ColouringTest, ColouringIsNeverAnEdit)
{
    HWND editor = NewApplesoft();
    ASSERT_NE(editor, nullptr);
    SetFocus(editor);
    Type(editor, "10 PRINT \"HI\"\r");
    const std::string typed = EditorText(editor);
    ExpectScannersColours(editor);

    // A program of many lines pasted at once comes in coloured, in one step.
    std::string program;
    for (int line = 20; line < 220; line += 10)
        program += std::to_string(line) + " IF X THEN PRINT \"LINE\";X:REM DONE\r\n";
    // Tests running beside this one use the clipboard too: a paste of
    // something else is taken back and tried again.
    for (int attempt = 0; attempt < 5 && EditorText(editor) != typed + program; ++attempt) {
        if (EditorText(editor) != typed) Command(IDM_UNDO);
        Select(editor, static_cast<LONG>(typed.size()), static_cast<LONG>(typed.size()));
        if (PutOnClipboard(program)) Command(IDM_PASTE);
    }
    ASSERT_EQ(EditorText(editor), typed + program);
    // This process leaves nothing behind on the clipboard for the tests
    // beside it to ask of it while it ends.
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    ExpectScannersColours(editor);
    EXPECT_TRUE(Modified(editor));

    Command(IDM_UNDO);
    EXPECT_EQ(EditorText(editor), typed);
    EXPECT_TRUE(Modified(editor));
    ExpectScannersColours(editor);
    // What remains to undo is typing, every step of it a change of text.
    for (std::string before = EditorText(editor); !before.empty(); before = EditorText(editor)) {
        Command(IDM_UNDO);
        ASSERT_NE(EditorText(editor), before);
    }

    // Colours set by other means are put right without marking the document.
    Insert(editor, "10 GOTO 20\r\n");
    SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
    SetColour(editor, 0, -1, RGB(255, 0, 0));
    ForgetColours(editor, 0, 12);
    SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
    ColourApplesoft(editor, 12, -1);
    ExpectScannersColours(editor);
    EXPECT_FALSE(Modified(editor));
}

// An opened program is coloured on screen at once and the rest in idle
// time: same text, same tab stops, nothing to undo, not modified, and the
// user can type meanwhile.
TEST_F(ColouringTest, AnOpenedProgramIsColouredOnScreenFirstThenWhole)
{
    HWND editor = NewApplesoft();
    ASSERT_NE(editor, nullptr);
    PARAFORMAT tabs = {};
    tabs.cbSize = sizeof tabs;
    SendMessageA(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&tabs));
    std::string program;
    for (int line = 10; line <= 800; line += 10)
        program += std::to_string(line) + " PRINT \"A\tB\":REM ? \\{}\r\n" + std::to_string(line + 5) +
                   " DATA 1,TO:GOTO 10\r\n";
    g_settings.syntaxColor = 0;  // the text goes in plain, as a file is read
    Insert(editor, program);
    g_settings.syntaxColor = 1;
    const std::string text = EditorText(editor);
    SendMessageA(editor, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
    Select(editor, 0, 0);
    ColourOpenedProgram(editor);
    EXPECT_EQ(ColourAt(editor, 3), kToken);  // on screen, coloured as it is drawn
    EXPECT_TRUE(ColouringPending(editor));
    // The end waits for idle time unless it is brought into view: then it is
    // coloured before it is drawn.
    const LONG last = static_cast<LONG>(text.rfind("GOTO"));
    Select(editor, last, last);
    UpdateWindow(editor);
    EXPECT_EQ(ColourAt(editor, last), kToken);
    EXPECT_TRUE(ColouringPending(editor));

    Select(editor, static_cast<LONG>(text.size()), static_cast<LONG>(text.size()));
    Type(editor, "9999 HOME\r");
    const DWORD deadline = GetTickCount() + 20000;
    while (ColouringPending(editor) && GetTickCount() < deadline) {
        PumpMessages();
        Sleep(1);
    }
    EXPECT_FALSE(ColouringPending(editor));
    EXPECT_EQ(EditorText(editor), text + "9999 HOME\r\n");
    ExpectScannersColours(editor);
    // What remains to undo is the typing; the colouring left no step.
    while (SendMessageA(editor, EM_CANUNDO, 0, 0)) Command(IDM_UNDO);
    EXPECT_EQ(EditorText(editor), text);
    SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
    ColourApplesoft(editor, static_cast<LONG>(text.size()), -1);
    EXPECT_FALSE(Modified(editor));
    PARAFORMAT after = {};
    after.cbSize = sizeof after;
    Select(editor, last, last);
    SendMessageA(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&after));
    ASSERT_EQ(after.cTabCount, tabs.cTabCount);
    for (int i = 0; i < tabs.cTabCount; ++i) EXPECT_EQ(after.rgxTabs[i], tabs.rgxTabs[i]);
}

TEST_F(ColouringTest, OnlyTRUEInCapitalsColoursAndSwitchingOnColoursTheNextEdit)
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
    Select(editor, 12, 12);
    Type(editor, "20 END");
    EXPECT_EQ(ColourAt(editor, 15), plain);

    // Switched on, the next edit colours the line it is on; the others wait
    // for an edit of their own.
    g_settings.syntaxColor = 1;
    Select(editor, 18, 18);
    Type(editor, ":");
    EXPECT_EQ(ColourAt(editor, 15), kToken);
    EXPECT_EQ(ColourAt(editor, 3), plain);
}

// Integer BASIC documents are coloured by Integer BASIC's own reading as
// they are typed, and the colouring adds no step to Undo.
TEST_F(ColouringTest, IntegerProgramsAreColouredAsTheyAreTyped)
{
    Command(IDM_NEW_INTEGER);
    HWND editor = GetActiveEditor();
    ASSERT_NE(editor, nullptr);
    SetFocus(editor);
    Type(editor, "10 SCORE=1: PRINT \"HI\"\r20 REM GOTO\r");
    const std::string text = EditorText(editor);
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(text.find("SCORE") + 2)), kPlain);  // a name, no OR
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(text.find("PRINT"))), kToken);
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(text.find("HI"))), kQuote);
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(text.find("GOTO"))), kRemark);
    ExpectScannersColours(editor, true);

    const LONG end = static_cast<LONG>(text.size());
    Select(editor, end, end);
    SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("30 END"));
    PumpMessages();
    EXPECT_EQ(ColourAt(editor, end + 3), kToken);
    SendMessageA(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(EditorText(editor), text);
}

}  // namespace
