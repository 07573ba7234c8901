// The colouring scanners of both BASICs: keyword, operator, string and
// remark spans.
#include "core/colouring/colour_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Spans as "K:PRINT Q:\"HI\"": a letter for the kind and the covered text,
// so that a row reads like the line it colours. A carriage return shows as |.
std::string Describe(const std::string& text, const std::vector<ColourSpan>& spans)
{
    std::string out;
    for (const ColourSpan& span : spans) {
        if (!out.empty())
            out += ' ';
        out += "KOQR"[static_cast<int>(span.kind)];
        out += ':';
        if (span.offset < 0 || span.offset + span.length > static_cast<int>(text.size())) {
            out += "<outside " + std::to_string(span.offset) + "+" + std::to_string(span.length) + ">";
            continue;
        }
        for (char c : text.substr(static_cast<size_t>(span.offset), static_cast<size_t>(span.length)))
            out += c == '\r' ? '|' : c;
    }
    return out;
}

std::string ColourText(const std::string& text, bool integer = false)
{
    std::vector<ColourSpan> spans;
    if (integer) ScanIntegerText(text, 0, static_cast<int>(text.size()), spans);
    else ScanApplesoftText(text, 0, static_cast<int>(text.size()), spans);
    return Describe(text, spans);
}

struct Row {
    const char* name;
    std::string text;
    std::string spans;
};

void CheckRows(const std::vector<Row>& rows, bool integer = false)
{
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ColourText(row.text, integer), row.spans);
    }
}

}  // namespace

TEST(ColourScanner, FirstEntryInTableOrderWins)
{
    CheckRows({
        {"AT precedes ATN", "10 X = ATN(X)\r", "O:= K:AT"},
        {"ONERR precedes ON", "20 ONERR GOTO 100\r", "K:ONERR K:GOTO"},
        {"HGR2 precedes HGR", "30 HGR2 : HGR\r", "K:HGR2 K:HGR"},
        {"NOTRACE precedes NOT", "40 NOTRACE : IF NOT X THEN 9\r", "K:NOTRACE K:IF K:NOT K:THEN"},
        {"STORE drops out at its fourth letter", "50 STOP\r", "K:STOP"},
        {"HIMEM needs its colon", "60 HIMEM 4000\r", ""},
        {"HIMEM: with its colon", "60 HIMEM: 4000\r", "K:HIMEM:"},
        {"FN then FRE", "70 DEF FN A(X) = FRE(0)\r", "K:DEF K:FN O:= K:FRE"},
        {"punctuation belongs to the token", "80 PR# 6: HCOLOR= 3: X$ = CHR$ (65)\r",
         "K:PR# K:HCOLOR= O:= K:CHR$"},
    });
}

TEST(ColourScanner, MatchesAtEveryPosition)
{
    CheckRows({
        {"SCORE shows OR", "SCORE\r", "K:OR"},
        {"TOTAL shows TO", "TOTAL\r", "K:TO"},
        {"CAT shows AT", "CAT\r", "K:AT"},
        {"lower case matches alike", "10 print score\r", "K:print K:or"},
        {"a keyword right after another", "20 IFX>1THENGOTO30\r", "K:IF O:> K:THEN K:GOTO"},
    });
}

TEST(ColourScanner, OperatorsAndDigits)
{
    CheckRows({
        {"every one-character token", "A=B+C-D*E/G^H>I<J&\r", "O:= O:+ O:- O:* O:/ O:^ O:> O:< O:&"},
        {"digits never coloured", "100 GOTO 200 : 3 + 4\r", "K:GOTO O:+"},
        {"characters from 128 up never match", "\xD0RINT \xC5ND\r", "K:INT"},
    });
}

TEST(ColourScanner, StringsAndQuestionMark)
{
    CheckRows({
        {"closed string, marks included", "10 PRINT \"HI THERE\";X\r", "K:PRINT Q:\"HI THERE\""},
        {"keywords inside a string stay in it", "20 A$ = \"GOTO END\"\r", "O:= Q:\"GOTO END\""},
        {"unterminated string runs through its carriage return", "30 PRINT \"HELLO\r40 END\r",
         "K:PRINT Q:\"HELLO| K:END"},
        {"unterminated string on the last line is not coloured", "50 PRINT \"HELLO", "K:PRINT"},
        {"? outside quotes is PRINT", "60 ? X\r", "K:?"},
        {"? inside quotes is text", "70 ? \"WHY?\"\r", "K:? Q:\"WHY?\""},
        {"two strings", "80 ?\"A\"\"B\"\r", "K:? Q:\"A\" Q:\"B\""},
    });
}

TEST(ColourScanner, DataAndRemarks)
{
    CheckRows({
        {"DATA until a colon outside quotes, strings still coloured",
         "10 DATA 1,ON,\"A:B\",TO,?:PRINT\r", "K:DATA Q:\"A:B\" K:PRINT"},
        {"DATA ends with its line", "20 DATA GR\r30 GR\r", "K:DATA K:GR"},
        {"REM swallows strings and keywords to the end of the line",
         "40 REM \"HI\" PRINT ? :END\r50 END\r", "K:REM R: \"HI\" PRINT ? :END K:END"},
        {"REM after a statement", "60 X = 1: REM SET X\r", "O:= K:REM R: SET X"},
        {"REM at the end of its line", "70 REM\r", "K:REM"},
        {"REM inside a word", "80 PREMIUM\r", "K:REM R:IUM"},
        {"REM inside quotes is text", "90 ?\"REM\":END\r", "K:? Q:\"REM\" K:END"},
        {"REM inside DATA is data", "95 DATA REM,1:END\r", "K:DATA K:END"},
    });
}

TEST(ColourScanner, RemarkRunsToTheGivenEnd)
{
    // The keystroke pass passes the caret, which may lie past the text read.
    const std::string text = "\r10 REM AB";
    std::vector<ColourSpan> spans;
    ScanApplesoftLine(text, 20, 100, spans);
    const std::vector<ColourSpan> expected = {{ColourKind::Keyword, 104, 3}, {ColourKind::Remark, 107, 13}};
    EXPECT_EQ(spans, expected);
}

TEST(ColourScanner, PiecesOf299Characters)
{
    // A keyword cut by the piece boundary is not found; its tail may match
    // on its own at the start of the next piece (PRINT leaves INT).
    const std::string straddle = std::string(297, ' ') + "PRINT X\r";
    std::vector<ColourSpan> spans;
    ScanApplesoftText(straddle, 0, static_cast<int>(straddle.size()), spans);
    const std::vector<ColourSpan> expected = {{ColourKind::Keyword, 299, 3}};
    EXPECT_EQ(spans, expected);

    CheckRows({
        {"a keyword ending at the boundary is found", std::string(294, ' ') + "PRINT X\r", "K:PRINT"},
        {"a keyword starting at the boundary is found", std::string(299, ' ') + "PRINT X\r", "K:PRINT"},
        {"the second piece starts fresh: no DATA", "DATA" + std::string(295, ' ') + "GR\r", "K:DATA K:GR"},
        {"the second piece starts fresh: no REM", "REM" + std::string(296, ' ') + "GR\r",
         "K:REM R:" + std::string(296, ' ') + " K:GR"},
    });
}

TEST(ColourScanner, PieceLengths)
{
    const struct {
        const char* name;
        std::string rest;
        int length;
    } rows[] = {
        {"line with its carriage return", "10 END\r20 END", 6},
        {"empty line", "\rX", 0},
        {"last line without a carriage return", "10 END", -6},
        {"no text", "", 0},
        {"carriage return as the 299th character", std::string(298, 'A') + "\r", 298},
        {"carriage return just past the piece", std::string(299, 'A') + "\r", -299},
        {"long line", std::string(1000, 'A'), -299},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(LinePieceLength(row.rest), row.length);
    }
}

TEST(ColourScanner, WholeTextFromStartToEnd)
{
    const std::string text = "10 END\r20 GR\r30 TEXT\r";
    std::vector<ColourSpan> spans;
    // From the middle of the first line up to a position inside the second:
    // whole pieces are coloured, and nothing after the piece that holds end.
    ScanApplesoftText(text, 3, 8, spans);
    EXPECT_EQ(Describe(text, spans), "K:END K:GR");
    spans.clear();
    ScanApplesoftText(text, -1, 1000, spans);  // -1 and an end past the text
    EXPECT_EQ(Describe(text, spans), "K:END K:GR K:TEXT");
    spans.clear();
    ScanApplesoftText("", 0, 10, spans);
    EXPECT_TRUE(spans.empty());
}

// Integer BASIC finds keywords by the line's syntax; a line it refuses is
// read word by word.
TEST(ColourScanner, IntegerKeywordsWhereTheParserTakesThem)
{
    CheckRows({
        {"a keyword inside a name stays a name", "10 SCORE=1\r", "O:="},
        {"string and statement", "20 PRINT \"HI\";X\r", "K:PRINT Q:\"HI\""},
        {"lower case and operators", "30 if x>=2 then 10\r", "K:if O:>= K:then"},
        {"REM colours the rest", "40 REM A \"B\" PRINT\r50 END", "K:REM R: A \"B\" PRINT K:END"},
        {"a line being typed", "60 PRINT (\"A", "K:PRINT Q:\"A"},
        {"no number", "GOTO 10\rLIST", "K:GOTO K:LIST"},
    }, true);
}
