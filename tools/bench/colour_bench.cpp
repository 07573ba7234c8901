// Times Applesoft colouring in the real editor: a 1,500-line listing opened
// plain and opened coloured (as Open does with Alt held), the recolouring
// that follows each keystroke on a long line, and a paste of 500 lines.
// Coloured and plain are measured by turns, an open or a key of one and then
// of the other, so that load on the machine falls on both alike; each pair
// prints both medians and their ratio. Prints figures; judges nothing.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/startup.h"
#include "core/colouring/colour_record.h"
#include "app/windows_files.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/editor_colouring.h"
#include "shell/settings.h"
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
    PumpAllButTimers();
    return Now() - start;
}

// How long after `start` the active document's colouring in idle time ends.
double WaitForColouring(double start)
{
    while (ColouringPending(GetActiveEditor())) {
        Pump();
        Sleep(1);
    }
    return Now() - start;
}

struct KeyTimes {
    std::vector<double> wholeKey;  // down, character and release, with what each sets off
    std::vector<double> release;   // the release alone
};

// Puts the caret at the end of `editor` after appending `line`.
void PrepareLine(HWND editor, const std::string& line)
{
    LONG end = GetWindowTextLengthA(editor);
    CHARRANGE at = {end, end};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
    SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(line.c_str()));
    Pump();
}

// One whole key typed into `editor`, into `times`.
void TypeKey(HWND editor, char c, KeyTimes& times)
{
    UINT key = static_cast<UINT>(VkKeyScanA(c) & 0xFF);
    double start = Now();
    SendMessageA(editor, WM_KEYDOWN, key, 1);
    SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
    Pump();
    double released = Now();
    SendMessageA(editor, WM_KEYUP, key, 0xC0000001);
    Pump();
    times.wholeKey.push_back(Now() - start);
    times.release.push_back(Now() - released);
}

struct Editors {
    HWND coloured, held, plain;  // held: a coloured document typed into with the colouring held off
};

// Keys at the end of the same long line in the three documents, by turns.
void TimeKeystrokes(Editors editors, const std::string& line, KeyTimes& colouredTimes, KeyTimes& plainTimes,
                    KeyTimes& heldTimes)
{
    for (HWND editor : {editors.coloured, editors.held, editors.plain}) PrepareLine(editor, line);
    const char typed[] = "IF X THEN PRINT ";
    for (int i = 0; i < kKeystrokes; ++i) {
        char c = typed[i % (sizeof typed - 1)];
        TypeKey(editors.coloured, c, colouredTimes);
        TypeKey(editors.plain, c, plainTimes);
        // What Wine's control spends laying out and drawing a line of many
        // colour runs, which no colouring can save.
        g_settings.syntaxColor = 0;
        TypeKey(editors.held, c, heldTimes);
        g_settings.syntaxColor = 1;
    }
}

void PutOnClipboard(HWND owner, const std::string& text)
{
    if (!OpenClipboard(owner)) return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::copy_n(text.c_str(), text.size() + 1, static_cast<char*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    size_t index = static_cast<size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

// "coloured A ms, plain B ms, ratio A/B" for one percentile of two series.
void PrintPair(const char* what, const std::vector<double>& coloured, const std::vector<double>& plain, double share)
{
    const double a = Percentile(coloured, share), b = Percentile(plain, share);
    std::printf("  %s: coloured %.2f ms, plain %.2f ms, ratio %.2f\n", what, a, b, a / b);
}

// Of the characters on `editor`'s screen other than line breaks, how many
// show the colour the scanner gives them, and how many there are.
std::pair<int, int> ScreenCharactersColoured(HWND editor)
{
    const LRESULT firstLine = SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0);
    RECT client = {};
    GetClientRect(editor, &client);
    POINTL corner = {client.right, client.bottom};
    const LONG from = static_cast<LONG>(SendMessageA(editor, EM_LINEINDEX, firstLine, 0));
    const LONG to = static_cast<LONG>(SendMessageA(editor, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&corner)));
    const LONG length = GetWindowTextLengthA(editor);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(editor, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    const TextRange lines = LinesAround(text, {from, to});
    const std::vector<uint32_t> wanted = WantedColours(text, lines, {g_settings.fontColor, g_settings.tokenColor,
                                                                     g_settings.singleColor, g_settings.quoteColor,
                                                                     g_settings.remColor});
    int right = 0, shown = 0;
    for (LONG i = from; i < to; ++i) {
        if (text[static_cast<size_t>(i)] == '\r' || text[static_cast<size_t>(i)] == '\n') continue;
        CHARRANGE one = {i, i + 1};
        SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
        CHARFORMATA format = {};
        format.cbSize = sizeof format;
        SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        ++shown;
        if (!(format.dwEffects & CFE_AUTOCOLOR) && format.crTextColor == wanted[static_cast<size_t>(i - lines.from)])
            ++right;
    }
    return {right, shown};
}

void CloseDocuments(HWND frame)
{
    for (HWND child = GetWindow(g_app.mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (HWND editor = EditorOf(child)) SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
    SendMessageA(frame, WM_COMMAND, IDM_CLOSE_ALL, 0);
    Pump();
}

}  // namespace

int main()
{
    const std::string folder = EnterBenchFolder("tavo-colour-bench");
    const std::string listing = Listing();
    HANDLE file = CreateFileA((folder + "\\LISTING.TXT").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, listing.data(), static_cast<DWORD>(listing.size()), &written, nullptr);
    CloseHandle(file);

    HWND frame = StartTavo();
    if (!frame) return 1;
    TimeOpen(frame, folder, "LISTING.TXT", false);  // warms the control and the font cache
    CloseDocuments(frame);
    constexpr int kOpenRounds = 5;
    std::vector<double> plainOpens, colouredOpens, wholeColourings;
    for (int round = 0; round < kOpenRounds; ++round) {
        plainOpens.push_back(TimeOpen(frame, folder, "LISTING.TXT", false));
        const double openStart = Now();
        colouredOpens.push_back(TimeOpen(frame, folder, "LISTING.TXT", true));
        wholeColourings.push_back(WaitForColouring(openStart));
        std::printf("open %d lines (%zu characters), round %d: plain %.1f ms, coloured %.1f ms to the first screen "
                    "(ratio %.2f), %.1f ms to the whole document (ratio %.2f)\n",
                    kLines, listing.size(), round + 1, plainOpens.back(), colouredOpens.back(),
                    colouredOpens.back() / plainOpens.back(), wholeColourings.back(),
                    wholeColourings.back() / plainOpens.back());
        if (round + 1 < kOpenRounds) CloseDocuments(frame);
    }
    std::printf("open, medians of %d rounds by turns:\n", kOpenRounds);
    PrintPair("first screen", colouredOpens, plainOpens, 0.5);
    PrintPair("whole document coloured", wholeColourings, plainOpens, 0.5);
    {
        // What the whole-document figure is made of: Wine's control takes
        // each colour run as a format of its own.
        const std::vector<uint32_t> colours = WantedColours(listing, {0, static_cast<int>(listing.size())},
                                                            {0, 1, 2, 3, 4});
        int runs = 1;
        for (size_t i = 1; i < colours.size(); ++i) runs += colours[i] != colours[i - 1];
        std::vector<double> sorted = wholeColourings;
        std::sort(sorted.begin(), sorted.end());
        std::printf("  %d colour runs: %.0f microseconds a run, the plain open %.0f microseconds a line\n", runs,
                    1000.0 * sorted[sorted.size() / 2] / runs, 1000.0 * Percentile(plainOpens, 0.5) / kLines);
    }

    // Ctrl+End right after an open: how much of the first screen drawn at
    // the end carries its colours.
    {
        CloseDocuments(frame);
        TimeOpen(frame, folder, "LISTING.TXT", true);
        HWND opened = GetActiveEditor();
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        const BYTE control = keys[VK_CONTROL];
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        SendMessageA(opened, WM_KEYDOWN, VK_END, 1);
        keys[VK_CONTROL] = control;
        SetKeyboardState(keys);
        UpdateWindow(opened);
        const auto [right, shown] = ScreenCharactersColoured(opened);
        std::printf("Ctrl+End right after opening: %d of the %d characters of the first screen drawn there carry "
                    "their colours%s\n",
                    right, shown, ColouringPending(opened) ? " (the rest of the document still waits)" : "");
        CloseDocuments(frame);
        TimeOpen(frame, folder, "LISTING.TXT", false);
        for (int coloured = 0; coloured < 2; ++coloured) {
            TimeOpen(frame, folder, "LISTING.TXT", true);
            WaitForColouring(Now());
        }
    }

    // Keystrokes at the end of a long line, a coloured key and then a plain
    // one, in the two documents side by side.
    HWND editor = GetActiveEditor();
    HWND heldEditor = EditorOf(GetWindow(GetActiveDocument(), GW_HWNDNEXT));
    HWND plainEditor = EditorOf(GetWindow(GetParent(heldEditor), GW_HWNDNEXT));
    SendMessageA(g_app.mdiClient, WM_MDITILE, MDITILE_VERTICAL, 0);
    Pump();
    std::string line = "20000 ";
    while (line.size() < 240) line += "PRINT \"A\";X : GOTO 10 : ";
    KeyTimes times, plainTimes, heldTimes;
    TimeKeystrokes({editor, heldEditor, plainEditor}, line, times, plainTimes, heldTimes);
    std::printf("whole key (down, character, release) on a %zu-character line, %d keys each, by turns:\n",
                line.size(), kKeystrokes);
    PrintPair("median", times.wholeKey, plainTimes.wholeKey, 0.5);
    PrintPair("95th percentile", times.wholeKey, plainTimes.wholeKey, 0.95);
    PrintPair("median, colouring held off", heldTimes.wholeKey, plainTimes.wholeKey, 0.5);
    std::printf("  of which the release, coloured: median %.2f ms, 95th percentile %.2f ms\n",
                Percentile(times.release, 0.5), Percentile(times.release, 0.95));

    // The recolouring alone, without the repaint and read-out that follow a
    // key: of a line whose colours are on record, and of one whose colours
    // were set by other means, so that every run is looked at.
    std::vector<double> known, forgotten;
    LONG caret = GetWindowTextLengthA(editor);
    LONG lineStart = static_cast<LONG>(SendMessageA(editor, EM_LINEINDEX, static_cast<WPARAM>(-1), 0));
    for (int i = 0; i < kKeystrokes; ++i) {
        double start = Now();
        ColourLineToCaret(editor, lineStart, caret);
        known.push_back(Now() - start);
        ForgetColours(editor, lineStart, caret);
        start = Now();
        ColourLineToCaret(editor, lineStart, caret);
        forgotten.push_back(Now() - start);
    }
    std::printf("ColourLineToCaret alone: median %.2f ms, 95th percentile %.2f ms; colours forgotten: median %.2f ms, "
                "95th percentile %.2f ms\n",
                Percentile(known, 0.5), Percentile(known, 0.95), Percentile(forgotten, 0.5),
                Percentile(forgotten, 0.95));

    // 500 lines pasted at the end of the coloured document.
    std::string pasted;
    for (int i = 0; i < 500; ++i) pasted += std::to_string(30000 + i) + " " + "IF X > 39 THEN PRINT \"A\";X : REM R\r\n";
    PutOnClipboard(frame, pasted);
    LONG end = GetWindowTextLengthA(editor);
    CHARRANGE at = {end, end};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
    double pasteStart = Now();
    SendMessageA(frame, WM_COMMAND, IDM_PASTE, 0);
    Pump();
    std::printf("paste of 500 lines (%zu characters) into the coloured document: %.1f ms\n", pasted.size(),
                Now() - pasteStart);

    for (HWND child = GetWindow(g_app.mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (HWND childEditor = GetWindow(child, GW_CHILD)) SendMessageA(childEditor, EM_SETMODIFY, FALSE, 0);
    DeleteFileA((folder + "\\LISTING.TXT").c_str());
    StopTavo(frame, folder);
    return 0;
}
