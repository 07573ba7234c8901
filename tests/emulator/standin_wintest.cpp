// End to end: TAVO.exe and the stand-in emulator as separate programs, the
// real clipboard and synthesized keys. The stand-in records every paste
// byte for byte.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "desktop.h"
#include "resources/resource.h"
#include "support/app_fixture.h"
#include "support/box_watcher.h"
#include "support/front_taken.h"
#include "test_program.h"

namespace {

void Keys(std::initializer_list<std::pair<WORD, bool>> keys)
{
    std::vector<INPUT> inputs;
    for (auto [key, up] : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

class StandinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteFileText(folder_.File("TAVO.ini"), std::string("[Prompts]\r\nQuitPrompt=FALSE\r\n[Emulators]\r\n"
                                                            "Number=2\r\nName[1]=Nothing by this name\r\nName[2]=") +
                                                    kStandinTitle + "\r\n" + MoreSettings());
        record_ = folder_.File("record.txt");
        standin_ = StartStandin(record_, folder_.path(), emulator_);
        ASSERT_NE(emulator_, nullptr);
        tavo_ = std::make_unique<Program>(BuildFolder() + "\\TAVO.exe", "", folder_.path());
        frame_ = tavo_->WaitForWindow("TAVO");
        ASSERT_NE(frame_, nullptr);
    }
    void TearDown() override
    {
        tavo_.reset();
        standin_.reset();
    }

    // Settings file lines a test adds before the programs start.
    virtual std::string MoreSettings() const { return {}; }

    // What the stand-in records after `action`, which types into it.
    std::string Typed(const std::function<void()>& action, size_t expectedBytes)
    {
        std::string added;
        std::vector<BoxSeen> seen = RetryWhileFrontTaken([&] {
            size_t before = ReadFileText(record_).size();
            BoxWatcher boxes(tavo_->id());
            action();
            for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(20)) {
                added = ReadFileText(record_).substr(before);
                if (added.size() >= expectedBytes || !boxes.Unexpected().empty()) break;
            }
            Sleep(100);  // nothing more may follow
            added = ReadFileText(record_).substr(before);
            return boxes.Unexpected();
        });
        for (const BoxSeen& box : seen) ADD_FAILURE() << "box: " << box.text;
        return added;
    }
    void Command(UINT id) { PostMessageA(frame_, WM_COMMAND, id, 0); }
    void PressF12()
    {
        // Keys go to the foreground window: make sure it is TAVO's.
        for (int i = 0; i < 50 && GetForegroundWindow() != frame_; ++i, Sleep(20)) SetForegroundWindow(frame_);
        Keys({{VK_F12, false}, {VK_F12, true}});
    }

    DesktopLock lock_;
    TempFolder folder_;
    std::string record_;
    std::unique_ptr<Program> standin_, tavo_;
    HWND emulator_ = nullptr;
    HWND frame_ = nullptr;
};

TEST_F(StandinTest, RunInjectAndKeywordsReachTheEmulatorAndTheClipboardComesBack)
{
    ASSERT_TRUE(PutOnClipboard("the user's text"));
    HWND editor = UnmodifiedDocumentWith(frame_, IDM_NEW_APPLESOFT, "10 PRINT 1\r\n20 END\r\n");
    ASSERT_NE(editor, nullptr);
    const std::string run = "NEW\r10 PRINT 1\r20 END\r\rRUN\r\n";
    EXPECT_EQ(Typed([&] { PressF12(); }, run.size()), run);
    EXPECT_EQ(GetForegroundWindow(), emulator_);  // the user watches the program run

    SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("10 PRINT 1\r\n20 END"));
    const std::string noFinalBreak = "NEW\r10 PRINT 1\r20 END\rRUN\r\n";
    EXPECT_EQ(Typed([&] { Command(IDM_RUN_PROGRAM); }, noFinalBreak.size()), noFinalBreak);

    // Inject sends the whole document as Copy gives it, whatever is selected.
    SendMessageA(editor, EM_SETSEL, 3, 8);
    const std::string whole = "10 PRINT 1\r\n20 END";
    EXPECT_EQ(Typed([&] { Command(IDM_INJECT_TEXT); }, whole.size()), whole);
    EXPECT_EQ(SendMessageA(editor, EM_GETSEL, 0, 0), MAKELONG(3, 8));

    // A keyword with Ctrl still held from a shortcut: Ctrl is let go first.
    Keys({{VK_CONTROL, false}});
    EXPECT_EQ(Typed([&] { Command(IDM_KEYWORD_FIRST + 0x97 - 0x80); }, 5), "HOME\r");
    EXPECT_FALSE(GetAsyncKeyState(VK_CONTROL) & 0x8000);
    EXPECT_EQ(Typed([&] { Command(IDM_KEYWORD_LAST); }, 1), "\r");

    // A minimised emulator is restored before it is typed into.
    ShowWindow(emulator_, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(emulator_));
    EXPECT_EQ(Typed([&] { Command(IDM_RUN_PROGRAM); }, noFinalBreak.size()), noFinalBreak);
    EXPECT_FALSE(IsIconic(emulator_));

    std::string clipboard;
    for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs && clipboard != "the user's text"; Sleep(50))
        clipboard = ClipboardText();
    EXPECT_EQ(clipboard, "the user's text");
}

// Command 5 has an empty script and command 4 none at all.
class UserCommandTest : public StandinTest {
    std::string MoreSettings() const override
    {
        return "[Commands]\r\nCMD[1]Script=CATALOG\r\nCMD[2]Script=PRINT 1,r\r\nCMD[3]Script=PRINT 1,R\r\n"
               "CMD[5]Script=\r\nCMD[198]Script=-STARTUP\r\n";
    }
};

TEST_F(UserCommandTest, UserCommandsTypeTheirScriptsByTheirEnding)
{
    const struct {
        int n;
        std::string typed;
    } rows[] = {{1, "CATALOG\r"}, {2, "PRINT 1"}, {3, "PRINT 1,R\r"}, {198, "-STARTUP\r"}};  // 198: the last id
    for (const auto& row : rows) {
        SCOPED_TRACE(row.n);
        EXPECT_EQ(Typed([&] { Command(IDM_USER_COMMAND_FIRST - 1 + row.n); }, row.typed.size()), row.typed);
    }
    // Commands without a script, missing or empty, type nothing before the next one.
    auto threeCommands = [&] {
        Command(IDM_USER_COMMAND_FIRST + 3);
        Command(IDM_USER_COMMAND_FIRST + 4);
        Command(IDM_USER_COMMAND_FIRST);
    };
    EXPECT_EQ(Typed(threeCommands, 8), "CATALOG\r");
}

// Prints how long a long program takes from F12 to the emulator's record and
// how long TAVO's frame leaves a message unanswered meanwhile.
TEST_F(StandinTest, LongProgramFigures)
{
    std::string program, expected = "NEW\r";
    for (int line = 1; line <= 1500; ++line) {
        std::string text = std::to_string(line * 10) + " PRINT \"LINE " + std::to_string(line) + "\"";
        program += text + "\r\n";
        expected += text + "\r";
    }
    expected += "\rRUN\r\n";
    ASSERT_NE(UnmodifiedDocumentWith(frame_, IDM_NEW_APPLESOFT, program.c_str()), nullptr);

    std::atomic<bool> stop{false};
    std::atomic<long long> longestUs{0};
    std::thread prober([&] {
        while (!stop) {
            auto start = std::chrono::steady_clock::now();
            DWORD_PTR result = 0;
            SendMessageTimeoutA(frame_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
            long long us = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
            longestUs = std::max(longestUs.load(), us);
            Sleep(1);
        }
    });
    auto start = std::chrono::steady_clock::now();
    std::string typed = Typed([&] { PressF12(); }, expected.size());
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    stop = true;
    prober.join();
    EXPECT_EQ(typed, expected);
    std::printf("1500-line program: %zu bytes, F12 to the stand-in's record %lld ms (including the 100 ms "
                "settling wait of the test), longest unanswered frame message %lld ms\n",
                expected.size(), static_cast<long long>(elapsed.count()), longestUs.load() / 1000);
}

}  // namespace
