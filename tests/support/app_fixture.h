// Starts the application in-process, as WinMain does up to its message loop,
// in a fresh start folder, and drives it with messages.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/box_watcher.h"

// One key of an INI file, in file order.
struct IniEntry {
    std::string section;
    std::string key;
    std::string value;
    bool operator==(const IniEntry&) const = default;
};
std::vector<IniEntry> ReadIniEntries(const std::string& path);
std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);

// The folder of the test program, where the build also puts TAVO.exe and
// TAVOHelp.chm.
std::string BuildFolder();

// A fresh, empty folder under the temporary folder, removed with its files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Dispatches this thread's messages until none is left; true if WM_QUIT came
// (its code in *quitCode).
bool PumpMessages(int* quitCode = nullptr);
// Dispatches this thread's messages until `done` says so or `milliseconds`
// have passed; the last answer of `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 10000);

// A new document of the kind New command `command` makes in the frame `frame`,
// of this process or another, `text` typed into it; its editor.
HWND NewDocumentWith(HWND frame, UINT command, const char* text);
// The same left unmodified, as a document just opened is: closing it asks nothing.
HWND UnmodifiedDocumentWith(HWND frame, UINT command, const char* text);

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs before start-up so a test can prepare the settings file.
    virtual void PrepareStartFolder() {}
    // Starts the application in the start folder; called by SetUp unless a
    // test starts it itself (then override StartsInSetUp).
    virtual bool StartsInSetUp() const { return true; }
    // `commandLine` as WinMain gets it, without the program's name.
    HWND Start(std::string commandLine = "");

    LRESULT Command(UINT id, WORD high = 0);
    HWND NewDocumentWith(UINT command, const char* text) { return ::NewDocumentWith(frame_, command, text); }
    HWND UnmodifiedDocumentWith(UINT command, const char* text)
    {
        return ::UnmodifiedDocumentWith(frame_, command, text);
    }
    // RetryWhileFrontTaken for an attempt made here, whose boxes boxes_
    // watches: those of a try made again are forgotten.
    void RetryWhileFrontTaken(const std::function<void()>& attempt);
    // Sends WM_CLOSE and pumps; true when the frame was destroyed and the quit
    // message posted.
    bool CloseFrame(int* quitCode = nullptr);
    std::string IniPath() const { return folder_->File("TAVO.ini"); }
    std::string Setting(const char* section, const char* key);

    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<BoxWatcher> boxes_;
    HWND frame_ = nullptr;
    bool quitSeen_ = false;
};
