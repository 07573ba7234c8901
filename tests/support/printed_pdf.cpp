#include "support/printed_pdf.h"

#include <richedit.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

std::string WindowsPath(std::string unixPath)
{
    for (char& c : unixPath)
        if (c == '/') c = '\\';
    return "Z:" + unixPath;
}

}  // namespace

void FillForPrinting(HWND editor, const std::string& text)
{
    SendMessageA(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    CHARRANGE all = {0, -1};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE;
    format.yHeight = 12 * 20;  // twips
    lstrcpyA(format.szFaceName, "Courier New");
    SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    CHARRANGE start = {0, 0};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
}

std::string PdfFolder()
{
    const char* folder = std::getenv("TAVO_PDF_DIR");
    return folder && std::getenv("CUPS_SERVER") ? folder : "";
}

std::set<std::string> PdfFiles(const std::string& folder)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((WindowsPath(folder) + "\\*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.insert(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Wine starts Unix programs natively but its process handle does not follow
// them, so the command renames its output into place when it is done.
std::optional<std::string> RunShell(const std::string& command, const std::string& path,
                                    std::chrono::milliseconds wait)
{
    static int serial = 0;
    const std::string out = path + "." + std::to_string(++serial) + ".out";
    std::string line = "/bin/sh -c \"(" + command + ") >" + out + ".part 2>/dev/null; mv " + out + ".part " + out + "\"";
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return std::nullopt;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (std::chrono::steady_clock::now() < deadline) {
        if (GetFileAttributesA(WindowsPath(out).c_str()) != INVALID_FILE_ATTRIBUTES) {
            std::ifstream in(WindowsPath(out), std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            return text.str();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
}

NewPdf WaitForNewPdf(const std::string& folder, const std::set<std::string>& before, std::chrono::milliseconds wait)
{
    NewPdf pdf;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (std::chrono::steady_clock::now() < deadline) {
        for (const std::string& name : PdfFiles(folder)) {
            if (before.count(name)) continue;
            const std::string path = folder + "/" + name;
            pdf.pages = std::atoi(RunShell("pdfinfo " + path + " | sed -n 's/^Pages: *//p'", path).value_or("").c_str());
            if (pdf.pages == 0) {
                pdf.unfinished = name;
                continue;
            }
            pdf.path = path;
            return pdf;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return pdf;
}
