// The keyword help table and the search for the keyword under the caret,
// which reads the line with the tokenizers' own parsers.
#include "core/basic/keyword_help.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/basic/applesoft_tokenizer.h"
#include "core/basic/applesoft_tokens.h"
#include "core/basic/integer_tokenizer.h"
#include "core/basic/integer_tokens.h"
#include "core/basic/program_lines.h"
#include "core/text/ascii.h"

namespace {

constexpr BasicLanguage kA = BasicLanguage::Applesoft;
constexpr BasicLanguage kI = BasicLanguage::Integer;
constexpr int kNone = -1;

constexpr KeywordHelp kRows[] = {
    {kA, "END", 0x80, "END", "Stops the program quietly, without a message."},
    {kA, "FOR", 0x81, "FOR var = first TO last [STEP size]",
     "Starts a loop: the variable runs from first to last, by size (1 unless given)."},
    {kA, "NEXT", 0x82, "NEXT [var[, var...]]",
     "Ends a FOR loop's body: adds the step and goes round again until the variable passes the limit."},
    {kA, "DATA", 0x83, "DATA value[, value...]", "Holds numbers and strings for READ to take, in order."},
    {kA, "INPUT", 0x84, "INPUT [\"prompt\";] var[, var...]",
     "Waits for the user to type values, one for each variable, and RETURN."},
    {kA, "DEL", 0x85, "DEL first, last", "Deletes the program's lines from first to last."},
    {kA, "DIM", 0x86, "DIM name(largest[, largest...])[, name(...)...]",
     "Makes arrays with the largest index of each dimension; without DIM an array's largest index is 10."},
    {kA, "READ", 0x87, "READ var[, var...]", "Takes the next DATA values into the variables."},
    {kA, "GR", 0x88, "GR", "Shows low-resolution graphics (40 by 40 blocks, four text lines below) cleared to black."},
    {kA, "TEXT", 0x89, "TEXT", "Back to the whole text screen, with the text window made full size."},
    {kA, "PR#", 0x8A, "PR# slot", "Sends output to the card in the slot; PR# 0 is the screen again."},
    {kA, "IN#", 0x8B, "IN# slot", "Takes input from the card in the slot; IN# 0 is the keyboard again."},
    {kA, "CALL", 0x8C, "CALL address", "Runs the machine-code routine at the address."},
    {kA, "PLOT", 0x8D, "PLOT x, y", "Fills one low-resolution block with the COLOR= colour."},
    {kA, "HLIN", 0x8E, "HLIN x1, x2 AT y", "Draws a low-resolution line across row y."},
    {kA, "VLIN", 0x8F, "VLIN y1, y2 AT x", "Draws a low-resolution line down column x."},
    {kA, "HGR2", 0x90, "HGR2", "Shows high-resolution page 2 ($4000-$5FFF), full screen, cleared."},
    {kA, "HGR", 0x91, "HGR", "Shows high-resolution page 1 ($2000-$3FFF) with four text lines, cleared."},
    {kA, "HCOLOR=", 0x92, "HCOLOR= colour", "Picks the high-resolution colour, 0 to 7, for HPLOT and DRAW."},
    {kA, "HPLOT", 0x93, "HPLOT x, y [TO x, y...] | HPLOT TO x, y",
     "Plots a high-resolution point, or draws lines from point to point."},
    {kA, "DRAW", 0x94, "DRAW shape [AT x, y]", "Draws a shape of the shape table at the place given or the last one."},
    {kA, "XDRAW", 0x95, "XDRAW shape [AT x, y]",
     "Draws a shape by flipping the dots under it, so a second XDRAW takes it away."},
    {kA, "HTAB", 0x96, "HTAB column", "Moves the cursor to a column of its line, 1 at the left."},
    {kA, "HOME", 0x97, "HOME", "Clears the text window and puts the cursor at its top left corner."},
    {kA, "ROT=", 0x98, "ROT= angle", "Turns the shapes DRAW makes: 0 upright, 16 a quarter turn clockwise."},
    {kA, "SCALE=", 0x99, "SCALE= size", "Sets how large DRAW makes shapes, 1 to 255 (0 is 256)."},
    {kA, "SHLOAD", 0x9A, "SHLOAD", "Loads a shape table from cassette tape and points the shape commands at it."},
    {kA, "TRACE", 0x9B, "TRACE", "Prints the number of each line as it runs, until NOTRACE."},
    {kA, "NOTRACE", 0x9C, "NOTRACE", "Stops the line numbers TRACE prints."},
    {kA, "NORMAL", 0x9D, "NORMAL", "Prints white on black again after INVERSE or FLASH."},
    {kA, "INVERSE", 0x9E, "INVERSE", "Prints black on white until NORMAL."},
    {kA, "FLASH", 0x9F, "FLASH", "Prints characters that blink until NORMAL."},
    {kA, "COLOR=", 0xA0, "COLOR= colour", "Picks the low-resolution colour, 0 to 15, for PLOT, HLIN and VLIN."},
    {kA, "POP", 0xA1, "POP", "Forgets the last GOSUB, so the next RETURN goes back to the one before it."},
    {kA, "VTAB", 0xA2, "VTAB row", "Moves the cursor to a row of the screen, 1 at the top, 24 at the bottom."},
    {kA, "HIMEM:", 0xA3, "HIMEM: address", "Sets the top of the memory BASIC uses; strings are stored down from it."},
    {kA, "LOMEM:", 0xA4, "LOMEM: address", "Sets where the variables start, above the program."},
    {kA, "ONERR", 0xA5, "ONERR GOTO line", "On an error, goes to the line instead of stopping the program."},
    {kA, "RESUME", 0xA6, "RESUME", "At the end of an ONERR routine, runs the statement that failed again."},
    {kA, "RECALL", 0xA7, "RECALL array", "Reads a number array back from cassette tape."},
    {kA, "STORE", 0xA8, "STORE array", "Writes a number array to cassette tape."},
    {kA, "SPEED=", 0xA9, "SPEED= rate", "Slows down printing: 255 is full speed, 0 the slowest."},
    {kA, "LET", 0xAA, "[LET] var = expression", "Gives the variable a value; the word LET may be left out."},
    {kA, "GOTO", 0xAB, "GOTO line", "Goes on with the program at the line."},
    {kA, "RUN", 0xAC, "RUN [line]", "Clears the variables and runs the program from its start or from the line."},
    {kA, "IF", 0xAD, "IF expression THEN statements | IF expression THEN line | IF expression GOTO line",
     "Runs the rest of the line only when the expression is not 0."},
    {kA, "RESTORE", 0xAE, "RESTORE", "Makes the next READ take the first DATA value again."},
    {kA, "&", 0xAF, "& [anything]", "Jumps to the machine code whose JMP instruction is at $3F5, which reads the rest."},
    {kA, "GOSUB", 0xB0, "GOSUB line", "Runs the subroutine at the line; its RETURN comes back here."},
    {kA, "RETURN", 0xB1, "RETURN", "Goes back to the statement after the last GOSUB."},
    {kA, "REM", 0xB2, "REM remark", "A remark: the rest of the line is for the reader and is not run."},
    {kA, "STOP", 0xB3, "STOP", "Stops the program with BREAK IN and the line number; CONT goes on."},
    {kA, "ON", 0xB4, "ON expression GOTO | GOSUB line[, line...]",
     "Goes to (or calls) the first line of the list when the expression is 1, the second when 2, and so on."},
    {kA, "WAIT", 0xB5, "WAIT address, mask[, flip]",
     "Waits until a byte of memory, flipped by the third value, has a bit of the mask set."},
    {kA, "LOAD", 0xB6, "LOAD", "Loads a program from cassette tape (with DOS, LOAD name reads a disk)."},
    {kA, "SAVE", 0xB7, "SAVE", "Saves the program to cassette tape (with DOS, SAVE name writes a disk)."},
    {kA, "DEF", 0xB8, "DEF FN name(var) = expression", "Defines a function of one number for FN to use."},
    {kA, "POKE", 0xB9, "POKE address, value", "Writes a byte, 0 to 255, into memory."},
    {kA, "PRINT", 0xBA, "PRINT [item[; | , item...]][; | ,]",
     "Writes numbers and strings; ; joins them, , goes to the next tab field. ? is typed as PRINT."},
    {kA, "CONT", 0xBB, "CONT", "Goes on with a program stopped by STOP, END or Ctrl-C."},
    {kA, "LIST", 0xBC, "LIST [first][-last] | LIST [first][, last]", "Lists the program, or the lines from first to last."},
    {kA, "CLEAR", 0xBD, "CLEAR", "Forgets every variable and array and the open FOR loops and GOSUBs."},
    {kA, "GET", 0xBE, "GET var", "Waits for one key and gives it to the variable, without RETURN."},
    {kA, "NEW", 0xBF, "NEW", "Deletes the program and its variables."},
    {kA, "TAB(", 0xC0, "PRINT TAB(column)", "In PRINT, moves right to the column, 1 at the left."},
    {kA, "TO", 0xC1, "FOR var = first TO last | HPLOT x, y TO x, y",
     "The limit of a FOR loop, or the next point of an HPLOT line."},
    {kA, "FN", 0xC2, "FN name(expression)", "Works out a function DEF defined, for the value given."},
    {kA, "SPC(", 0xC3, "PRINT SPC(count)", "In PRINT, writes that many spaces."},
    {kA, "THEN", 0xC4, "IF expression THEN statements | line",
     "Begins what IF runs when true; a number right after it is a line to go to."},
    {kA, "AT", 0xC5, "DRAW shape AT x, y | HLIN x1, x2 AT y | VLIN y1, y2 AT x",
     "Gives the place in DRAW, XDRAW, HLIN and VLIN. Not read as AT when N or O follows (ATN, A TO)."},
    {kA, "NOT", 0xC6, "NOT expression", "1 when the expression is 0, otherwise 0."},
    {kA, "STEP", 0xC7, "FOR var = first TO last STEP size", "How much NEXT adds to the loop's variable; may be negative."},
    {kA, "+", 0xC8, "a + b", "Adds two numbers or joins two strings; before a number, its sign."},
    {kA, "-", 0xC9, "a - b", "Takes b from a; before a number, makes it negative."},
    {kA, "*", 0xCA, "a * b", "Multiplies."},
    {kA, "/", 0xCB, "a / b", "Divides."},
    {kA, "^", 0xCC, "a ^ b", "Raises a to the power b."},
    {kA, "AND", 0xCD, "a AND b", "1 when both a and b are not 0, otherwise 0."},
    {kA, "OR", 0xCE, "a OR b", "1 when a or b is not 0, otherwise 0."},
    {kA, ">", 0xCF, "a > b | a >= b | a <> b", "1 when a is greater than b, otherwise 0; with = or < it makes >= and <>."},
    {kA, "=", 0xD0, "a = b | var = expression", "1 when a equals b, otherwise 0; in LET and FOR it gives a value."},
    {kA, "<", 0xD1, "a < b | a <= b | a <> b", "1 when a is less than b, otherwise 0; with = or > it makes <= and <>."},
    {kA, "SGN", 0xD2, "SGN(x)", "-1, 0 or 1 as x is negative, zero or positive."},
    {kA, "INT", 0xD3, "INT(x)", "The largest whole number not above x (INT(-2.5) is -3)."},
    {kA, "ABS", 0xD4, "ABS(x)", "x without its sign."},
    {kA, "USR", 0xD5, "USR(x)", "Calls the machine code whose JMP is at $0A, with x in the floating-point accumulator."},
    {kA, "FRE", 0xD6, "FRE(x)", "The bytes of memory still free, after tidying away old strings."},
    {kA, "SCRN(", 0xD7, "SCRN(x, y)", "The colour, 0 to 15, of a low-resolution block."},
    {kA, "PDL", 0xD8, "PDL(paddle)", "Reads game paddle 0 to 3 as a number from 0 to 255."},
    {kA, "POS", 0xD9, "POS(x)", "The cursor's column, 0 at the left; x is not used."},
    {kA, "SQR", 0xDA, "SQR(x)", "The square root of x."},
    {kA, "RND", 0xDB, "RND(x)",
     "A random number from 0 up to 1; RND(0) repeats the last one, a negative x starts a fixed series."},
    {kA, "LOG", 0xDC, "LOG(x)", "The natural logarithm of x."},
    {kA, "EXP", 0xDD, "EXP(x)", "e raised to the power x."},
    {kA, "COS", 0xDE, "COS(x)", "The cosine of x, in radians."},
    {kA, "SIN", 0xDF, "SIN(x)", "The sine of x, in radians."},
    {kA, "TAN", 0xE0, "TAN(x)", "The tangent of x, in radians."},
    {kA, "ATN", 0xE1, "ATN(x)", "The angle, in radians, whose tangent is x."},
    {kA, "PEEK", 0xE2, "PEEK(address)", "The byte in memory at the address."},
    {kA, "LEN", 0xE3, "LEN(string)", "The number of characters in the string."},
    {kA, "STR$", 0xE4, "STR$(x)", "The number written as a string, as PRINT would write it."},
    {kA, "VAL", 0xE5, "VAL(string)", "The number the string begins with, 0 when it begins with none."},
    {kA, "ASC", 0xE6, "ASC(string)", "The character code of the string's first character."},
    {kA, "CHR$", 0xE7, "CHR$(code)", "The string of the one character with that code."},
    {kA, "LEFT$", 0xE8, "LEFT$(string, count)", "The first count characters of the string."},
    {kA, "RIGHT$", 0xE9, "RIGHT$(string, count)", "The last count characters of the string."},
    {kA, "MID$", 0xEA, "MID$(string, start[, count])",
     "The characters of the string from start (1 is the first), count of them or all the rest."},

    {kI, "ABS", kNone, "ABS(x)", "x without its sign."},
    {kI, "AND", kNone, "a AND b", "1 when both a and b are not 0, otherwise 0."},
    {kI, "ASC(", kNone, "ASC(string)", "The character code of the string's first character."},
    {kI, "AT", kNone, "HLIN x1, x2 AT y | VLIN y1, y2 AT x", "Gives the row of HLIN and the column of VLIN."},
    {kI, "AUTO", kNone, "AUTO first[, step]",
     "Types the next line number for you as you enter lines, from first by step (10 unless given); MAN stops it."},
    {kI, "CALL", kNone, "CALL address", "Runs the machine-code routine at the address (above 32767 as a negative number)."},
    {kI, "CLR", kNone, "CLR", "Forgets every variable and the open FOR loops and GOSUBs."},
    {kI, "COLOR=", kNone, "COLOR= colour", "Picks the low-resolution colour, 0 to 15, for PLOT, HLIN and VLIN."},
    {kI, "CON", kNone, "CON", "Goes on with a program stopped by Ctrl-C or END."},
    {kI, "DEL", kNone, "DEL first[, last]", "Deletes the line first, or the lines from first to last."},
    {kI, "DIM", kNone, "DIM name(largest) | DIM name$(length)[, ...]",
     "Makes a number array with indexes 0 to largest, or room for a string of up to length characters."},
    {kI, "DSP", kNone, "DSP var", "Watches the variable: each time a line gives it a value, the line and value are shown."},
    {kI, "END", kNone, "END", "Stops the program."},
    {kI, "FOR", kNone, "FOR var = first TO last [STEP size]",
     "Starts a loop: the variable runs from first to last, by size (1 unless given)."},
    {kI, "GOSUB", kNone, "GOSUB expression", "Runs the subroutine at the line the expression gives; RETURN comes back."},
    {kI, "GOTO", kNone, "GOTO expression",
     "Goes on at the line the expression gives; it may be worked out, as in GOTO 100 + 10 * N."},
    {kI, "GR", kNone, "GR", "Shows low-resolution graphics with four text lines below, cleared to black."},
    {kI, "HIMEM:", kNone, "HIMEM: address",
     "Sets the top of memory; the program is kept just below it, so set it before typing a program."},
    {kI, "HLIN", kNone, "HLIN x1, x2 AT y", "Draws a low-resolution line across row y."},
    {kI, "IF", kNone, "IF expression THEN statement | IF expression THEN line",
     "Runs the one statement after THEN, or goes to the line, when the expression is not 0."},
    {kI, "IN#", kNone, "IN# slot", "Takes input from the card in the slot; IN# 0 is the keyboard again."},
    {kI, "INPUT", kNone, "INPUT [\"prompt\",] var[, var...]", "Waits for the user to type values for the variables."},
    {kI, "LEN(", kNone, "LEN(string)", "The number of characters in the string."},
    {kI, "LET", kNone, "[LET] var = expression", "Gives the variable a value; the word LET may be left out."},
    {kI, "LIST", kNone, "LIST [first[, last]]", "Lists the program, or the line first, or the lines from first to last."},
    {kI, "LOAD", kNone, "LOAD", "Loads a program from cassette tape (with DOS, LOAD name reads a disk)."},
    {kI, "LOMEM:", kNone, "LOMEM: address", "Sets where the variables start ($0800 unless set)."},
    {kI, "MAN", kNone, "MAN", "Stops the line numbers AUTO types."},
    {kI, "MOD", kNone, "a MOD b", "The remainder of a divided by b."},
    {kI, "NEW", kNone, "NEW", "Deletes the program and its variables."},
    {kI, "NEXT", kNone, "NEXT var[, var...]",
     "Ends a FOR loop's body: adds the step and goes round again until the variable passes the limit."},
    {kI, "NODSP", kNone, "NODSP var", "Stops watching a variable DSP watches."},
    {kI, "NOT", kNone, "NOT expression", "1 when the expression is 0, otherwise 0."},
    {kI, "NOTRACE", kNone, "NOTRACE", "Stops the line numbers TRACE prints."},
    {kI, "OR", kNone, "a OR b", "1 when a or b is not 0, otherwise 0."},
    {kI, "PDL", kNone, "PDL(paddle)", "Reads game paddle 0 to 3 as a number from 0 to 255."},
    {kI, "PEEK", kNone, "PEEK(address)", "The byte in memory at the address (above 32767 as a negative number)."},
    {kI, "PLOT", kNone, "PLOT x, y", "Fills one low-resolution block with the COLOR= colour."},
    {kI, "POKE", kNone, "POKE address, value", "Writes a byte, 0 to 255, into memory."},
    {kI, "POP", kNone, "POP", "Forgets the last GOSUB, so the next RETURN goes back to the one before it."},
    {kI, "PR#", kNone, "PR# slot", "Sends output to the card in the slot; PR# 0 is the screen again."},
    {kI, "PRINT", kNone, "PRINT [item[; | , item...]][; | ,]",
     "Writes numbers and strings; ; joins them, , goes to the next tab field."},
    {kI, "REM", kNone, "REM remark", "A remark: the rest of the line is for the reader and is not run."},
    {kI, "RETURN", kNone, "RETURN", "Goes back to the statement after the last GOSUB."},
    {kI, "RND", kNone, "RND(n)", "A random whole number from 0 to n - 1."},
    {kI, "RUN", kNone, "RUN [line]", "Clears the variables and runs the program from its start or from the line."},
    {kI, "SAVE", kNone, "SAVE", "Saves the program to cassette tape (with DOS, SAVE name writes a disk)."},
    {kI, "SCRN(", kNone, "SCRN(x, y)", "The colour, 0 to 15, of a low-resolution block."},
    {kI, "SGN", kNone, "SGN(x)", "-1, 0 or 1 as x is negative, zero or positive."},
    {kI, "STEP", kNone, "FOR var = first TO last STEP size", "How much NEXT adds to the loop's variable; may be negative."},
    {kI, "TAB", kNone, "TAB column", "Moves the cursor to a column of its line, 1 at the left."},
    {kI, "TEXT", kNone, "TEXT", "Back to the whole text screen, with the text window made full size."},
    {kI, "THEN", kNone, "IF expression THEN statement | line",
     "Begins what IF does when true: one statement, or the line to go to."},
    {kI, "TO", kNone, "FOR var = first TO last", "The limit of a FOR loop."},
    {kI, "TRACE", kNone, "TRACE", "Prints the number of each line as it runs, until NOTRACE."},
    {kI, "VLIN", kNone, "VLIN y1, y2 AT x", "Draws a low-resolution line down column x."},
    {kI, "VTAB", kNone, "VTAB row", "Moves the cursor to a row of the screen, 1 at the top, 24 at the bottom."},
};

// A token byte's keyword in Integer BASIC's table, without the listing's blanks.
std::string_view IntegerWord(uint8_t token)
{
    std::string_view word(kIntegerTokens[token]);
    while (!word.empty() && word.front() == ' ') word.remove_prefix(1);
    while (!word.empty() && word.back() == ' ') word.remove_suffix(1);
    return word;
}

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) c = AsciiUpper(SevenBit(c));
    return upper;
}

// Of the spans that hold the column, the one it stands inside, else the
// one it stands right after.
struct Best {
    KeywordAtCaret found;
    bool inside = false;
    void Offer(const KeywordHelp* help, size_t start, size_t end, size_t column)
    {
        if (help == nullptr || column < start || column > end || inside) return;
        const bool in = column < end;
        if (found.help != nullptr && !in) return;
        found = {help, start, end};
        inside = in;
    }
};

KeywordAtCaret ApplesoftKeywordAt(const std::string& upper, size_t column)
{
    const TypedLineNumber number = ReadTypedLineNumber(upper);
    const size_t contentsAt = number.value >= 0 ? number.contentsAt : 0;
    const std::string_view contents = std::string_view(upper).substr(contentsAt);
    std::vector<uint8_t> parsed;
    std::vector<uint32_t> typedAt;
    ParseApplesoftContents(contents, parsed, &typedAt);
    Best best;
    for (size_t k = 0; k < parsed.size(); ++k) {
        if (parsed[k] < kApplesoftFirstToken) continue;
        size_t end = k + 1 < parsed.size() ? typedAt[k + 1] : contents.size();
        while (end > typedAt[k] + 1 && contents[end - 1] == ' ') --end;
        best.Offer(&kRows[parsed[k] - kApplesoftFirstToken], contentsAt + typedAt[k], contentsAt + end, column);
    }
    return best.found;
}

KeywordAtCaret IntegerKeywordAt(const std::string& upper, size_t column)
{
    const TypedLineNumber number = ReadTypedLineNumber(upper);
    const size_t contentsAt = number.value >= 0 ? number.contentsAt : 0;
    const std::string_view contents = std::string_view(upper).substr(contentsAt);
    std::vector<uint8_t> tokens;
    std::vector<uint32_t> typedAt;
    Best best;
    if (ParseIntegerContents(contents, tokens, &typedAt) == IntegerParse::Stored) {
        for (const IntegerItem& item : IntegerItems(tokens)) {
            if (!item.token) continue;
            const std::string_view word = IntegerWord(tokens[item.index]);
            const size_t start = typedAt[item.index];
            best.Offer(FindKeywordHelp(word, BasicLanguage::Integer), contentsAt + start,
                       contentsAt + SpelledEnd(contents, start, word), column);
        }
        return best.found;
    }
    // A line being typed: the longest keyword that begins a word there.
    for (size_t start = 0; start < upper.size(); ++start) {
        if (start > 0 && upper[start - 1] >= 'A' && upper[start - 1] <= 'Z') continue;
        const KeywordHelp* longest = nullptr;
        for (const KeywordHelp& row : KeywordHelpTable()) {
            const std::string_view word(row.keyword);
            if (row.language == BasicLanguage::Integer && upper.compare(start, word.size(), word) == 0 &&
                (longest == nullptr || word.size() > std::string_view(longest->keyword).size()))
                longest = &row;
        }
        if (longest != nullptr) best.Offer(longest, start, start + std::string_view(longest->keyword).size(), column);
    }
    return best.found;
}

}  // namespace

std::span<const KeywordHelp> KeywordHelpTable() { return kRows; }

const KeywordHelp* FindKeywordHelp(std::string_view keyword, BasicLanguage language)
{
    for (const KeywordHelp& row : kRows)
        if (row.language == language && EqualIgnoringCase(row.keyword, keyword)) return &row;
    return nullptr;
}

KeywordAtCaret KeywordUnderCaret(std::string_view line, size_t column, BasicLanguage language)
{
    // As the tokenizers read a line: up to its first NUL, high bit or not.
    std::string upper = Upper(line);
    upper.resize(std::min(upper.size(), upper.find('\0')));
    if (column > upper.size()) return {};
    return language == BasicLanguage::Applesoft ? ApplesoftKeywordAt(upper, column) : IntegerKeywordAt(upper, column);
}

std::string KeywordHelpText(const KeywordHelp& help)
{
    std::string text = help.keyword;
    if (help.token >= 0) {
        char token[24];
        std::snprintf(token, sizeof token, "  (token $%02X)", static_cast<unsigned>(help.token));
        text += token;
    }
    return text + "\r\n" + help.syntax + "\r\n" + help.summary;
}
