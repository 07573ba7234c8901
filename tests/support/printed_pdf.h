// The PDF files the test printer (scripts/printer.sh: a CUPS queue writing
// PDF through cups-pdf) leaves in $TAVO_PDF_DIR, read with poppler's tools
// run as Unix programs from Wine. Shared by the printing tests and the
// print benchmark.
#pragma once
#include <windows.h>

#include <chrono>
#include <optional>
#include <set>
#include <string>

// Puts `text` into `editor` in 12-point Courier New, so that the lines a
// page holds do not hang on the default font; the caret ends at the start.
void FillForPrinting(HWND editor, const std::string& text);

// The Unix folder where cups-pdf writes; empty when no test printer runs.
std::string PdfFolder();
// The names of the PDF files in the Unix folder `folder`.
std::set<std::string> PdfFiles(const std::string& folder);
// The output of a Unix shell command, written beside the Unix path `path`;
// nothing when the command could not start or did not finish within `wait`.
std::optional<std::string> RunShell(const std::string& command, const std::string& path,
                                    std::chrono::milliseconds wait = std::chrono::seconds(30));

struct NewPdf {
    std::string path;  // Unix path; empty when no whole PDF came
    int pages = 0;
    std::string unfinished;  // a new file that never became a whole PDF
};
// Waits up to `wait` for the one PDF in `folder` that is not in `before`,
// until cups-pdf has written it whole (pdfinfo can count its pages).
NewPdf WaitForNewPdf(const std::string& folder, const std::set<std::string>& before, std::chrono::milliseconds wait);
