// Times Renumber on a 1,500-line Applesoft program in the real application,
// the whole command after its dialog: the program read, renumbered, put into
// the editor as one undo step, coloured where it shows and drawn; then the
// colouring of the rest, which idle time does while the user goes on, and
// an Undo of it all. Lines ended by CR alone (a listing from a disk image)
// and by CR LF (a Windows file), and with the colouring off, which leaves
// only what the control spends. Prints figures; judges nothing.
#include <windows.h>
#include <richedit.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/startup.h"
#include "editing/renumber_command.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/editor_colouring.h"
#include "shell/settings.h"
#include "tools/bench/win_bench.h"

namespace {

constexpr int kLines = 1500;
constexpr int kRuns = 3;

// Statements of a real program, a jump in most lines.
std::string Program(const char* lineEnd)
{
    static const char* const bodies[] = {
        "HOME : VTAB 5 : PRINT \"PLAYER \";P;\" HAS \";HP;\" HIT POINTS\"",
        "IF K = 27 THEN GOSUB 30 : REM BACK TO THE MENU",
        "FOR J = 1 TO 20 : B(J) = PEEK(768 + J) : NEXT J",
        "ON M GOTO 10,20,40 : GOTO 40",
        "IF A > B THEN 100",
    };
    std::string text = NumberedLines(bodies, kLines);
    std::string ended;
    for (char c : text)
        if (c == '\r') ended += lineEnd;
        else if (c != '\n') ended += c;
    return ended;
}

struct Times {
    std::vector<double> command;  // ms, each run
    double colouring;             // ms, after the first run
    double undo;                  // ms, Edit > Undo of the last run until drawn
    double undoColouring;         // ms, after the undo, until the rest is coloured
};

// Renumbering the whole program, by 10 and by 5 in turn so that every run
// changes every number. The control takes each renumbering more slowly than
// the one before, as its undo history grows: each run is printed.
Times TimeRenumbering(HWND frame, const std::string& program)
{
    SendMessageA(frame, WM_COMMAND, IDM_NEW_APPLESOFT, 0);
    HWND editor = GetActiveEditor();
    SendMessageA(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(program.c_str()));
    while (ColouringPending(editor)) Pump();
    Times times = {{}, 0, 0, 0};
    for (int i = 0; i < kRuns; ++i) {
        const double start = Now();
        RenumberActiveProgram(frame, {0, LONG_MAX, 10, i % 2 ? 10 : 5});
        UpdateWindow(editor);
        const double done = Now();
        times.command.push_back(done - start);
        if (i == 0) {
            while (ColouringPending(editor)) Pump();
            times.colouring = Now() - done;
        }
    }
    const double undoStart = Now();
    SendMessageA(frame, WM_COMMAND, IDM_UNDO, 0);
    UpdateWindow(editor);
    times.undo = Now() - undoStart;
    while (ColouringPending(editor)) Pump();
    times.undoColouring = Now() - undoStart - times.undo;
    SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
    SendMessageA(frame, WM_COMMAND, IDM_CLOSE_ALL, 0);  // the next program starts as this one did
    return times;
}

}  // namespace

int main()
{
    const std::string folder = EnterBenchFolder("tavo-renumber-bench");
    HWND frame = StartTavo();
    if (!frame) return 1;
    const std::string cr = Program("\r"), crlf = Program("\r\n");
    std::printf("Renumber, the whole command, on %d lines, %d runs one after the other:\n", kLines, kRuns);
    const auto print = [frame](const char* what, const std::string& program) {
        const Times times = TimeRenumbering(frame, program);
        std::printf("  %s (%zu characters):", what, program.size());
        for (double ms : times.command) std::printf(" %.1f ms", ms);
        std::printf("; after the first, the rest coloured in idle time: %.1f ms\n", times.colouring);
        std::printf("    Undo of the last: %.1f ms, the rest coloured in idle time: %.1f ms\n", times.undo,
                    times.undoColouring);
    };
    print("lines ended by CR", cr);
    print("lines ended by CR LF", crlf);
    // What Wine's control alone spends replacing the lines as one undo
    // step, with no colour runs to take out.
    g_settings.syntaxColor = 0;
    print("lines ended by CR LF, colouring off", crlf);
    g_settings.syntaxColor = 1;

    StopTavo(frame, folder);
    return 0;
}
