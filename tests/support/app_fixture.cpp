// In-process start of the application for the Windows tests.
#include "support/app_fixture.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include <richedit.h>

#include "app/startup.h"
#include "shell/app.h"
#include "shell/settings.h"
#include "support/front_taken.h"

std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFileText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::vector<IniEntry> ReadIniEntries(const std::string& path)
{
    std::vector<IniEntry> entries;
    std::istringstream in(ReadFileText(path));
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        entries.push_back({section, line.substr(0, equals), line.substr(equals + 1)});
    }
    return entries;
}

TempFolder::TempFolder()
{
    char base[MAX_PATH] = {};
    GetTempPathA(sizeof base, base);
    static int counter = 0;
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%stavo-test-%lu-%lu-%d", base, GetCurrentProcessId(), GetTickCount(),
                  ++counter);
    path_ = name;
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..") DeleteFileA((path_ + "\\" + name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
}

bool PumpMessages(int* quitCode)
{
    MSG message;
    bool quit = false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            if (quitCode) *quitCode = static_cast<int>(message.wParam);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return quit;
}

HWND NewDocumentWith(HWND frame, UINT command, const char* text)
{
    SendMessageA(frame, WM_COMMAND, command, 0);
    PumpMessages();
    HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
    HWND document = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
    HWND editor = document ? GetWindow(document, GW_CHILD) : nullptr;
    SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    return editor;
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const ULONGLONG until = GetTickCount64() + milliseconds;
    while (!done()) {
        if (GetTickCount64() >= until) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

HWND UnmodifiedDocumentWith(HWND frame, UINT command, const char* text)
{
    HWND editor = NewDocumentWith(frame, command, text);
    SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
    return editor;
}

std::string BuildFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

void AppTest::SetUp()
{
    folder_ = std::make_unique<TempFolder>();
    SetCurrentDirectoryA(folder_->path().c_str());
    boxes_ = std::make_unique<BoxWatcher>();
    PrepareStartFolder();
    if (StartsInSetUp()) ASSERT_NE(Start(), nullptr);
}

HWND AppTest::Start(std::string commandLine)
{
    frame_ = StartApplication(GetModuleHandleA(nullptr), commandLine.data(), SW_SHOWNORMAL);
    PumpMessages();
    return frame_;
}

void AppTest::TearDown()
{
    if (frame_ && IsWindow(frame_)) {
        // Leave without questions whatever the test left open.
        g_settings.quitPrompt = "FALSE";
        for (HWND child = GetWindow(g_app.mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (HWND editor = GetWindow(child, GW_CHILD)) SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
        SendMessageA(frame_, WM_CLOSE, 0, 0);
        if (IsWindow(frame_)) DestroyWindow(frame_);
    }
    PumpMessages();
    for (const BoxSeen& box : boxes_->Unexpected())
        ADD_FAILURE() << "unexpected box \"" << box.caption << "\": " << box.text;
    boxes_.reset();
    SetCurrentDirectoryA("C:\\");
    folder_.reset();
}

void AppTest::RetryWhileFrontTaken(const std::function<void()>& attempt)
{
    bool again = false;
    ::RetryWhileFrontTaken([&] {
        if (std::exchange(again, true)) boxes_ = std::make_unique<BoxWatcher>();
        attempt();
        return boxes_->Unexpected();
    });
}

LRESULT AppTest::Command(UINT id, WORD high)
{
    LRESULT result = SendMessageA(frame_, WM_COMMAND, MAKEWPARAM(id, high), 0);
    PumpMessages();
    return result;
}

bool AppTest::CloseFrame(int* quitCode)
{
    SendMessageA(frame_, WM_CLOSE, 0, 0);
    int code = -1;
    bool quit = PumpMessages(&code);
    if (quitCode) *quitCode = code;
    quitSeen_ = quit;
    return !IsWindow(frame_) && quit;
}

std::string AppTest::Setting(const char* section, const char* key)
{
    char value[260] = {};
    GetPrivateProfileStringA(section, key, "<absent>", value, sizeof value, IniPath().c_str());
    return value;
}
