// Times a ten-page print under Wine as the user meets it: from the Print
// command (its dialog answered at once by a watcher thread) to the
// command's return, when the job is spooled, and on to the finished PDF
// that the test printer of scripts/printer.sh writes. Prints figures;
// judges nothing. Without that printer it says so and stops.
#include <windows.h>
#include <dlgs.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>

#include "app/startup.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/settings.h"
#include "support/box_watcher.h"
#include "support/printed_pdf.h"
#include "tools/bench/win_bench.h"

namespace {

constexpr int kRounds = 3;
// About 47 lines of 12-point text fill a page with one-inch margins.
constexpr int kLines = 460;
constexpr auto kPdfWait = std::chrono::seconds(120);

std::string Program(int lines)
{
    std::string text;
    for (int n = 1; n <= lines; ++n) text += std::to_string(n * 10) + " PRINT \"LINE " + std::to_string(n) + "\"\r";
    return text;
}

}  // namespace

int main()
{
    const std::string pdfFolder = PdfFolder();
    if (pdfFolder.empty()) {
        std::printf("print: skipped, no test printer (source scripts/printer.sh and run start_printer)\n");
        return 0;
    }
    const std::string folder = EnterBenchFolder("tavo-print-bench");

    HWND frame = StartTavo();
    if (!frame) return 1;
    BoxWatcher boxes;
    SendMessageA(frame, WM_COMMAND, IDM_NEW_EDIT, 0);
    Pump();
    HWND editor = GetActiveEditor();
    FillForPrinting(editor, Program(kLines));
    for (int round = 0; round < kRounds; ++round) {
        const std::set<std::string> before = PdfFiles(pdfFolder);
        std::atomic<double> dialogUp = 0;
        boxes.Expect("Print", IDOK, [&dialogUp](HWND box) {
            dialogUp = Now();
            CheckRadioButton(box, rad1, rad3, rad1);
            SetDlgItemInt(box, edt3, 1, FALSE);
        });
        const double start = Now();
        SendMessageA(frame, WM_COMMAND, IDM_PRINT, 0);
        const double spooled = Now() - start;
        const NewPdf pdf = WaitForNewPdf(pdfFolder, before, kPdfWait);
        const double finished = Now() - start;
        if (pdf.path.empty()) {
            std::printf("print: no whole PDF within %lld s\n", static_cast<long long>(kPdfWait.count()));
            break;
        }
        std::printf("print %d lines, %d pages (PrintBlack %s): dialog up after %.0f ms, command done after %.0f ms,"
                    " PDF whole after %.0f ms\n",
                    kLines, pdf.pages, g_settings.printBlack.c_str(), dialogUp - start, spooled, finished);
    }
    for (const BoxSeen& box : boxes.Unexpected()) std::printf("unexpected box: %s\n", box.caption.c_str());

    SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
    StopTavo(frame, folder);
    return 0;
}
