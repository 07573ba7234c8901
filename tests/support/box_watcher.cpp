// The box watcher: polls for dialog windows (class "#32770") of a process.
#include "support/box_watcher.h"

#include <dlgs.h>

#include <algorithm>

namespace {

constexpr DWORD kPollMilliseconds = 20;
constexpr DWORD kTextWaitMilliseconds = 2000;
constexpr DWORD kCloseWaitMilliseconds = 10000;

struct Collect {
    DWORD processId;
    const char* className;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindows(HWND window, LPARAM lParam)
{
    auto* collect = reinterpret_cast<Collect*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (pid == collect->processId && IsWindowVisible(window) && std::string(className) == collect->className)
        collect->windows.push_back(window);
    return TRUE;
}

struct Statics {
    std::string longestText;
    std::vector<std::string> texts;
    HICON icon = nullptr;
};

BOOL CALLBACK ReadStatic(HWND child, LPARAM lParam)
{
    auto* statics = reinterpret_cast<Statics*>(lParam);
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (_stricmp(className, "Static") != 0) return TRUE;
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
        statics->icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        return TRUE;
    }
    char text[1024] = {};
    GetWindowTextA(child, text, sizeof text);
    statics->texts.push_back(text);
    if (strlen(text) > statics->longestText.size()) statics->longestText = text;
    return TRUE;
}

// A box is read once it has its caption and its controls, which come with
// WM_INITDIALOG; a slow machine may show the frame a moment before.
bool WaitForText(HWND box)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < kTextWaitMilliseconds; Sleep(1)) {
        if (!IsWindow(box)) return false;
        if (GetWindowTextLengthA(box) > 0 && GetWindow(box, GW_CHILD)) return true;
    }
    return false;
}

// A message box that a dialog shows with the dialog's own caption (the
// file dialogs' prompts do): it is answered like any other box.
bool CaptionedLikeItsOwner(HWND box, const std::string& caption)
{
    char className[16] = {}, ownerCaption[256] = {};
    HWND owner = GetWindow(box, GW_OWNER);
    return owner && GetClassNameA(owner, className, sizeof className) && std::string(className) == "#32770" &&
           GetWindowTextA(owner, ownerCaption, sizeof ownerCaption) && caption == ownerCaption;
}

}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId, const char* className)
{
    Collect collect = {processId, className, {}};
    EnumWindows(CollectWindows, reinterpret_cast<LPARAM>(&collect));
    return collect.windows;
}

BoxSeen DescribeBox(HWND box)
{
    BoxSeen seen;
    char caption[256] = {};
    GetWindowTextA(box, caption, sizeof caption);
    seen.caption = caption;
    Statics statics;
    EnumChildWindows(box, ReadStatic, reinterpret_cast<LPARAM>(&statics));
    seen.text = statics.longestText;
    seen.texts = statics.texts;

    bool ok = GetDlgItem(box, IDOK), cancel = GetDlgItem(box, IDCANCEL);
    bool yes = GetDlgItem(box, IDYES), no = GetDlgItem(box, IDNO);
    if (yes && no && cancel) seen.flags = MB_YESNOCANCEL;
    else if (yes && no) seen.flags = MB_YESNO;
    else if (ok && cancel) seen.flags = MB_OKCANCEL;
    else seen.flags = MB_OK;

    if (statics.icon) {
        if (statics.icon == LoadIconA(nullptr, IDI_WARNING)) seen.flags |= MB_ICONWARNING;
        else if (statics.icon == LoadIconA(nullptr, IDI_ERROR)) seen.flags |= MB_ICONERROR;
        else if (statics.icon == LoadIconA(nullptr, IDI_QUESTION)) seen.flags |= MB_ICONQUESTION;
        else if (statics.icon == LoadIconA(nullptr, IDI_INFORMATION)) seen.flags |= MB_ICONINFORMATION;
    }
    return seen;
}

BoxWatcher::BoxWatcher(DWORD processId) : processId_(processId), thread_([this] { Run(); }) {}

BoxWatcher::~BoxWatcher()
{
    stop_ = true;
    thread_.join();
}

void BoxWatcher::Expect(const std::string& caption, int button, std::function<void(HWND box)> fill)
{
    std::lock_guard lock(mutex_);
    expected_.push_back({caption, button, std::move(fill)});
}

void BoxWatcher::Expect(const std::string& caption, std::function<void(HWND box)> drive)
{
    std::lock_guard lock(mutex_);
    expected_.push_back({caption, 0, std::move(drive)});
}

void BoxWatcher::Ignore(const std::string& caption)
{
    std::lock_guard lock(mutex_);
    ignored_.push_back(caption);
}

void Press(HWND box, int id)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

void PressThen(HWND box, int button, const std::function<void(HWND owner)>& next)
{
    HWND owner = GetWindow(box, GW_OWNER);
    Press(box, button);
    for (DWORD start = GetTickCount(); IsWindow(box) && GetTickCount() - start < kCloseWaitMilliseconds; Sleep(1))
        PostMessageA(box, WM_NULL, 0, 0);
    next(owner);
}

bool BoxWatcher::WaitAnswered(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (expected_.empty()) return true;
        }
        if (GetTickCount() - start > milliseconds) return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
}

std::vector<BoxSeen> BoxWatcher::Answered()
{
    std::lock_guard lock(mutex_);
    return answered_;
}

std::vector<BoxSeen> BoxWatcher::Unexpected()
{
    std::lock_guard lock(mutex_);
    return unexpected_;
}

void BoxWatcher::Handle(HWND box)
{
    BoxSeen seen = DescribeBox(box);
    if (!IsWindow(box)) return;
    int button = 0;
    std::function<void(HWND box)> fill;
    {
        std::lock_guard lock(mutex_);
        if (!expected_.empty() && expected_.front().caption == seen.caption) {
            button = expected_.front().button;
            fill = std::move(expected_.front().fill);
            expected_.pop_front();
            seen.pressed = button;
            answered_.push_back(seen);
        } else {
            for (int candidate : {IDCANCEL, IDNO, IDOK})
                if (GetDlgItem(box, candidate)) {
                    button = candidate;
                    break;
                }
            seen.pressed = button;
            unexpected_.push_back(seen);
        }
    }
    if (fill) fill(box);
    if (button) Press(box, button);
}

void BoxWatcher::Run()
{
    while (!stop_) {
        std::vector<HWND> boxes = TopLevelWindowsOf(processId_, "#32770");
        // Forget boxes that are gone; a new box may get an old handle back.
        std::erase_if(handled_, [&](HWND h) {
            return std::find(boxes.begin(), boxes.end(), h) == boxes.end();
        });
        for (HWND box : boxes) {
            if (std::find(handled_.begin(), handled_.end(), box) != handled_.end()) {
                // Still there after its button: its modal loop may be waiting
                // for a message before it notices that it has ended.
                PostMessageA(box, WM_NULL, 0, 0);
                continue;
            }
            bool titled = WaitForText(box);
            char caption[256] = {};
            GetWindowTextA(box, caption, sizeof caption);
            {
                // A dialog the test drives may take longer to get its title
                // than a message box: it is not closed before it could be told apart.
                std::lock_guard lock(mutex_);
                if (!titled && !ignored_.empty()) continue;
                if (std::find(ignored_.begin(), ignored_.end(), caption) != ignored_.end() &&
                    !CaptionedLikeItsOwner(box, caption))
                    continue;
            }
            if (!IsWindow(box)) continue;  // closed by its owner while it was read
            Handle(box);
            handled_.push_back(box);
        }
        Sleep(kPollMilliseconds);
    }
}

void ChooseFileName(HWND fileDialog, const std::string& name)
{
    // The name box is a combo box (cmb13), or in older dialogs an edit field (edt1).
    SetDlgItemTextA(fileDialog, GetDlgItem(fileDialog, cmb13) ? cmb13 : edt1, name.c_str());
    Press(fileDialog, IDOK);
}
