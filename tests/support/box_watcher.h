// Answers the message boxes and dialogs a test expects, from a helper thread,
// and catches those nobody expected.
#pragma once
#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Written out rather than taken from the program: a test expects what the
// user is to see.
inline constexpr char kErrorCaption[] = "TAVO Error";
inline constexpr char kQuestionCaption[] = "TAVO";

struct BoxSeen {
    std::string caption;
    std::string text;   // the message of a message box (longest static text)
    std::vector<std::string> texts;  // every static text, in child order
    UINT flags = 0;     // buttons and icon as MessageBoxA was given them
    int pressed = 0;    // the button pressed on it
};

class BoxWatcher {
public:
    // Watches the top-level dialog windows of process `processId`.
    explicit BoxWatcher(DWORD processId = GetCurrentProcessId());
    ~BoxWatcher();
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;

    // The next box captioned `caption` gets `button` pressed (IDOK, IDYES ...),
    // after `fill` (run on the watcher's thread) has set its controls.
    void Expect(const std::string& caption, int button, std::function<void(HWND box)> fill = {});
    // The next box captioned `caption` is handed to `drive` on the watcher's
    // thread, to fill in and press (by posting: the watcher must go on
    // answering the boxes a press opens).
    void Expect(const std::string& caption, std::function<void(HWND box)> drive);
    // Leaves windows captioned `caption` alone: a dialog the test drives
    // itself, and the dialogs it opens (not the message boxes it shows
    // under its own caption).
    void Ignore(const std::string& caption);
    // Waits until every expected box has been answered, pumping this thread's
    // messages meanwhile; false on time-out.
    bool WaitAnswered(DWORD milliseconds = 10000);
    std::vector<BoxSeen> Answered();
    // Boxes that appeared without an expectation; they were closed with
    // Cancel, No or OK so that the test could go on.
    std::vector<BoxSeen> Unexpected();

private:
    struct Expectation {
        std::string caption;
        int button;  // 0: `fill` presses a button itself
        std::function<void(HWND box)> fill;
    };
    void Run();
    void Handle(HWND box);

    DWORD processId_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::deque<Expectation> expected_;
    std::vector<std::string> ignored_;
    std::vector<BoxSeen> answered_;
    std::vector<BoxSeen> unexpected_;
    std::vector<HWND> handled_;
    std::thread thread_;
};

// The visible top-level windows of a process with the given class name.
std::vector<HWND> TopLevelWindowsOf(DWORD processId, const char* className);

// Reads a box's caption, message text and reconstructed MessageBoxA flags.
BoxSeen DescribeBox(HWND box);

// Posts a click of button `id` to `box`.
void Press(HWND box, int id);
// Types `name` into a file dialog's name box and presses its OK button.
void ChooseFileName(HWND fileDialog, const std::string& name);
// Presses `button` on `box` and, once the box is gone, hands its owner to
// `next`: the way a test goes on with a dialog after a box it opened.
void PressThen(HWND box, int button, const std::function<void(HWND owner)>& next);
