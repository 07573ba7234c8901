// Times Check Program on a 1,500-line Applesoft program in the real
// application: the check of the editor's text alone, and the whole command
// with its results window filled; the tools at the caret on the same
// program: the completion list from Ctrl+J to shown, the keyword tip's text
// and Shift+F1's whole tip; and a key typed while the background check runs
// against one in a plain document. Prints figures; judges nothing.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/startup.h"
#include "core/basic/keyword_help.h"
#include "editing/check_program.h"
#include "editing/completion_list.h"
#include "editing/keyword_tip.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/editor_text.h"
#include "shell/program_checks.h"
#include "shell/status_readout.h"
#include "tools/bench/win_bench.h"

namespace {

constexpr int kLines = 1500;
constexpr int kRuns = 7;
constexpr int kKeys = 60;  // keys timed while a check runs, each after a check was started

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

double Largest(const std::vector<double>& values) { return *std::max_element(values.begin(), values.end()); }

void CaretTo(HWND editor, LONG position)
{
    CHARRANGE at = {position, position};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
}

void Append(HWND editor, const char* text)
{
    CaretTo(editor, EditorTextLength(editor));
    SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    Pump();
}

// Ctrl+J to the list shown and painted, the list closed again by Escape.
double TimeCompletion(HWND frame, HWND editor, size_t& rows)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const double start = Now();
        SendMessageA(frame, WM_COMMAND, IDM_COMPLETE_WORD, 0);
        HWND list = CompletionListWindow();
        if (list) UpdateWindow(GetParent(list));
        times.push_back(Now() - start);
        rows = list ? static_cast<size_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
        TakeCompletionKey(MSG{editor, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}});
        Pump();
    }
    return Median(times);
}

void PrintToolsAtTheCaret(HWND frame, HWND editor)
{
    size_t rows = 0;
    Append(editor, "15000 PR");
    const double keywords = TimeCompletion(frame, editor, rows);
    std::printf("Completion, Ctrl+J to the list shown, median of %d runs:\n", kRuns);
    std::printf("  after \"PR\": %.1f ms (%zu entries)\n", keywords, rows);
    Append(editor, "INT : GOTO ");
    const double lines = TimeCompletion(frame, editor, rows);
    std::printf("  after GOTO, every line number: %.1f ms (%zu entries)\n", lines, rows);

    // The caret on PRINT in the middle of the program.
    const LONG line = static_cast<LONG>(SendMessageA(editor, EM_LINEINDEX, kLines / 2, 0));
    const std::string text = ParagraphText(editor, line);
    CaretTo(editor, line + static_cast<LONG>(text.find("PRINT")) + 2);
    std::vector<double> built, tip, status;
    for (int i = 0; i < kRuns; ++i) {
        double start = Now();
        CHARRANGE caret = {};
        SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&caret));
        const LONG lineStart = ParagraphStart(editor, caret.cpMax);
        const KeywordAtCaret keyword = KeywordUnderCaret(ParagraphText(editor, caret.cpMax),
                                                         static_cast<size_t>(caret.cpMax - lineStart),
                                                         BasicLanguage::Applesoft);
        const std::string help = keyword.help ? KeywordHelpText(*keyword.help) : std::string();
        built.push_back(Now() - start);
        start = Now();
        SendMessageA(frame, WM_COMMAND, IDM_KEYWORD_HELP, 0);
        if (KeywordTipWindow()) UpdateWindow(KeywordTipWindow());
        tip.push_back(Now() - start);
        WatchForKeywordHover(MSG{editor, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}});
        start = Now();
        ShowProgramStatus(editor);
        status.push_back(Now() - start);
    }
    std::printf("Keyword help on line %d, median of %d runs: the tip's text read and built %.2f ms; "
                "Shift+F1 to the tip shown %.2f ms; the status bar's first part, at each move of the caret, "
                "%.2f ms\n", kLines / 2, kRuns, Median(built), Median(tip), Median(status));
}

// One key, down, character and up, with what each sets off.
double TypeKey(HWND editor, char c)
{
    const UINT key = static_cast<UINT>(VkKeyScanA(c) & 0xFF);
    const double start = Now();
    SendMessageA(editor, WM_KEYDOWN, key, 1);
    SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
    SendMessageA(editor, WM_KEYUP, key, 0xC0000001);
    Pump();
    return Now() - start;
}

// Keys at the end of the program, each right after its background check
// was started (its pause cut short by the timer's own message), against
// the same keys in a plain document and in the program with no check
// running. The pauses the keys start are ended unused, so no other check
// runs meanwhile.
void PrintKeysDuringTheCheck(HWND frame, HWND program)
{
    SendMessageA(frame, WM_COMMAND, IDM_NEW_EDIT, 0);
    HWND plain = GetActiveEditor();
    const std::string text = EditorTextRange(program, 0, EditorTextLength(program));
    SendMessageA(plain, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    Append(plain, "\r\n15010 ");
    Append(program, "\r\n15010 ");
    HWND checks = FindWindowExA(HWND_MESSAGE, nullptr, "TavoProgramChecks", nullptr);
    const char typed[] = "PRINTX";
    std::vector<double> inPlain, quiet, duringCheck, check;
    for (int i = 0; i < kKeys; ++i) {
        const char c = typed[i % (sizeof typed - 1)];
        inPlain.push_back(TypeKey(plain, c));
        quiet.push_back(TypeKey(program, c));
        SendMessageA(checks, WM_TIMER, reinterpret_cast<WPARAM>(program), 0);
        duringCheck.push_back(TypeKey(program, c));
        KillTimer(checks, reinterpret_cast<UINT_PTR>(program));  // the key's own pause: no second check
        const double start = Now();
        CheckApplesoftProgram(text);
        check.push_back(Now() - start);
        Sleep(static_cast<DWORD>(3 * check.back()) + 50);  // the worker's check done
        Pump();
    }
    std::printf("A key while the background check runs (%d keys; one check takes %.1f ms):\n", kKeys, Median(check));
    std::printf("  plain document: median %.2f ms, largest %.2f ms\n", Median(inPlain), Largest(inPlain));
    std::printf("  program, no check running: median %.2f ms, largest %.2f ms\n", Median(quiet), Largest(quiet));
    std::printf("  program, check running: median %.2f ms, largest %.2f ms\n", Median(duringCheck),
                Largest(duringCheck));
    SendMessageA(plain, EM_SETMODIFY, FALSE, 0);
}

}  // namespace

int main()
{
    const std::string folder = EnterBenchFolder("tavo-check-bench");
    HWND frame = StartTavo();
    if (!frame) return 1;
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

    PrintToolsAtTheCaret(frame, editor);
    PrintKeysDuringTheCheck(frame, editor);

    SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
    StopTavo(frame, folder);
    return 0;
}
