// Times Applesoft colouring in the real editor: a 1,500-line listing opened
// plain and opened coloured (as Open does with Alt held), then the line
// recolouring that follows each keystroke on a long line. Prints figures;
// judges nothing.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/documents.h"
#include "app/startup.h"
#include "app/windows_files.h"
#include "basic/editor_colouring.h"
#include "tools/bench/win_bench.h"

namespace {

constexpr int kLines = 1500;
constexpr int kKeystrokes = 200;

// A listing with the mix of a real program: keywords, strings, remarks, data.
std::string Listing()
{
    const char* bodies[] = {
        "HOME : PRINT \"SCORE: \";SC;\" LIVES: \";LV",
        "IF X > 39 THEN X = 0 : GOSUB 2000",
        "FOR I = 1 TO 10 : A(I) = INT(RND(1) * 100) : NEXT I",
        "REM *** MOVE THE PLAYER AND CHECK THE WALLS ***",
        "DATA 12,34,\"HELLO\",56,TO,AT",
        "HCOLOR= 3 : HPLOT X,Y TO X + 10,Y : VTAB 20 : HTAB 5",
        "ON K GOTO 100,200,300 : ONERR GOTO 9000",
        "A$ = LEFT$(B$,3) + MID$(C$,2,4) : PRINT A$",
    };
    std::string text;
    for (int i = 0; i < kLines; ++i) {
        text += std::to_string((i + 1) * 10) + " " + bodies[i % 8] + "\r\n";
    }
    return text;
}

// Opens `name` from `folder` as Open does after its dialog.
double TimeOpen(HWND frame, const std::string& folder, const std::string& name, bool alt)
{
    std::string buffer = folder;
    buffer += '\0';
    size_t offset = buffer.size();
    buffer += name;
    buffer += '\0';
    buffer += '\0';
    KeyHeld held = alt ? [](int key) { return key == VK_MENU; } : [](int) { return false; };
    double start = Now();
    OpenChosenFiles(frame, buffer.data(), buffer.size(), offset, held);
    Pump();
    return Now() - start;
}

// Types at the end of `editor` after appending `line`; the times of the key
// releases, which is when an Applesoft document recolours.
std::vector<double> TimeKeystrokes(HWND editor, const std::string& line)
{
    LONG end = GetWindowTextLengthA(editor);
    CHARRANGE at = {end, end};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
    SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(line.c_str()));
    std::vector<double> times;
    const char typed[] = "IF X THEN PRINT ";
    for (int i = 0; i < kKeystrokes; ++i) {
        char c = typed[i % (sizeof typed - 1)];
        UINT key = static_cast<UINT>(VkKeyScanA(c) & 0xFF);
        SendMessageA(editor, WM_KEYDOWN, key, 1);
        SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
        Pump();
        double start = Now();
        SendMessageA(editor, WM_KEYUP, key, 0xC0000001);
        Pump();
        times.push_back(Now() - start);
    }
    return times;
}

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    size_t index = static_cast<size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

}  // namespace

int main()
{
    char base[MAX_PATH] = {};
    GetTempPathA(sizeof base, base);
    std::string folder = std::string(base) + "tavo-colour-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    SetCurrentDirectoryA(folder.c_str());
    const std::string listing = Listing();
    HANDLE file = CreateFileA((folder + "\\LISTING.TXT").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, listing.data(), static_cast<DWORD>(listing.size()), &written, nullptr);
    CloseHandle(file);

    HWND frame = StartApplication(GetModuleHandleA(nullptr), const_cast<char*>(""), SW_SHOWNORMAL);
    if (!frame) {
        std::printf("TAVO did not start\n");
        return 1;
    }
    Pump();
    TimeOpen(frame, folder, "LISTING.TXT", false);  // warms the control and the font cache
    double plain = TimeOpen(frame, folder, "LISTING.TXT", false);
    double coloured = TimeOpen(frame, folder, "LISTING.TXT", true);
    std::printf("open %d lines (%zu characters): plain %.1f ms, coloured %.1f ms, ratio %.2f\n", kLines,
                listing.size(), plain, coloured, coloured / plain);

    // Keystrokes at the end of a long line: in the coloured document, and
    // for comparison in the plain one, where a key is not recoloured.
    HWND editor = GetActiveEditor();
    std::string line = "20000 ";
    while (line.size() < 240) line += "PRINT \"A\";X : GOTO 10 : ";
    std::vector<double> times = TimeKeystrokes(editor, line);
    std::printf("key release on a %zu-character line, %d keys, coloured: median %.2f ms, 95th percentile %.2f ms\n",
                line.size(), kKeystrokes, Percentile(times, 0.5), Percentile(times, 0.95));
    HWND plainEditor = EditorOf(GetWindow(GetActiveDocument(), GW_HWNDNEXT));
    SendMessageA(g_app.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(GetParent(plainEditor)), 0);
    Pump();
    std::vector<double> plainTimes = TimeKeystrokes(plainEditor, line);
    std::printf("the same keys in a plain document: median %.2f ms, 95th percentile %.2f ms\n",
                Percentile(plainTimes, 0.5), Percentile(plainTimes, 0.95));

    // The recolouring alone, without the repaint and read-out that follow a key.
    std::vector<double> alone;
    LONG caret = GetWindowTextLengthA(editor);
    LONG lineStart = static_cast<LONG>(SendMessageA(editor, EM_LINEINDEX, static_cast<WPARAM>(-1), 0));
    for (int i = 0; i < kKeystrokes; ++i) {
        double start = Now();
        ColourLineToCaret(editor, lineStart, caret);
        alone.push_back(Now() - start);
    }
    std::printf("ColourLineToCaret alone: median %.2f ms, 95th percentile %.2f ms\n", Percentile(alone, 0.5),
                Percentile(alone, 0.95));

    for (HWND child = GetWindow(g_app.mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (HWND childEditor = GetWindow(child, GW_CHILD)) SendMessageA(childEditor, EM_SETMODIFY, FALSE, 0);
    DestroyWindow(frame);
    Pump();
    DeleteFileA((folder + "\\LISTING.TXT").c_str());
    DeleteFileA((folder + "\\TAVO.ini").c_str());
    SetCurrentDirectoryA(base);
    RemoveDirectoryA(folder.c_str());
    return 0;
}
