// Document windows: the caret read-out, the save question, Save on a new
// document, the 'Same Name' rule and colouring while typing.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/windows_files.h"
#include "core/settings/setting_values.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/settings.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"

namespace {

void PlaceCaret(HWND editor, int line, int column)
{
    LONG start = static_cast<LONG>(SendMessageA(editor, EM_LINEINDEX, line, 0));
    CHARRANGE caret = {start + column, start + column};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
}

bool Checked(UINT id) { return SendMessageA(g_app.toolbar, TB_ISBUTTONCHECKED, id, 0) != 0; }

class DocumentTest : public AppTest {
protected:
    // Opens the named files of the start folder as the Open command does after its dialog.
    void OpenNames(const std::vector<std::string>& names)
    {
        std::string buffer = folder_->path();
        buffer += '\0';
        size_t offset = buffer.size();
        for (const std::string& name : names) buffer += name + '\0';
        buffer += '\0';
        OpenChosenFiles(frame_, buffer.data(), buffer.size(), offset, [](int) { return false; });
        PumpMessages();
    }
};

TEST_F(DocumentTest, NewDocumentIsUntitledWithoutAPlace)
{
    Command(IDM_NEW_INTEGER);
    HWND document = GetActiveDocument();
    ASSERT_NE(document, nullptr);
    char kind[32] = {};
    GetClassNameA(document, kind, sizeof kind);
    EXPECT_STREQ(kind, "Integer");
    EXPECT_EQ(Title(document), "Untitled");
    HWND editor = GetActiveEditor();
    EXPECT_EQ(EditorSlot(editor), -1);
    EXPECT_FALSE(SendMessageA(editor, EM_GETMODIFY, 0, 0));
    // The scroll bars come and go with the text; the rest of the style stays.
    EXPECT_EQ(GetWindowLongA(editor, GWL_STYLE) & 0x500001C4, 0x500001C4);

    // Tab stops from the settings ("NumTabs" 20, "Tab" 5), the first at 0.
    PARAFORMAT para = {};
    para.cbSize = sizeof para;
    SendMessageA(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&para));
    EXPECT_EQ(para.cTabCount, 20);
    EXPECT_EQ(para.rgxTabs[0], 0);
    EXPECT_GT(para.rgxTabs[1], 0);
    EXPECT_EQ(para.rgxTabs[19], 19 * para.rgxTabs[1]);

    // The default font: "Courier New" at 9 points, black.
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
    EXPECT_STREQ(format.szFaceName, "Courier New");
    EXPECT_EQ(format.yHeight, 9 * 20);  // twips
    EXPECT_EQ(format.crTextColor, 0u);
    EXPECT_FALSE(format.dwEffects & CFE_AUTOCOLOR);
}

TEST_F(DocumentTest, StatusBarFollowsTheCaret)
{
    HWND editor = NewDocumentWith(IDM_NEW_APPLESOFT, "10 PRINT \"HI\"\r\n   20 GOTO 10\r\nHOME\r\n\r\n\t 7");
    ASSERT_NE(editor, nullptr);
    struct Row {
        const char* name;
        int line, column;
        const char* basic;
        const char* lineText;
        const char* character;
    } rows[] = {
        {"inside the first line", 0, 5, "BASIC Line#  10", "Line# 1", "Character# 5"},
        {"start of the document", 0, 0, "BASIC Line#  10", "Line# 1", "Character# 0"},
        {"leading blanks", 1, 13, "BASIC Line#  20", "Line# 2", "Character# 13"},
        {"starts with a letter", 2, 4, "BASIC Line#       ", "Line# 3", "Character# 4"},
        {"empty line", 3, 0, "BASIC Line#       ", "Line# 4", "Character# 0"},
        {"tab before the number", 4, 3, "BASIC Line#  7", "Line# 5", "Character# 3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PlaceCaret(editor, row.line, row.column);
        PumpMessages();
        EXPECT_EQ(StatusPart(1), row.basic);
        EXPECT_EQ(StatusPart(2), row.lineText);
        EXPECT_EQ(StatusPart(3), row.character);
    }
    // A document brought to the front shows where its own caret is.
    HWND first = GetActiveDocument();
    HWND other = NewDocumentWith(IDM_NEW_APPLESOFT, "1 END");
    PlaceCaret(other, 0, 2);
    PumpMessages();
    SendMessageA(g_app.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
    PumpMessages();
    EXPECT_EQ(StatusPart(1), "BASIC Line#  7");
    EXPECT_EQ(StatusPart(2), "Line# 5");
    EXPECT_EQ(StatusPart(3), "Character# 3");
    // Closing the last document blanks the three parts.
    for (HWND closing : {other, editor}) {
        SendMessageA(closing, EM_SETMODIFY, FALSE, 0);
        SendMessageA(GetParent(closing), WM_CLOSE, 0, 0);
    }
    PumpMessages();
    for (int part = 1; part <= 3; ++part) EXPECT_EQ(StatusPart(part), " ") << part;
}

TEST_F(DocumentTest, BasicLineNumberOfAWrappedLineComesFromItsStart)
{
    g_settings.wordWrap = "TRUE";
    std::string line = "10 ";
    while (line.size() < 400) line += "PRINT X : ";
    HWND editor = NewDocumentWith(IDM_NEW_APPLESOFT, ("5 HOME\r\n" + line).c_str());
    ASSERT_NE(editor, nullptr);
    PumpMessages();
    LONG end = static_cast<LONG>(8 + line.size());
    ASSERT_GT(SendMessageA(editor, EM_EXLINEFROMCHAR, 0, end), 1);  // the line wraps
    CHARRANGE caret = {end - 1, end - 1};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    PumpMessages();
    EXPECT_EQ(StatusPart(1), "BASIC Line#  10");
}

TEST_F(DocumentTest, SelectionShowsItsFontAndFormatOnTheToolbar)
{
    HWND editor = NewDocumentWith(IDM_NEW_EDIT, "bold\r\nplain");
    ASSERT_NE(editor, nullptr);
    CHARRANGE first = {0, 4};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&first));
    CHARFORMATA bold = {};
    bold.cbSize = sizeof bold;
    bold.dwMask = CFM_BOLD | CFM_UNDERLINE | CFM_SIZE;
    bold.dwEffects = CFE_BOLD | CFE_UNDERLINE;
    bold.yHeight = 14 * 20;  // twips
    SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold));
    PARAFORMAT centre = {};
    centre.cbSize = sizeof centre;
    centre.dwMask = PFM_ALIGNMENT;
    centre.wAlignment = PFA_CENTER;
    SendMessageA(editor, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&centre));

    CHARRANGE inBold = {1, 2};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&inBold));
    PumpMessages();
    EXPECT_TRUE(Checked(IDM_BOLD));
    EXPECT_FALSE(Checked(IDM_ITALIC));
    EXPECT_TRUE(Checked(IDM_UNDERLINE));
    EXPECT_TRUE(Checked(IDM_ALIGN_CENTER));
    EXPECT_FALSE(Checked(IDM_ALIGN_LEFT));
    EXPECT_EQ(g_settings.currentFontSize, "14");
    EXPECT_EQ(g_settings.currentFontName, "Courier New");
    char size[8] = {};
    GetWindowTextA(g_app.fontSizeBox, size, sizeof size);
    EXPECT_STREQ(size, "14");
    // The face shows by name whether or not this machine has it installed.
    char face[64] = {};
    GetWindowTextA(g_app.fontNameBox, face, sizeof face);
    EXPECT_STREQ(face, "Courier New");

    PlaceCaret(editor, 1, 2);
    PumpMessages();
    EXPECT_FALSE(Checked(IDM_BOLD));
    EXPECT_FALSE(Checked(IDM_UNDERLINE));
    EXPECT_TRUE(Checked(IDM_ALIGN_LEFT));
    EXPECT_FALSE(Checked(IDM_ALIGN_CENTER));
    EXPECT_EQ(g_settings.currentFontSize, "9");
}

TEST_F(DocumentTest, SaveOnANewDocumentAsksForAPlace)
{
    Command(IDM_NEW_APPLESOFT);
    boxes_->Expect(kErrorCaption, IDOK);
    EXPECT_EQ(Command(IDM_SAVE), 0);
    ASSERT_TRUE(boxes_->WaitAnswered());
    ASSERT_EQ(boxes_->Answered().size(), 1u);
    EXPECT_EQ(boxes_->Answered()[0].text.rfind("You must choose a place to save the file.", 0), 0u);
}

TEST_F(DocumentTest, YesOnClosingABackgroundDocumentSavesThatDocument)
{
    WriteFileText(folder_->File("BACK.TXT"), "back");
    WriteFileText(folder_->File("FRONT.TXT"), "front");
    OpenNames({"BACK.TXT", "FRONT.TXT"});
    HWND front = GetActiveDocument();
    HWND back = GetWindow(front, GW_HWNDNEXT);
    ASSERT_EQ(Title(back), "BACK.TXT");
    for (HWND document : {back, front}) {
        SetWindowTextA(EditorOf(document), (Title(document) + " edited").c_str());
        SendMessageA(EditorOf(document), EM_SETMODIFY, TRUE, 0);
    }
    boxes_->Expect(kQuestionCaption, IDYES);
    SendMessageA(back, WM_CLOSE, 0, 0);
    ASSERT_TRUE(boxes_->WaitAnswered());
    PumpMessages();
    EXPECT_EQ(boxes_->Answered().back().text, "Save current changes in BACK.TXT?");
    EXPECT_EQ(ReadFileText(folder_->File("BACK.TXT")), "BACK.TXT edited");
    EXPECT_EQ(ReadFileText(folder_->File("FRONT.TXT")), "front");
    EXPECT_FALSE(IsWindow(back));
    EXPECT_TRUE(SendMessageA(EditorOf(front), EM_GETMODIFY, 0, 0));
}

TEST_F(DocumentTest, SaveQuestionOnClosing)
{
    WriteFileText(folder_->File("KEEP.TXT"), "old");
    struct Row {
        const char* name;
        bool titled;  // opened from a file, so Yes can save it
        int answer;
        bool closes;
        const char* fileAfter;
    } rows[] = {
        {"No closes without saving", true, IDNO, true, "old"},
        {"Cancel keeps it open", true, IDCANCEL, false, "old"},
        {"Yes saves and closes", true, IDYES, true, "new text"},
        {"Yes on an untitled document cannot save, so it stays", false, IDYES, false, "old"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteFileText(folder_->File("KEEP.TXT"), "old");
        if (row.titled) OpenNames({"KEEP.TXT"});
        else Command(IDM_NEW_EDIT);
        HWND document = GetActiveDocument();
        ASSERT_NE(document, nullptr);
        SetWindowTextA(GetActiveEditor(), "new text");
        SendMessageA(GetActiveEditor(), EM_SETMODIFY, TRUE, 0);
        std::string question = std::string("Save current changes in ") + (row.titled ? "KEEP.TXT" : "Untitled") + "?";
        boxes_->Expect(kQuestionCaption, row.answer);
        if (!row.titled) boxes_->Expect(kErrorCaption, IDOK);  // Save's message 18
        SendMessageA(document, WM_CLOSE, 0, 0);
        ASSERT_TRUE(boxes_->WaitAnswered());
        PumpMessages();
        std::vector<BoxSeen> seen = boxes_->Answered();
        ASSERT_FALSE(seen.empty());
        BoxSeen asked = row.titled ? seen.back() : seen[seen.size() - 2];
        EXPECT_EQ(asked.text, question);
        EXPECT_EQ(asked.flags, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
        EXPECT_EQ(IsWindow(document) == FALSE, row.closes);
        EXPECT_EQ(ReadFileText(folder_->File("KEEP.TXT")), row.fileAfter);
        if (IsWindow(document)) {
            SendMessageA(EditorOf(document), EM_SETMODIFY, FALSE, 0);
            SendMessageA(document, WM_CLOSE, 0, 0);
            PumpMessages();
        }
        ASSERT_EQ(CountDocuments(), 0);
    }
}

TEST_F(DocumentTest, TwelfthPlacedDocumentGrowsTheTable)
{
    std::vector<std::string> names;
    for (int i = 1; i <= 12; ++i) {
        names.push_back("F" + std::to_string(i) + ".TXT");
        WriteFileText(folder_->File(names.back()), "x");
    }
    Command(IDM_NEW_EDIT);  // a document without a place takes no slot
    OpenNames(names);
    ASSERT_EQ(CountDocuments(), 13);
    EXPECT_EQ(g_documents.capacity, 16u);
    EXPECT_EQ(EditorSlot(GetActiveEditor()), 12);
    EXPECT_EQ(g_documents.name[12], "F12.TXT");
    EXPECT_EQ(g_documents.name[11], "F11.TXT");
    EXPECT_EQ(g_documents.directory[12], folder_->path());

    // Closing a document frees its slot for the next one.
    SendMessageA(GetActiveDocument(), WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_TRUE(g_documents.directory[12].empty());
}

class SameNameTest : public DocumentTest {
protected:
    void PrepareStartFolder() override
    {
        for (const DefaultSetting& d : FirstRunDefaults(folder_->path()))
            WritePrivateProfileStringA(d.section.c_str(), d.key.c_str(), d.value.c_str(), IniPath().c_str());
        WritePrivateProfileStringA("Display", "StopDuplicates", "TRUE", IniPath().c_str());
        WriteFileText(folder_->File("A.TXT"), "a");
        WriteFileText(folder_->File("B.TXT"), "b");
    }
};

TEST_F(SameNameTest, SecondDocumentOfTheSameNameIsRefused)
{
    OpenNames({"A.TXT"});
    boxes_->Expect(kErrorCaption, IDOK);
    OpenNames({"A.TXT", "B.TXT"});  // the refused name is skipped, the next one opens
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_EQ(boxes_->Answered()[0].text, "A 'Same Name' document, A.TXT, cannot be opened!");
    EXPECT_EQ(CountDocuments(), 2);
    EXPECT_EQ(Title(GetActiveDocument()), "B.TXT");
    Command(IDM_NEW_EDIT);
    Command(IDM_NEW_EDIT);  // "Untitled" twice is allowed: New does not apply the rule
    EXPECT_EQ(CountDocuments(), 4);
}

TEST_F(DocumentTest, SameNameAllowedWithoutTheSetting)
{
    WriteFileText(folder_->File("A.TXT"), "a");
    OpenNames({"A.TXT", "A.TXT"});
    EXPECT_EQ(CountDocuments(), 2);
}

// Types like the keyboard: key down, the character, key up.
void Type(HWND editor, const std::string& text)
{
    for (char c : text) {
        UINT key = static_cast<UINT>(VkKeyScanA(c) & 0xFF);
        SendMessageA(editor, WM_KEYDOWN, key, 1);
        SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
        SendMessageA(editor, WM_KEYUP, key, 0xC0000001);
        PumpMessages();
    }
}

// Both BASICs colour the line typed; Apple text stays plain.
TEST_F(DocumentTest, TypingInAProgramColoursTheLine)
{
    // First-run colours: keywords "00BB00", quotes "BB0000", text "000000".
    const COLORREF keyword = 0x00BB00, quote = 0xBB0000, text = 0x000000;
    struct Row {
        const char* kind;
        UINT command;
        bool coloured;
    } rows[] = {{"Applesoft", IDM_NEW_APPLESOFT, true}, {"Integer", IDM_NEW_INTEGER, true},
                {"Apple text", IDM_NEW_TEXT, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        Command(row.command);
        HWND editor = GetActiveEditor();
        ASSERT_NE(editor, nullptr);
        SetFocus(editor);
        Type(editor, "10 PRINT \"HI\" X");
        std::string line = "10 PRINT \"HI\" X";
        for (LONG i = 0; i < static_cast<LONG>(line.size()); ++i) {
            SCOPED_TRACE(i);
            COLORREF expected = text;
            if (row.coloured && i >= 3 && i <= 7) expected = keyword;
            if (row.coloured && i >= 9 && i <= 12) expected = quote;
            if (line[i] != ' ') {
                EXPECT_EQ(ColourAt(editor, i), expected);
            }
        }
        SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
        SendMessageA(GetActiveDocument(), WM_CLOSE, 0, 0);
        PumpMessages();
    }
}

}  // namespace

namespace {

// Refuses the creation of every rich-edit control of this thread.
LRESULT CALLBACK RefuseEditors(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        if (!IS_INTRESOURCE(create->lpcs->lpszClass) && _stricmp(create->lpcs->lpszClass, "RICHEDIT") == 0) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool IsGrayed(UINT id) { return (GetMenuState(g_app.menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

TEST_F(DocumentTest, DocumentWhoseEditorCannotBeMadeIsNotLeftBehind)
{
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseEditors, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    boxes_->Expect(kErrorCaption, IDOK);
    Command(IDM_NEW_APPLESOFT);
    UnhookWindowsHookEx(hook);
    ASSERT_EQ(boxes_->Answered().size(), 1u);
    EXPECT_EQ(boxes_->Answered()[0].text, "Could NOT create Window!");
    EXPECT_EQ(CountDocuments(), 0);
    EXPECT_TRUE(IsGrayed(IDM_SAVE));
}

TEST_F(DocumentTest, ClosingABackgroundDocumentKeepsSaveForTheOtherOne)
{
    Command(IDM_NEW_EDIT);
    HWND background = GetActiveDocument();
    Command(IDM_NEW_EDIT);
    ASSERT_EQ(CountDocuments(), 2);
    SendMessageA(background, WM_CLOSE, 0, 0);
    PumpMessages();
    ASSERT_EQ(CountDocuments(), 1);
    EXPECT_FALSE(IsGrayed(IDM_SAVE));
    // Closing the last one grays it.
    SendMessageA(GetActiveDocument(), WM_CLOSE, 0, 0);
    SendMessageA(frame_, WM_NULL, 0, 0);  // the frame grays them on its next message
    EXPECT_EQ(CountDocuments(), 0);
    EXPECT_TRUE(IsGrayed(IDM_SAVE));
}

}  // namespace
