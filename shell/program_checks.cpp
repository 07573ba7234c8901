// The program checks behind the editors: a timer per editor on a window of
// its own, one worker thread at a time, and the latest result of each.
#include "shell/program_checks.h"

#include <algorithm>
#include <exception>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "shell/app.h"
#include "shell/document_windows.h"
#include "shell/editor_text.h"

namespace {

constexpr const char* kWindowClass = "TavoProgramChecks";
constexpr UINT kCheckDone = WM_APP + 1;  // from the worker; lParam owns a Done

struct Done {
    HWND editor;
    std::optional<ProgramCheck> check;  // none when memory ran out
};

// Joined before it goes, so no thread outlives the program's end.
struct Worker {
    std::thread thread;
    bool busy = false;
    ~Worker()
    {
        if (thread.joinable()) thread.join();
    }
};

HWND g_window = nullptr;
Worker g_worker;
std::vector<HWND> g_waiting;  // whose pause ended while the worker was busy
std::map<HWND, ProgramCheck> g_latest;
std::set<HWND> g_watched;  // a result for an editor since forgotten is dropped
std::set<HWND> g_pausing;  // changed since their last check started: a newer one will come

void Start(HWND editor)
{
    const std::optional<BasicLanguage> language =
        IsWindow(editor) ? LanguageOf(GetParent(editor)) : std::nullopt;
    if (!language) return;
    if (g_worker.thread.joinable()) g_worker.thread.join();
    // The answer is made here, so the worker always has one to post back.
    try {
        std::string text = EditorTextRange(editor, 0, EditorTextLength(editor));
        auto done = std::make_unique<Done>(Done{editor, std::nullopt});
        g_worker.thread = std::thread([window = g_window, language = *language, text = std::move(text),
                                       answer = done.get()] {
            // The user's keys come first when the processors are busy.
            SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
            try {
                answer->check =
                    language == BasicLanguage::Applesoft ? CheckApplesoftProgram(text) : CheckIntegerProgram(text);
            } catch (const std::bad_alloc&) {
            }
            if (!PostMessageA(window, kCheckDone, 0, reinterpret_cast<LPARAM>(answer))) delete answer;
        });
        done.release();
        g_worker.busy = true;
    } catch (const std::exception&) {
        // No memory or no thread: the next change tries again.
    }
}

void OnPauseOver(HWND editor)
{
    KillTimer(g_window, reinterpret_cast<UINT_PTR>(editor));
    g_pausing.erase(editor);
    if (!g_worker.busy) Start(editor);
    else if (std::find(g_waiting.begin(), g_waiting.end(), editor) == g_waiting.end()) g_waiting.push_back(editor);
}

void OnCheckDone(std::unique_ptr<Done> done)
{
    g_worker.thread.join();
    g_worker.busy = false;
    if (done->check && g_watched.contains(done->editor) && IsWindow(done->editor)) {
        g_latest[done->editor] = std::move(*done->check);
        // While the user types on, the windows wait for the check of the
        // text as it is when the typing pauses, and a key never waits for
        // them to be drawn again.
        const bool stale = g_pausing.contains(done->editor) ||
                           std::find(g_waiting.begin(), g_waiting.end(), done->editor) != g_waiting.end();
        if (!stale && g_app.frame)
            SendMessageA(g_app.frame, kProgramCheckedMessage, reinterpret_cast<WPARAM>(done->editor), 0);
    }
    if (!g_waiting.empty() && !g_worker.busy) {
        HWND next = g_waiting.front();
        g_waiting.erase(g_waiting.begin());
        Start(next);
    }
}

LRESULT CALLBACK ChecksProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER: OnPauseOver(reinterpret_cast<HWND>(wParam)); return 0;
    case kCheckDone: OnCheckDone(std::unique_ptr<Done>(reinterpret_cast<Done*>(lParam))); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool MakeWindow()
{
    if (IsWindow(g_window)) return true;
    WNDCLASSA windowClass = {};
    if (!GetClassInfoA(g_app.instance, kWindowClass, &windowClass)) {
        windowClass.lpfnWndProc = ChecksProc;
        windowClass.hInstance = g_app.instance;
        windowClass.lpszClassName = kWindowClass;
        if (!RegisterClassA(&windowClass)) return false;
    }
    g_window = CreateWindowExA(0, kWindowClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, g_app.instance, nullptr);
    return g_window != nullptr;
}

}  // namespace

void ProgramTextChanged(HWND editor)
{
    if (!LanguageOf(GetParent(editor)) || !MakeWindow()) return;
    g_watched.insert(editor);
    g_pausing.insert(editor);
    SetTimer(g_window, reinterpret_cast<UINT_PTR>(editor), kCheckPauseMs, nullptr);
}

const ProgramCheck* LatestProgramCheck(HWND editor)
{
    const auto found = g_latest.find(editor);
    return found == g_latest.end() ? nullptr : &found->second;
}

void ForgetProgramCheck(HWND editor)
{
    if (g_window) KillTimer(g_window, reinterpret_cast<UINT_PTR>(editor));
    g_waiting.erase(std::remove(g_waiting.begin(), g_waiting.end(), editor), g_waiting.end());
    g_latest.erase(editor);
    g_watched.erase(editor);
    g_pausing.erase(editor);
}
