// The browser's disk commands and Save of an Apple document, typed into the
// stand-in emulator by TAVO running in-process: the exact lines it records,
// the delete question, and the names refused before anything is typed.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "core/disk/browser_names.h"
#include "core/disk/image.h"
#include "desktop.h"
#include "resources/resource.h"
#include "shell/documents.h"
#include "shell/settings.h"
#include "support/app_fixture.h"
#include "test_program.h"

namespace {


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
        // These tests follow the way through the emulator; the image is not written directly.
        WriteFileText(IniPath(), std::string("[Prompts]\r\nQuitPrompt=FALSE\r\nDelPrompt=FALSE\r\nWriteImagesDirectly=FALSE\r\n"
                                             "[Emulators]\r\nNumber=1\r\nName[1]=") + kStandinTitle + "\r\n");
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
        standin_ = StartStandin(record_, folder_->path(), window);
        ASSERT_NE(window, nullptr);
    }

    // The command's answer and what the stand-in recorded meanwhile, the
    // delete question answered `answer` on every try.
    std::pair<LRESULT, std::string> Typed(UINT id, WORD high, const std::string& expected, int answer = 0)
    {
        LRESULT result = 0;
        std::string typed;
        RetryWhileFrontTaken([&] {
            size_t before = ReadFileText(record_).size();
            if (answer) boxes_->Expect(kQuestionCaption, answer);
            result = Command(id, high);
            for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(20))
                if (ReadFileText(record_).size() >= before + expected.size()) break;
            Sleep(100);  // nothing more may follow
            typed = ReadFileText(record_).substr(before);
        });
        return {result, typed};
    }
    void ExpectTyped(UINT id, WORD high, const std::string& line, int answer = 0)
    {
        EXPECT_EQ(Typed(id, high, line, answer), std::make_pair(LRESULT{0}, line));
    }
    // Answer 1 and nothing typed, after the error `text`.
    void ExpectRefused(UINT id, const std::string& text)
    {
        boxes_->Expect(kErrorCaption, IDOK);
        EXPECT_EQ(Typed(id, 0, ""), std::make_pair(LRESULT{1}, std::string()));
        ASSERT_TRUE(boxes_->WaitAnswered(5000));
        EXPECT_EQ(boxes_->Answered().back().text, text);
    }

    std::unique_ptr<DesktopLock> lock_;
    std::unique_ptr<Program> standin_;
    std::string record_;
};

TEST_F(DiskCommandsTest, ProdosLinesTheDeleteQuestionAndTheNewName)
{
    g_browser = {.imageTitle = "DISK.PO", .layout = LayoutProdos, .currentPrefix = "/DISK/",
                 .selectedAppleName = "FOO", .newAppleName = "BAR"};
    boxes_->Expect(kErrorCaption, IDOK);
    EXPECT_EQ(Command(IDM_APPLE_RENAME), 1);
    ASSERT_TRUE(boxes_->WaitAnswered(5000));
    EXPECT_EQ(boxes_->Answered().back().text, "No Emulator Running!");
    EXPECT_EQ(g_browser.selectedAppleName, "FOO");

    StartEmulator();
    ExpectTyped(IDM_APPLE_RENAME, 0, "RENAME /DISK/FOO, /DISK/BAR\r");
    EXPECT_EQ(g_browser.selectedAppleName, "BAR");
    ExpectTyped(IDM_APPLE_PREFIX, 0, "PREFIX /DISK/\r");
    ExpectTyped(IDM_APPLE_LOCK, 0, "LOCK /DISK/BAR\r");
    ExpectTyped(IDM_APPLE_LOCK, 1, "UNLOCK /DISK/BAR\r");

    // "DelPrompt" is "FALSE", and the question comes all the same; with "TRUE"
    // it comes once (a second box would be unexpected).
    auto expectQuestion = [&] {
        ASSERT_FALSE(boxes_->Answered().empty());
        EXPECT_EQ(boxes_->Answered().back().text,
                  "Delete the file /DISK/BAR from the disk image DISK.PO?\n\n"
                  "The emulator deletes it from the disk it used last: that disk must be this image.");
        EXPECT_EQ(boxes_->Answered().back().flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    };
    EXPECT_EQ(Typed(IDM_APPLE_DELETE, 0, "", IDNO), std::make_pair(LRESULT{1}, std::string()));
    expectQuestion();
    ExpectTyped(IDM_APPLE_DELETE, 0, "DELETE /DISK/BAR\r", IDYES);
    expectQuestion();
    g_settings.delPrompt = "TRUE";
    ExpectTyped(IDM_APPLE_DELETE, 0, "DELETE /DISK/BAR\r", IDYES);
    expectQuestion();
}

TEST_F(DiskCommandsTest, Dos33LinesHaveNoPrefixAndANameWithACarriageReturnIsNeverTyped)
{
    StartEmulator();
    g_browser = {.imageTitle = "MASTER.DSK", .layout = LayoutDos33, .currentPrefix = "",
                 .selectedAppleName = "MY PROGRAM      ", .newAppleName = "X\rINIT HELLO"};
    ExpectTyped(IDM_APPLE_LOCK, 0, "LOCK MY PROGRAM\r");
    ExpectTyped(IDM_APPLE_DELETE, 0, "DELETE MY PROGRAM\r", IDYES);
    EXPECT_EQ(Typed(IDM_APPLE_PREFIX, 0, ""), std::make_pair(LRESULT{1}, std::string()));
    ExpectRefused(IDM_APPLE_RENAME, "The DOS 3.3 file name X^MINIT HELLO may hold only printable characters!");
    EXPECT_EQ(g_browser.selectedAppleName, "MY PROGRAM      ");
}

// The document's own entry says which rules its path follows.
TEST_F(DiskCommandsTest, SaveChecksThePathByTheDocumentsDisk)
{
    StartEmulator();
    HWND editor = UnmodifiedDocumentWith(IDM_NEW_APPLESOFT, "10 END");
    SetEditorSlot(editor, 1);
    g_documents.applePath[1] = "MY PROGRAM";
    g_documents.fileEntry[1].layout = LayoutDos33;
    const std::string saved = "NEW\r10 END\rSAVE MY PROGRAM\r\n";
    EXPECT_EQ(Typed(IDM_SAVE, 0, saved), std::make_pair(LRESULT{1}, saved));

    g_documents.applePath[1] = "/DISK/MY PROGRAM";
    g_documents.fileEntry[1].layout = LayoutProdosDosOrder;
    SendMessageA(editor, EM_SETMODIFY, TRUE, 0);
    boxes_->Expect(kErrorCaption, IDOK);
    EXPECT_EQ(Typed(IDM_SAVE, 0, ""), std::make_pair(LRESULT{0}, std::string()));
    ASSERT_TRUE(boxes_->WaitAnswered(5000));
    EXPECT_EQ(boxes_->Answered().back().text,
              "The ProDOS file name MY PROGRAM may hold only letters, digits and full stops!");
    EXPECT_TRUE(SendMessageA(editor, EM_GETMODIFY, 0, 0));
}

}  // namespace
