// The browser's disk commands and Save of an Apple document, typed into the
// stand-in emulator by TAVO running in-process: the exact lines it records,
// the delete question, and the names refused before anything is typed.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "app/documents.h"
#include "desktop.h"
#include "disk/browser_names.h"
#include "disk/image.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "standin.h"
#include "support/app_fixture.h"

namespace {

constexpr char kTitle[] = "TAVO Stand-in Emulator";
constexpr char kNotInFront[] = "The emulator window could not be brought to the front!";

class DiskCommandsTest : public AppTest {
protected:
    void SetUp() override
    {
        lock_ = std::make_unique<DesktopLock>();
        AppTest::SetUp();
        record_ = folder_->File("record.txt");
    }
    void PrepareStartFolder() override
    {
        WriteFileText(IniPath(), std::string("[Prompts]\r\nQuitPrompt=FALSE\r\nDelPrompt=FALSE\r\n"
                                             "[Emulators]\r\nNumber=1\r\nName[1]=") + kTitle + "\r\n");
    }
    void TearDown() override
    {
        standin_.reset();
        AppTest::TearDown();
        g_browser = {};
        lock_.reset();
    }
    void StartEmulator()
    {
        HWND window = nullptr;
        standin_ = StartStandin(kTitle, record_, folder_->path(), window);
        ASSERT_NE(window, nullptr);
    }
    void Browse(int layout, const char* image, const char* prefix, const char* selected, const char* newName = "")
    {
        g_browser = {};
        g_browser.imageTitle = image;
        g_browser.layout = layout;
        g_browser.currentPrefix = prefix;
        g_browser.selectedAppleName = selected;
        g_browser.newAppleName = newName;
    }

    // The command's answer and what the stand-in recorded meanwhile. A try
    // answered with message 35 (a parallel test's window came to the front)
    // is made again; `answer` is the button for the delete question, which
    // each try asks anew.
    std::pair<LRESULT, std::string> Typed(UINT id, WORD high, size_t expectedBytes, int answer = 0)
    {
        for (int attempt = 1;; ++attempt) {
            size_t before = ReadFileText(record_).size();
            if (answer) boxes_->Expect("TAVO", answer);
            LRESULT result = Command(id, high);
            std::string added;
            for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(20)) {
                added = ReadFileText(record_).substr(before);
                if (added.size() >= expectedBytes) break;
            }
            Sleep(100);  // nothing more may follow
            added = ReadFileText(record_).substr(before);
            std::vector<BoxSeen> seen = boxes_->Unexpected();
            if (seen.empty() || attempt == 8) return {result, added};
            for (const BoxSeen& box : seen) EXPECT_EQ(box.text, kNotInFront);
            boxes_ = std::make_unique<BoxWatcher>();
        }
    }
    void ExpectLine(UINT id, WORD high, const std::string& line, int answer = 0)
    {
        auto [result, typed] = Typed(id, high, line.size(), answer);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(typed, line);
    }
    // A command refused with the error `text`: answer 1 and nothing typed.
    void Refused(UINT id, const std::string& text)
    {
        boxes_->Expect("TAVO Error", IDOK);
        auto [result, typed] = Typed(id, 0, 0);
        EXPECT_EQ(result, 1);
        EXPECT_EQ(typed, "");
        ASSERT_TRUE(boxes_->WaitAnswered(5000));
        EXPECT_EQ(boxes_->Answered().back().text, text);
    }

    std::unique_ptr<DesktopLock> lock_;
    std::unique_ptr<Program> standin_;
    std::string record_;
};

TEST_F(DiskCommandsTest, ProdosLinesTheDeleteQuestionAndTheNewName)
{
    StartEmulator();
    Browse(LayoutProdos, "DISK.PO", "/DISK/", "FOO", "BAR");
    ExpectLine(IDM_APPLE_RENAME, 0, "RENAME /DISK/FOO, /DISK/BAR\r");
    EXPECT_EQ(g_browser.selectedAppleName, "BAR");
    ExpectLine(IDM_APPLE_PREFIX, 0, "PREFIX /DISK/\r");
    ExpectLine(IDM_APPLE_LOCK, 0, "LOCK /DISK/BAR\r");
    ExpectLine(IDM_APPLE_LOCK, 1, "UNLOCK /DISK/BAR\r");

    // "DelPrompt" is "FALSE", and the question comes all the same.
    const std::string question = "Delete the file /DISK/BAR from the disk image DISK.PO?\n\n"
                                 "The emulator deletes it from the disk it used last: that disk must be this image.";
    auto [no, nothing] = Typed(IDM_APPLE_DELETE, 0, 0, IDNO);
    EXPECT_EQ(no, 1);
    EXPECT_EQ(nothing, "");
    ExpectLine(IDM_APPLE_DELETE, 0, "DELETE /DISK/BAR\r", IDYES);
    ASSERT_EQ(boxes_->Answered().size(), 2u);
    for (const BoxSeen& box : boxes_->Answered()) {
        EXPECT_EQ(box.text, question);
        EXPECT_EQ(box.flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    }
    // With "TRUE" it is still the one question.
    g_settings.delPrompt = "TRUE";
    ExpectLine(IDM_APPLE_DELETE, 0, "DELETE /DISK/BAR\r", IDYES);
    EXPECT_EQ(boxes_->Answered().size(), 3u);
}

TEST_F(DiskCommandsTest, Dos33LinesHaveNoPrefixAndANameWithACarriageReturnIsNeverTyped)
{
    StartEmulator();
    Browse(LayoutDos33, "MASTER.DSK", "", "MY PROGRAM      ", "X\rINIT HELLO");
    ExpectLine(IDM_APPLE_LOCK, 0, "LOCK MY PROGRAM\r");
    ExpectLine(IDM_APPLE_DELETE, 0, "DELETE MY PROGRAM\r", IDYES);
    auto [prefix, typed] = Typed(IDM_APPLE_PREFIX, 0, 0);
    EXPECT_EQ(prefix, 1);
    EXPECT_EQ(typed, "");

    Refused(IDM_APPLE_RENAME, "The DOS 3.3 file name X^MINIT HELLO may hold only printable characters!");
    EXPECT_EQ(g_browser.selectedAppleName, "MY PROGRAM      ");
    g_browser.selectedAppleName = "A,B";
    Refused(IDM_APPLE_DELETE, "The DOS 3.3 file name A,B cannot hold a comma!");  // before any question

    Browse(LayoutProdos, "DISK.PO", "/DISK/", "MY PROGRAM");
    Refused(IDM_APPLE_LOCK, "The ProDOS file name MY PROGRAM may hold only letters, digits and full stops!");
    Browse(LayoutProdos, "DISK.PO", "", "FOO");
    Refused(IDM_APPLE_PREFIX, "The folder path \"\" is not valid on this disk!");
}

TEST_F(DiskCommandsTest, WithoutAnEmulatorEveryCommandAnswersOne)
{
    Browse(LayoutProdos, "DISK.PO", "/DISK/", "FOO", "BAR");
    for (UINT id : {IDM_APPLE_RENAME, IDM_APPLE_PREFIX, IDM_APPLE_LOCK, IDM_APPLE_DELETE}) {
        SCOPED_TRACE(id);
        if (id == IDM_APPLE_DELETE) boxes_->Expect("TAVO", IDYES);
        boxes_->Expect("TAVO Error", IDOK);
        EXPECT_EQ(Command(id), 1);
        ASSERT_TRUE(boxes_->WaitAnswered(5000));
        EXPECT_EQ(boxes_->Answered().back().text, "No Emulator Running!");
    }
    EXPECT_EQ(g_browser.selectedAppleName, "FOO");
}

// Save types through Run; the document's own entry says which rules its path follows.
TEST_F(DiskCommandsTest, SaveChecksTheDocumentsPathByItsOwnDisk)
{
    StartEmulator();
    Command(IDM_NEW_APPLESOFT);
    HWND editor = GetActiveEditor();
    SetWindowTextA(editor, "10 END");
    size_t slot = 1;
    SetEditorSlot(editor, static_cast<LONG_PTR>(slot));
    g_documents.directory[slot] = folder_->path();
    g_documents.applePath[slot] = "MY PROGRAM";
    g_documents.fileEntry[slot].layout = LayoutDos33;
    SendMessageA(editor, EM_SETMODIFY, TRUE, 0);
    const std::string saved = "NEW\r10 END\rSAVE MY PROGRAM\r\n";
    EXPECT_EQ(Typed(IDM_SAVE, 0, saved.size()), std::make_pair(LRESULT{1}, saved));
    EXPECT_FALSE(SendMessageA(editor, EM_GETMODIFY, 0, 0));

    g_documents.applePath[slot] = "/DISK/MY PROGRAM";
    g_documents.fileEntry[slot].layout = LayoutProdosDosOrder;
    SendMessageA(editor, EM_SETMODIFY, TRUE, 0);
    boxes_->Expect("TAVO Error", IDOK);
    auto [result, typed] = Typed(IDM_SAVE, 0, 0);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(typed, "");
    ASSERT_TRUE(boxes_->WaitAnswered(5000));
    EXPECT_EQ(boxes_->Answered().back().text,
              "The ProDOS file name MY PROGRAM may hold only letters, digits and full stops!");
    EXPECT_TRUE(SendMessageA(editor, EM_GETMODIFY, 0, 0));
}

}  // namespace
