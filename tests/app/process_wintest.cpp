// TAVO.exe started as a user starts it, in an empty folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/app_fixture.h"
#include "support/box_watcher.h"

namespace {

std::string ProgramPath() { return BuildFolder() + "\\TAVO.exe"; }

class Launched {
public:
    // `arguments` follow the program's quoted name on its command line.
    explicit Launched(const std::string& folder, const std::string& arguments = "")
    {
        STARTUPINFOA startup = {sizeof startup};
        std::string program = ProgramPath();
        std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
        started_ = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  folder.c_str(), &startup, &process_);
    }
    ~Launched()
    {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    bool started() const { return started_; }
    DWORD id() const { return process_.dwProcessId; }
    HWND WaitForFrame()
    {
        for (int i = 0; i < 400; ++i) {
            std::vector<HWND> frames = TopLevelWindowsOf(process_.dwProcessId, "TAVO");
            if (!frames.empty()) return frames.front();
            Sleep(50);
        }
        return nullptr;
    }
    // The exit code, or -1 when the process did not end in time.
    long WaitForExit()
    {
        if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<long>(code);
    }

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};

std::string WindowTitle(HWND window)
{
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

TEST(ProgramStart, FirstRunSecondRunAndRectangle)
{
    TempFolder folder;
    std::string ini = folder.File("TAVO.ini");
    RECT shown = {};
    {
        Launched tavo(folder.path());
        ASSERT_TRUE(tavo.started()) << ProgramPath();
        HWND frame = tavo.WaitForFrame();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(WindowTitle(frame), "TAVO - Untitled");
        std::vector<IniEntry> entries = ReadIniEntries(ini);
        ASSERT_EQ(entries.size(), 38u);
        EXPECT_EQ(entries.front(), (IniEntry{"Data", "Version", "0.27"}));
        EXPECT_EQ(entries[9], (IniEntry{"Directories", "Src", folder.path()}));
        EXPECT_EQ(entries.back(), (IniEntry{"Utilities", "Number", "0"}));

        MoveWindow(frame, 40, 50, 640, 420, TRUE);
        GetWindowRect(frame, &shown);
        BoxWatcher boxes(tavo.id());
        boxes.Expect(kQuestionCaption, IDYES);
        PostMessageA(frame, WM_CLOSE, 0, 0);
        EXPECT_EQ(tavo.WaitForExit(), 0);
        ASSERT_EQ(boxes.Answered().size(), 1u);
        EXPECT_EQ(boxes.Answered()[0].text, "Are you sure you want to Quit?");
    }
    char value[32];
    GetPrivateProfileStringA("MainWindowSize", "Wide", "", value, sizeof value, ini.c_str());
    EXPECT_EQ(std::atoi(value), shown.right - shown.left);
    GetPrivateProfileStringA("MainWindowSize", "Left", "", value, sizeof value, ini.c_str());
    EXPECT_EQ(std::atoi(value), shown.left);

    WritePrivateProfileStringA("Prompts", "QuitPrompt", "FALSE", ini.c_str());
    {
        Launched tavo(folder.path());
        HWND frame = tavo.WaitForFrame();
        ASSERT_NE(frame, nullptr);
        RECT r;
        GetWindowRect(frame, &r);
        EXPECT_EQ(r.left, shown.left);
        EXPECT_EQ(r.top, shown.top);
        EXPECT_EQ(r.right, shown.right);
        EXPECT_EQ(r.bottom, shown.bottom);
        BoxWatcher boxes(tavo.id());
        PostMessageA(frame, WM_CLOSE, 0, 0);
        EXPECT_EQ(tavo.WaitForExit(), 0);
        EXPECT_TRUE(boxes.Unexpected().empty());
    }
}

// A settings file edited by hand: a count of utilities far past the entries
// written, two AutoRun utilities that cannot start and a frame saved too
// low to use. One box names both utilities, and the frame opens at the
// first-run size.
TEST(ProgramStart, ADamagedSettingsFileGivesOneBoxAndAUsableFrame)
{
    TempFolder folder;
    WriteFileText(folder.File("TAVO.ini"),
                  "[Prompts]\r\nQuitPrompt=FALSE\r\n[MainWindowSize]\r\nLeft=10\r\nTop=10\r\nWide=640\r\nHigh=-1\r\n"
                  "[Utilities]\r\nNumber=2147483647\r\nUtility[1]Name=One\r\nUtility[1]Path=missing1.exe\r\n"
                  "Utility[2]Name=Two\r\nUtility[2]Path=missing2.exe\r\nUtility[2]AutoRun=TRUE\r\n");
    Launched tavo(folder.path());
    BoxWatcher boxes(tavo.id());
    boxes.Expect(kErrorCaption, IDOK);
    HWND frame = tavo.WaitForFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(boxes.WaitAnswered(20000));
    EXPECT_EQ(boxes.Answered()[0].text, "Could not launch missing1.exe, missing2.exe");
    for (int i = 0; i < 100 && !IsWindowVisible(frame); ++i) Sleep(50);
    RECT r;
    GetWindowRect(frame, &r);
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN) / 2);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(tavo.WaitForExit(), 0);
    EXPECT_TRUE(boxes.Unexpected().empty());
}

// As Explorer starts TAVO for a program of an associated kind.
TEST(ProgramStart, AFileOnTheCommandLineOpensColoured)
{
    TempFolder folder;
    const std::string program = folder.File("LOOP.BAS");
    WriteFileText(program, "10 GOTO 10");
    WritePrivateProfileStringA("Prompts", "QuitPrompt", "FALSE", folder.File("TAVO.ini").c_str());
    Launched tavo(folder.path(), "\"" + program + "\"");
    HWND frame = tavo.WaitForFrame();
    ASSERT_NE(frame, nullptr);
    // The title follows the file once it is in.
    for (int i = 0; i < 100 && WindowTitle(frame) != "TAVO - LOOP.BAS"; ++i) Sleep(50);
    EXPECT_EQ(WindowTitle(frame), "TAVO - LOOP.BAS");
    HWND client = FindWindowExA(frame, nullptr, "MDICLIENT", nullptr);
    EXPECT_NE(FindWindowExA(client, nullptr, "Applesoft", "LOOP.BAS"), nullptr);
    BoxWatcher boxes(tavo.id());
    PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(tavo.WaitForExit(), 0);
    EXPECT_TRUE(boxes.Unexpected().empty());
}

}  // namespace
