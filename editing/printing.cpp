// The editor's rich text (or its selection) is copied through memory into a
// hidden editor and printed from there: the user's clipboard and the
// document's selection stay as they were, and the copy has no 32 KB limit.
#include "editing/printing.h"

#include <richedit.h>

#include <algorithm>

#include "core/text/buffer_size.h"
#include "editing/page_layout.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/report_error.h"
#include "shell/rich_text_copy.h"
#include "shell/settings.h"

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kThousandthsPerInch = 1000;
constexpr WORD kLastPossiblePage = 65535;

// The choices of the last print, offered again by the next print dialog.
struct PrintChoices {
    DWORD flags = PD_RETURNDC | PD_SHOWHELP;
    WORD fromPage = kLastPossiblePage, toPage = kLastPossiblePage;
    WORD copies = 1;
};
PrintChoices g_choices;

bool ReportDialogFailure(const char* dialog, HWND owner)
{
    const DWORD error = CommDlgExtendedError();
    if (error) ReportError(Message::PrintDialogFailed, dialog, static_cast<int>(error), owner);
    return error != 0;
}

// The print rectangle in device pixels: the margins less the printer's
// minimum margins, inside the paper's physical size.
RECT PrintArea(HDC printer, const PAGESETUPDLGA& setup)
{
    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX), dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    const int width = MulDiv(GetDeviceCaps(printer, PHYSICALWIDTH), kTwipsPerInch, dpiX);
    const int height = MulDiv(GetDeviceCaps(printer, PHYSICALHEIGHT), kTwipsPerInch, dpiY);
    auto twips = [](LONG thousandths) { return MulDiv(thousandths, kTwipsPerInch, kThousandthsPerInch); };
    const RECT& margin = setup.rtMargin;
    const RECT& minimum = setup.rtMinMargin;
    RECT twipsArea = {std::max(0, twips(margin.left - minimum.left)), twips(margin.top - minimum.top),
                      width - twips(minimum.right + margin.right), height - twips(minimum.bottom + margin.bottom)};
    return {MulDiv(twipsArea.left, dpiX, kTwipsPerInch), MulDiv(twipsArea.top, dpiY, kTwipsPerInch),
            MulDiv(twipsArea.right, dpiX, kTwipsPerInch), MulDiv(twipsArea.bottom, dpiY, kTwipsPerInch)};
}

// One printed page; false, after its message, when the printer refused it.
bool PrintPage(HDC printer, const PrintSource& source, const LaidOutPage& page, const RECT& area, HWND owner)
{
    if (StartPage(printer) <= 0) return ReportError(Message::PrintStartPage, {}, 0, owner), false;
    if (!DrawPage(printer, source, page, area)) return ReportError(Message::PrintDisplayBand, {}, 0, owner), false;
    if (EndPage(printer) <= 0) return ReportError(Message::PrintEndPage, {}, 0, owner), false;
    return true;
}

enum class JobEnd { Done, Failed };

// Every pass over the pages; Failed when a page could not be printed.
JobEnd PrintPages(HDC printer, const PrintSource& source, const PRINTDLGA& dialog, const RECT& area, HWND owner)
{
    const bool collate = (dialog.Flags & PD_COLLATE) != 0;
    const bool pageRange = (dialog.Flags & PD_PAGENUMS) != 0;
    const int passes = collate ? dialog.nCopies : 1;
    const int copiesOfEachPage = collate ? 1 : dialog.nCopies;
    for (int pass = 0; pass < passes; ++pass) {
        LONG start = 0;
        const LONG end = source.length();
        for (int number = 1;; ++number) {
            const LaidOutPage page = LayOutPage(printer, source, start, end, area);
            if (!pageRange || number >= dialog.nFromPage)
                for (int copy = 0; copy < copiesOfEachPage; ++copy)
                    if (!PrintPage(printer, source, page, area, owner)) return JobEnd::Failed;
            // A page that took nothing would be followed by the same page for ever.
            if (page.next <= start) return JobEnd::Done;
            start = page.next;
            if (pageRange && number + 1 > dialog.nToPage) break;
            if (start >= end) break;
        }
    }
    return JobEnd::Done;
}

void RememberChoices(const PRINTDLGA& dialog, PAGESETUPDLGA& setup)
{
    setup.hDevMode = dialog.hDevMode;
    setup.hDevNames = dialog.hDevNames;
    g_choices.flags = dialog.Flags;
    g_choices.fromPage = dialog.nFromPage;
    g_choices.toPage = dialog.nToPage;
    g_choices.copies = (dialog.Flags & PD_COLLATE) ? 1 : dialog.nCopies;
}

// The document name the spooler shows: the file title when Windows can form one.
std::string DocumentName(const std::string& path)
{
    char title[kTextBufferChars] = {};
    if (GetFileTitleA(path.c_str(), title, sizeof title) == 0) return title;
    return path;
}

void PrintJob(HWND owner, HDC printer, HWND editor, const PRINTDLGA& dialog, const PAGESETUPDLGA& setup,
              const std::string& path, bool black)
{
    const std::string name = DocumentName(path);
    DOCINFOA info = {sizeof info, name.c_str(), (dialog.Flags & PD_PRINTTOFILE) ? "FILE:" : nullptr, nullptr, 0};
    if (StartDocA(printer, &info) <= 0) {
        ReportError(Message::PrintStartDoc, {}, 0, owner);
        return;
    }
    HWND copy = CreateScratchEditor();
    if (!copy) {
        AbortDoc(printer);
        ReportError(Message::CantCreateWindow, {}, 0, owner);
        return;
    }
    CHARRANGE all = {0, -1};
    SendMessageA(copy, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    // The copy holds just the selection when that is to be printed: character
    // positions need not agree between the two (a copied line end may take
    // two positions where the document's took one).
    const bool selection = (dialog.Flags & PD_SELECTION) != 0;
    CHARRANGE selected = {0, 0};
    if (selection) SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selected));
    ReplaceSelectionWithRtf(copy, EditorAsRtf(editor, selection));
    JobEnd end;
    {
        const PrintSource source(copy, printer, black, editor, selected.cpMin);
        end = PrintPages(printer, source, dialog, PrintArea(printer, setup), owner);
    }
    DestroyWindow(copy);
    if (end == JobEnd::Failed) AbortDoc(printer);
    else if (EndDoc(printer) <= 0) ReportError(Message::PrintEndDoc, {}, 0, owner);
}

}  // namespace

void ShowPageSetup(HWND frame)
{
    if (!PageSetupDlgA(&g_app.pageSetup)) ReportDialogFailure("Page Setup", frame);
}

void PrintDocument(HWND owner, HWND editor, PAGESETUPDLGA& setup, const std::string& path, bool black)
{
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hDevMode = setup.hDevMode;
    dialog.hDevNames = setup.hDevNames;
    dialog.Flags = g_choices.flags | PD_RETURNDC;
    dialog.nFromPage = g_choices.fromPage;
    dialog.nToPage = g_choices.toPage;
    dialog.nMinPage = 0;
    dialog.nMaxPage = kLastPossiblePage;
    dialog.nCopies = g_choices.copies;
    const BOOL chosen = PrintDlgA(&dialog);
    setup.hDevMode = dialog.hDevMode;
    setup.hDevNames = dialog.hDevNames;
    if (!chosen) {
        ReportDialogFailure("Print", owner);
        return;
    }
    if (!dialog.hDC) {
        ReportError(Message::PrintStartDoc, {}, 0, owner);
        return;
    }
    SetCursor(g_app.waitCursor);
    PrintJob(owner, dialog.hDC, editor, dialog, setup, path, black);
    EnableWindow(owner, TRUE);
    DeleteDC(dialog.hDC);
    SetCursor(g_app.arrowCursor);
    RememberChoices(dialog, setup);
}

void PrintActiveDocument(HWND frame)
{
    HWND editor = GetActiveEditor();
    if (!editor) return;
    std::string path = g_settings.sourceDirectory + "\\" + WindowTitle(GetWindow(g_app.mdiClient, GW_CHILD));
    if (path.size() >= kTextBufferChars) path.resize(kTextBufferChars - 1);
    PrintDocument(frame, editor, g_app.pageSetup, path, g_settings.printBlack == "TRUE");
}
