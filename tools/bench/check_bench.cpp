// Times Check Program on a 1,500-line Applesoft program in the real
// application: the check of the editor's text alone, and the whole command
// with its results window filled. Prints figures; judges nothing.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/startup.h"
#include "editing/check_program.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "tools/bench/win_bench.h"

namespace {

constexpr int kLines = 1500;
constexpr int kRuns = 7;

// A program with the statements of a real one and, every few lines, a
// problem for the check to report.
std::string Program()
{
    static const char* const bodies[] = {
        "HOME : VTAB 5 : PRINT \"PLAYER \";P;\" HAS \";HP;\" HIT POINTS\"",
        "IF K = 27 THEN GOSUB 30 : REM BACK TO THE MENU",
        "FOR J = 1 TO 20 : B(J) = PEEK(768 + J) : NEXT J",
        "SCORE = SCORE + 10",
        "DATA 3,1,4,1,5,9,2,6,\"PI\"",
        "HGR : HCOLOR= 7 : HPLOT 0,0 TO 279,191",
        "ON M GOTO 10,20,99999 : GOTO 40",
        "NAME$ = MID$(A$,2,5) + CHR$(13)",
    };
    return NumberedLines(bodies, kLines);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main()
{
    const std::string folder = EnterBenchFolder("tavo-check-bench");
    HWND frame = StartApplication(GetModuleHandleA(nullptr), const_cast<char*>(""), SW_SHOWNORMAL);
    if (!frame) {
        std::printf("TAVO did not start\n");
        return 1;
    }
    Pump();
    SendMessageA(frame, WM_COMMAND, IDM_NEW_APPLESOFT, 0);
    HWND editor = GetActiveEditor();
    const std::string program = Program();
    SendMessageA(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(program.c_str()));
    Pump();

    std::vector<double> alone, command;
    size_t findings = 0;
    for (int i = 0; i < kRuns; ++i) {
        double start = Now();
        findings = CheckActiveProgram().findings.size();
        alone.push_back(Now() - start);
        start = Now();
        SendMessageA(frame, WM_COMMAND, IDM_CHECK_PROGRAM, 0);
        Pump();
        command.push_back(Now() - start);
    }
    std::printf("Check Program on %d lines (%zu characters, %zu findings), median of %d runs:\n", kLines,
                program.size(), findings, kRuns);
    std::printf("  reading the editor and checking: %.1f ms\n", Median(alone));
    std::printf("  the whole command, results window filled and shown: %.1f ms (first run %.1f ms)\n",
                Median(command), command.front());

    SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
    DestroyWindow(frame);
    Pump();
    DeleteFileA((folder + "\\TAVO.ini").c_str());
    SetCurrentDirectoryA("..");
    RemoveDirectoryA(folder.c_str());
    return 0;
}
