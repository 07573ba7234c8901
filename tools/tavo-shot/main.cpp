// Starts TAVO.exe in the current folder, says "ready" once its frame is up,
// waits until the file named by the second argument exists (the screenshot
// has been taken), then closes TAVO with WM_CLOSE, answering the quit
// question with Yes. Exits with TAVO's exit code. Used by scripts/run.sh on
// machines without a display. "--open FILE" names a file for TAVO's command
// line and waits until the frame shows it open. A last argument, the name
// of a disk image in the current folder, makes it choose Open and pick that
// image, so the picture shows the open dialog listing the image's files.
// "--command ID" sends the frame that command once the file is open (52,
// Check Program, shows its results over the program).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search {
    DWORD processId;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->processId || !IsWindowVisible(window)) return TRUE;
    char className[64] = {}, title[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (std::string(className) == search->className && (!search->title || std::string(title) == search->title)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindow(DWORD pid, const char* className, const char* title, DWORD milliseconds)
{
    for (DWORD waited = 0; waited < milliseconds; waited += 50) {
        Search search = {pid, className, title, nullptr};
        EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: tavo-shot TAVO.exe SHOT-TAKEN-FILE [--open FILE] [--command ID] [DISK-IMAGE]\n");
        return 2;
    }
    int next = 3;
    const char* opened = nullptr;
    if (argc > next + 1 && std::string(argv[next]) == "--open") {
        opened = argv[next + 1];
        next += 2;
    }
    int command = 0;
    if (argc > next + 1 && std::string(argv[next]) == "--command") {
        command = std::atoi(argv[next + 1]);
        next += 2;
    }
    const char* image = argc > next ? argv[next] : nullptr;
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    std::string commandLine = std::string("\"") + argv[1] + "\"";
    if (opened) commandLine += std::string(" \"") + opened + "\"";
    if (!CreateProcessA(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", argv[1], GetLastError());
        return 2;
    }
    HWND frame = WaitForWindow(process.dwProcessId, "TAVO", nullptr, 30000);
    if (!frame) {
        std::fprintf(stderr, "TAVO's frame did not appear\n");
        TerminateProcess(process.hProcess, 3);
        return 3;
    }
    if (opened) {
        // The frame's title names the file once it is open.
        std::string name = opened;
        name = "TAVO - " + name.substr(name.find_last_of("\\/") + 1);
        char title[256] = {};
        for (int i = 0; i < 200 && name != title; ++i) {
            Sleep(50);
            GetWindowTextA(frame, title, sizeof title);
        }
        if (name != title) std::fprintf(stderr, "%s did not open\n", opened);
    }
    if (command) PostMessageA(frame, WM_COMMAND, static_cast<WPARAM>(command), 0);
    HWND dialog = nullptr;
    if (image) {
        PostMessageA(frame, WM_COMMAND, 11, 0);  // Open
        dialog = WaitForWindow(process.dwProcessId, "#32770", "Open a file to edit:", 10000);
        if (!dialog) {
            std::fprintf(stderr, "the open dialog did not appear\n");
            TerminateProcess(process.hProcess, 3);
            return 3;
        }
        Sleep(500);
        // The file name box: combo box 1148 on Windows, edit 1152 under Wine.
        HWND nameBox = GetDlgItem(dialog, 1148);
        if (!nameBox) nameBox = GetDlgItem(dialog, 1152);
        SendMessageA(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(image));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
    Sleep(1000);  // let the first paint finish before the picture
    std::printf("ready\n");
    std::fflush(stdout);
    for (int i = 0; i < 600 && GetFileAttributesA(argv[2]) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);

    if (dialog) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        Sleep(500);
    }
    PostMessageA(frame, WM_CLOSE, 0, 0);
    if (HWND question = WaitForWindow(process.dwProcessId, "#32770", "TAVO", 5000))
    {
        PostMessageA(question, WM_COMMAND, IDYES, 0);
        PostMessageA(question, WM_NULL, 0, 0);  // the modal loop ends at its next message
    }
    DWORD code = 4;
    if (WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    else TerminateProcess(process.hProcess, 4);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
