// Printing to a real printer: the CUPS PDF queue that scripts/printer.sh
// sets up. Each test prints through the Print command and its real dialog,
// then reads the PDF back with poppler's tools (run as Unix programs from
// Wine). Without that printer the tests are skipped.
#include <windows.h>
#include <dlgs.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "emulator/desktop.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/editor_colouring.h"
#include "shell/settings.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"
#include "support/printed_pdf.h"

namespace {

// A Unix command's output; a failure names the command that gave none.
std::string Shell(const std::string& command, const std::string& path)
{
    std::optional<std::string> out = RunShell(command, path);
    if (!out) ADD_FAILURE() << "no output within 30 s from: " << command;
    return out.value_or("");
}

struct PrintedPdf {
    std::string path;  // Unix path; empty when no PDF came
    int pages = 0;
    // The text of page `number` (from 1).
    std::string PageText(int number) const
    {
        const std::string page = std::to_string(number);
        return Shell("pdftotext -layout -f " + page + " -l " + page + " " + path + " -", path);
    }
    // Whether page `number`, rendered, has a pixel that is not grey.
    bool PageHasColour(int number) const
    {
        const std::string page = std::to_string(number);
        const std::string ppm = Shell("pdftoppm -r 60 -f " + page + " -l " + page + " " + path, path);
        // "P6 width height 255" and then the pixels.
        size_t at = 0;
        for (int fields = 0; fields < 4 && at < ppm.size(); ++fields) {
            while (at < ppm.size() && isspace(static_cast<unsigned char>(ppm[at]))) ++at;
            while (at < ppm.size() && !isspace(static_cast<unsigned char>(ppm[at]))) ++at;
        }
        ++at;
        constexpr int kTolerance = 24;
        for (; at + 2 < ppm.size(); at += 3) {
            int r = static_cast<unsigned char>(ppm[at]), g = static_cast<unsigned char>(ppm[at + 1]),
                b = static_cast<unsigned char>(ppm[at + 2]);
            if (std::abs(r - g) > kTolerance || std::abs(g - b) > kTolerance || std::abs(r - b) > kTolerance)
                return true;
        }
        return false;
    }
};

// Wine's page set-up dialog is captioned so; Windows calls it "Page Setup".
constexpr char kPageSetupCaption[] = "Setup Page";

// The print dialog's choices, set on the real dialog before OK.
struct DialogChoices {
    int range = rad1;  // rad1 all, rad2 selection, rad3 pages
    int from = 0, to = 0;
    int copies = 1;
    bool collate = false;
};

class PrintingTest : public AppTest {
protected:
    void SetUp() override
    {
        folder_pdf_ = PdfFolder();
        if (folder_pdf_.empty()) GTEST_SKIP() << "no test printer: source scripts/printer.sh and run start_printer";
        // One test prints at a time: each finds its PDF as the one new file,
        // and Wine numbers the jobs of every process from 1.
        printerTurn_ = CreateMutexA(nullptr, FALSE, "TAVO-printing-tests");
        constexpr DWORD kTurnWaitMs = 200000;
        const DWORD turn = WaitForSingleObject(printerTurn_, kTurnWaitMs);
        if (turn != WAIT_OBJECT_0 && turn != WAIT_ABANDONED) {
            CloseHandle(printerTurn_);
            printerTurn_ = nullptr;
            GTEST_FAIL() << "waited " << kTurnWaitMs / 1000 << " s for the other printing tests to leave the printer";
        }
        AppTest::SetUp();
    }
    void TearDown() override
    {
        if (boxes_) AppTest::TearDown();  // not when SetUp skipped
        if (printerTurn_) {
            ReleaseMutex(printerTurn_);
            CloseHandle(printerTurn_);
        }
    }

    // A new document of `kind` holding `text`, ready for printing.
    HWND NewDocument(UINT kind, const std::string& text)
    {
        Command(kind);
        HWND editor = GetActiveEditor();
        FillForPrinting(editor, text);
        return editor;
    }

    // Prints through the Print command with `choices` and waits for the PDF.
    PrintedPdf Print(const DialogChoices& choices)
    {
        const std::set<std::string> before = PdfFiles(folder_pdf_);
        boxes_->Expect("Print", IDOK, [choices](HWND box) {
            CheckDlgButton(box, chx1, BST_UNCHECKED);
            CheckRadioButton(box, rad1, rad3, choices.range);
            if (choices.range == rad3) {
                SetDlgItemInt(box, edt1, choices.from, FALSE);
                SetDlgItemInt(box, edt2, choices.to, FALSE);
            }
            SetDlgItemInt(box, edt3, choices.copies, FALSE);
            CheckDlgButton(box, chx2, choices.collate ? BST_CHECKED : BST_UNCHECKED);
        });
        Command(IDM_PRINT);
        EXPECT_TRUE(boxes_->WaitAnswered());
        EXPECT_TRUE(boxes_->Unexpected().empty()) << boxes_->Unexpected().front().text;
        return WaitForPdf(before);
    }

    PrintedPdf WaitForPdf(const std::set<std::string>& before)
    {
        constexpr auto kWait = std::chrono::seconds(60);
        const NewPdf pdf = WaitForNewPdf(folder_pdf_, before, kWait);
        if (pdf.path.empty() && pdf.unfinished.empty())
            ADD_FAILURE() << "waited " << kWait.count() << " s for a new PDF in " << folder_pdf_ << " (it held "
                          << before.size() << " before the print): none came; see build/cups/log";
        else if (pdf.path.empty())
            ADD_FAILURE() << "waited " << kWait.count() << " s for " << folder_pdf_ << "/" << pdf.unfinished
                          << " to be a whole PDF: pdfinfo found no pages in it";
        return {pdf.path, pdf.pages};
    }

    std::string folder_pdf_;
    HANDLE printerTurn_ = nullptr;
};

// Program lines "10 REM LINE 1" ... that a test finds on the pages.
std::string Program(int lines)
{
    std::string text;
    for (int n = 1; n <= lines; ++n) text += std::to_string(n * 10) + " REM LINE " + std::to_string(n) + "\r";
    return text;
}

std::string Line(int n) { return std::to_string(n * 10) + " REM LINE " + std::to_string(n) + "\n"; }


TEST_F(PrintingTest, TwoPageProgramHasItsFirstAndLastLinesOnTheirPages)
{
    NewDocument(IDM_NEW_APPLESOFT, Program(80));
    PrintedPdf pdf = Print({});
    ASSERT_EQ(pdf.pages, 2);
    EXPECT_NE(pdf.PageText(1).find(Line(1)), std::string::npos);
    EXPECT_NE(pdf.PageText(2).find(Line(80)), std::string::npos);
    EXPECT_EQ(pdf.PageText(2).find(Line(1)), std::string::npos);
}

TEST_F(PrintingTest, PageRangeTwoToThreePrintsThosePagesOfFive)
{
    NewDocument(IDM_NEW_EDIT, Program(200));
    PrintedPdf all = Print({});
    ASSERT_EQ(all.pages, 5);
    PrintedPdf range = Print({rad3, 2, 3});
    ASSERT_EQ(range.pages, 2);
    EXPECT_EQ(range.PageText(1), all.PageText(2));
    EXPECT_EQ(range.PageText(2), all.PageText(3));
}

TEST_F(PrintingTest, SelectionAcrossTwoPagesPrintsJustIt)
{
    HWND editor = NewDocument(IDM_NEW_EDIT, Program(200));
    // From the start of program line 30 to the start of line 101.
    const LONG from = static_cast<LONG>(SendMessageA(editor, EM_LINEINDEX, 29, 0));
    const LONG to = static_cast<LONG>(SendMessageA(editor, EM_LINEINDEX, 100, 0));
    Select(editor, from, to);
    PrintedPdf pdf = Print({rad2});
    ASSERT_EQ(pdf.pages, 2);
    const std::string first = pdf.PageText(1), second = pdf.PageText(2);
    EXPECT_EQ(first.rfind(Line(30), 0), 0u) << first;
    EXPECT_NE(second.find(Line(100)), std::string::npos);
    EXPECT_EQ((first + second).find(Line(29)), std::string::npos);
    EXPECT_EQ((first + second).find(Line(101)), std::string::npos);
    const CHARRANGE kept = Selection(editor);
    EXPECT_EQ(kept.cpMin, from);
    EXPECT_EQ(kept.cpMax, to);
}

TEST_F(PrintingTest, ThreeCollatedCopiesComeInPageOrderAndTheNextPrintOffersOne)
{
    NewDocument(IDM_NEW_EDIT, Program(80));
    PrintedPdf pdf = Print({rad1, 0, 0, 3, true});
    ASSERT_EQ(pdf.pages, 6);
    const std::string first = pdf.PageText(1), second = pdf.PageText(2);
    EXPECT_NE(first, second);
    for (int page = 3; page <= 6; ++page) EXPECT_EQ(pdf.PageText(page), page % 2 ? first : second) << page;

    std::string copiesOffered;
    boxes_->Expect("Print", IDCANCEL, [&copiesOffered](HWND box) {
        char text[16] = {};
        GetDlgItemTextA(box, edt3, text, sizeof text);
        copiesOffered = text;
    });
    Command(IDM_PRINT);
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_EQ(copiesOffered, "1");
}

TEST_F(PrintingTest, PrintBlackPrintsColouredApplesoftInBlackAndLeavesTheClipboard)
{
    HWND editor = NewDocument(IDM_NEW_APPLESOFT, "10 PRINT \"HELLO\": REM GREETING\r20 GOTO 10\r");
    ColourApplesoft(editor, static_cast<LONG>(EditorText(editor).size()), -1);
    Select(editor, 3, 8);

    g_settings.printBlack = "FALSE";
    PrintedPdf coloured = Print({});
    ASSERT_EQ(coloured.pages, 1);
    EXPECT_TRUE(coloured.PageHasColour(1)) << "the syntax colours are printed without PrintBlack";

    ASSERT_TRUE(PutOnClipboard("the user's own clipboard"));
    g_settings.printBlack = "TRUE";
    PrintedPdf black = Print({});
    ASSERT_EQ(black.pages, 1);
    EXPECT_NE(black.PageText(1).find("PRINT \"HELLO\""), std::string::npos);
    EXPECT_FALSE(black.PageHasColour(1));
    EXPECT_EQ(ClipboardText(), "the user's own clipboard");
    EXPECT_EQ(Selection(editor).cpMin, 3);
    EXPECT_EQ(Selection(editor).cpMax, 8);
}

TEST_F(PrintingTest, EmptyDocumentPrintsOneBlankPage)
{
    NewDocument(IDM_NEW_EDIT, "");
    PrintedPdf pdf = Print({});
    ASSERT_EQ(pdf.pages, 1);
    EXPECT_EQ(pdf.PageText(1).find_first_not_of(" \r\n\f"), std::string::npos);
}

TEST_F(PrintingTest, DocumentOverThirtyTwoKilobytesPrintsWhole)
{
    // Long lines, so that the document is just over 32 KB in a few pages.
    constexpr size_t kLimit = 32 * 1024;
    std::string text;
    int lines = 0;
    while (text.size() <= kLimit) {
        ++lines;
        text += std::to_string(lines * 10) + " REM LINE " + std::to_string(lines) + " OF A PROGRAM OVER 32 KB\r";
    }
    HWND editor = NewDocument(IDM_NEW_EDIT, text);
    ASSERT_GT(EditorText(editor).size(), kLimit);
    PrintedPdf pdf = Print({});
    ASSERT_GT(pdf.pages, 1);
    EXPECT_NE(pdf.PageText(pdf.pages).find("REM LINE " + std::to_string(lines) + " OF"), std::string::npos);
}

struct WordSpan {
    double left = -1, right = -1;  // points from the page's left edge
};

// Where the word `text` (or, given none, the first word) lies across page 1,
// from pdftotext's boxes.
WordSpan FindWord(const PrintedPdf& pdf, const std::string& text = {})
{
    const std::string boxes = Shell("pdftotext -bbox -f 1 -l 1 " + pdf.path + " -", pdf.path);
    for (size_t word = boxes.find("<word "); word != std::string::npos; word = boxes.find("<word ", word + 1)) {
        const size_t close = boxes.find('>', word);
        if (close == std::string::npos) break;
        if (!text.empty() && boxes.compare(close + 1, text.size() + 1, text + "<") != 0) continue;
        auto attribute = [&](const std::string& name) {
            const size_t at = boxes.find(name + "=\"", word);
            return at < close ? std::atof(boxes.c_str() + at + name.size() + 2) : -1;
        };
        return {attribute("xMin"), attribute("xMax")};
    }
    return {};
}

TEST_F(PrintingTest, LeftMarginBelowThePrintersMinimumStartsAtThePageEdge)
{
    NewDocument(IDM_NEW_EDIT, Program(3));
    g_app.pageSetup.rtMargin.left = 100;  // thousandths of an inch, below the minimum of 250
    const double atEdge = FindWord(Print({})).left;
    g_app.pageSetup.rtMargin.left = 1250;  // one inch inside the minimum
    const double inside = FindWord(Print({})).left;
    ASSERT_GE(atEdge, 0);
    EXPECT_NEAR(inside - atEdge, 72.0, 2.0);
}

// Gives line `line` of `editor` the paragraph format `format` (its cbSize is set here).
bool SetParagraph(HWND editor, int line, PARAFORMAT format)
{
    const LONG start = static_cast<LONG>(SendMessageA(editor, EM_LINEINDEX, line, 0));
    Select(editor, start, start);
    format.cbSize = sizeof format;
    return SendMessageA(editor, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format)) != 0;
}

TEST_F(PrintingTest, ParagraphsPrintLeftCentredAndRightAligned)
{
    HWND editor = NewDocument(IDM_NEW_EDIT, "LEFT\rMIDDLE\rRIGHT\rPLAIN");
    const WORD alignments[] = {PFA_LEFT, PFA_CENTER, PFA_RIGHT};
    for (int line = 0; line < 3; ++line) {
        PARAFORMAT format = {};
        format.dwMask = PFM_ALIGNMENT;
        format.wAlignment = alignments[line];
        ASSERT_TRUE(SetParagraph(editor, line, format));
    }
    const PrintedPdf pdf = Print({});
    const WordSpan left = FindWord(pdf, "LEFT"), middle = FindWord(pdf, "MIDDLE"), right = FindWord(pdf, "RIGHT"),
                   plain = FindWord(pdf, "PLAIN");
    ASSERT_GE(left.left, 0);
    ASSERT_GE(right.right, 0);
    // One inch margins on a page wider than three inches leave the lines apart.
    EXPECT_GT(middle.left, left.right);
    EXPECT_GT(right.left, middle.right);
    EXPECT_NEAR((middle.left + middle.right) / 2, (left.left + right.right) / 2, 2.0);
    EXPECT_NEAR(plain.left, left.left, 1.0) << "the paragraph after the right-aligned one is left-aligned again";
}

// Tab stops (the paragraph's own, else every half inch) and the start,
// right and other lines' indents print where the screen shows them; the
// text is 12-point Courier, 7.2 points a character.
TEST_F(PrintingTest, TabsAndIndentsPrintAsTheScreenShowsThem)
{
    HWND editor = NewDocument(IDM_NEW_EDIT, "AB\tCD\rEF\tGH\rINDENTED\rWRAPFIRST XXXXX WRAPNEXT");
    auto layOut = [&](int line, DWORD mask, LONG startIndent, LONG offset, LONG rightIndent, LONG tab, SHORT tabs = 1) {
        PARAFORMAT format = {};
        format.dwMask = mask;
        format.dxStartIndent = startIndent;
        format.dxOffset = offset;
        format.dxRightIndent = rightIndent;
        format.cTabCount = tabs;
        format.rgxTabs[0] = tab;
        ASSERT_TRUE(SetParagraph(editor, line, format));
    };
    layOut(0, PFM_TABSTOPS, 0, 0, 0, 0, 0);                     // no stops of its own
    layOut(1, PFM_TABSTOPS, 0, 0, 0, 2880);                     // a stop at two inches
    layOut(2, PFM_STARTINDENT, 1440, 0, 0, 0);                  // one inch in
    layOut(3, PFM_STARTINDENT | PFM_OFFSET | PFM_RIGHTINDENT, 720, 720, 5760, 0);  // two inches wide
    const PrintedPdf pdf = Print({});
    const double margin = FindWord(pdf, "AB").left;
    ASSERT_GE(margin, 0);
    EXPECT_NEAR(FindWord(pdf, "CD").left - margin, 36.0, 1.5);
    EXPECT_NEAR(FindWord(pdf, "GH").left - margin, 144.0, 1.5);
    EXPECT_NEAR(FindWord(pdf, "INDENTED").left - margin, 72.0, 1.5);
    EXPECT_NEAR(FindWord(pdf, "WRAPFIRST").left - margin, 36.0, 1.5);
    EXPECT_NEAR(FindWord(pdf, "WRAPNEXT").left - margin, 72.0, 1.5) << "the other lines of a paragraph";
}

TEST_F(PrintingTest, PlainTextPrintsPlainAndBoldTextBold)
{
    // The bold word last: rich text names bold where it starts, and the
    // plain text before it names no weight at all.
    HWND editor = NewDocument(IDM_NEW_EDIT, "10 PRINT \"PLAIN\"\r20 END\r");
    Select(editor, 20, 23);
    CHARFORMATA bold = {};
    bold.cbSize = sizeof bold;
    bold.dwMask = CFM_BOLD;
    bold.dwEffects = CFE_BOLD;
    SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold));
    const PrintedPdf pdf = Print({});
    // pdffonts: two heading lines, then one font a line, its name first.
    std::istringstream fonts(Shell("pdffonts " + pdf.path + " | tail -n +3 | cut -d' ' -f1", pdf.path));
    int boldFonts = 0, plainFonts = 0;
    for (std::string name; std::getline(fonts, name);) ++(name.find("Bold") != std::string::npos ? boldFonts : plainFonts);
    EXPECT_EQ(plainFonts, 1);
    EXPECT_EQ(boldFonts, 1);
}

TEST_F(PrintingTest, PageSetupOnTheFirstUseKeepsThePrinterTheDialogChose)
{
    boxes_->Expect(kPageSetupCaption, IDOK);
    Command(IDM_PAGE_SETUP);
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_TRUE(boxes_->Unexpected().empty());
    ASSERT_NE(g_app.pageSetup.hDevNames, nullptr);
    auto* names = static_cast<DEVNAMES*>(GlobalLock(g_app.pageSetup.hDevNames));
    ASSERT_NE(names, nullptr);
    const std::string device = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
    GlobalUnlock(g_app.pageSetup.hDevNames);
    const char* printer = std::getenv("TAVO_PRINTER");
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(device, printer);

    NewDocument(IDM_NEW_EDIT, Program(3));
    EXPECT_EQ(Print({}).pages, 1);
}

}  // namespace
