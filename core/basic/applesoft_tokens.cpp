// The Applesoft token table, in token order from $80.
#include "core/basic/applesoft_tokens.h"

#include <array>
#include <cstdint>

#include "core/text/ascii.h"

const char kApplesoftTokens[kApplesoftTokenEntries][kApplesoftTokenWidth] = {
    "END",       // $80
    "FOR",       // $81
    "NEXT",      // $82
    "DATA",      // $83
    "INPUT",     // $84
    "DEL",       // $85
    "DIM",       // $86
    "READ",      // $87
    "GR",        // $88
    "TEXT",      // $89
    "PR#",       // $8A
    "IN#",       // $8B
    "CALL",      // $8C
    "PLOT",      // $8D
    "HLIN",      // $8E
    "VLIN",      // $8F
    "HGR2",      // $90
    "HGR",       // $91
    "HCOLOR=",   // $92
    "HPLOT",     // $93
    "DRAW",      // $94
    "XDRAW",     // $95
    "HTAB",      // $96
    "HOME",      // $97
    "ROT=",      // $98
    "SCALE=",    // $99
    "SHLOAD",    // $9A
    "TRACE",     // $9B
    "NOTRACE",   // $9C
    "NORMAL",    // $9D
    "INVERSE",   // $9E
    "FLASH",     // $9F
    "COLOR=",    // $A0
    "POP",       // $A1
    "VTAB",      // $A2
    "HIMEM:",    // $A3
    "LOMEM:",    // $A4
    "ONERR",     // $A5
    "RESUME",    // $A6
    "RECALL",    // $A7
    "STORE",     // $A8
    "SPEED=",    // $A9
    "LET",       // $AA
    "GOTO",      // $AB
    "RUN",       // $AC
    "IF",        // $AD
    "RESTORE",   // $AE
    "&",         // $AF
    "GOSUB",     // $B0
    "RETURN",    // $B1
    "REM",       // $B2
    "STOP",      // $B3
    "ON",        // $B4
    "WAIT",      // $B5
    "LOAD",      // $B6
    "SAVE",      // $B7
    "DEF",       // $B8
    "POKE",      // $B9
    "PRINT",     // $BA
    "CONT",      // $BB
    "LIST",      // $BC
    "CLEAR",     // $BD
    "GET",       // $BE
    "NEW",       // $BF
    "TAB(",      // $C0
    "TO",        // $C1
    "FN",        // $C2
    "SPC(",      // $C3
    "THEN",      // $C4
    "AT",        // $C5
    "NOT",       // $C6
    "STEP",      // $C7
    "+",         // $C8
    "-",         // $C9
    "*",         // $CA
    "/",         // $CB
    "^",         // $CC
    "AND",       // $CD
    "OR",        // $CE
    ">",         // $CF
    "=",         // $D0
    "<",         // $D1
    "SGN",       // $D2
    "INT",       // $D3
    "ABS",       // $D4
    "USR",       // $D5
    "FRE",       // $D6
    "SCRN(",     // $D7
    "PDL",       // $D8
    "POS",       // $D9
    "SQR",       // $DA
    "RND",       // $DB
    "LOG",       // $DC
    "EXP",       // $DD
    "COS",       // $DE
    "SIN",       // $DF
    "TAN",       // $E0
    "ATN",       // $E1
    "PEEK",      // $E2
    "LEN",       // $E3
    "STR$",      // $E4
    "VAL",       // $E5
    "ASC",       // $E6
    "CHR$",      // $E7
    "LEFT$",     // $E8
    "RIGHT$",    // $E9
    "MID$",      // $EA
    "",          // entry 107: the empty name, no token
};

namespace {

// The entries by their first character, in table order, so that a match tries
// only the few entries that can fit.
struct FirstCharacterIndex {
    std::array<uint8_t, 128> begin{};
    std::array<uint8_t, 128> count{};
    std::array<uint8_t, kApplesoftTokenCount> entries{};
};

const FirstCharacterIndex& EntriesByFirstCharacter()
{
    static const FirstCharacterIndex index = [] {
        FirstCharacterIndex built;
        int next = 0;
        for (int c = 0; c < 128; ++c) {
            built.begin[c] = static_cast<uint8_t>(next);
            for (int k = 0; k < kApplesoftTokenCount; ++k)
                if (kApplesoftTokens[k][0] == c)
                    built.entries[next++] = static_cast<uint8_t>(k);
            built.count[c] = static_cast<uint8_t>(next - built.begin[c]);
        }
        return built;
    }();
    return index;
}

}  // namespace

KeywordMatch MatchApplesoftKeyword(std::string_view text, size_t at, KeywordCase letterCase, KeywordSpaces spaces,
                                   int firstEntry)
{
    if (at >= text.size())
        return {};
    const auto fold = [letterCase](char c) { return letterCase == KeywordCase::Ignored ? AsciiUpper(c) : c; };
    const unsigned char first = static_cast<unsigned char>(fold(text[at]));
    if (first >= 128)
        return {};
    const FirstCharacterIndex& index = EntriesByFirstCharacter();
    for (int e = index.begin[first]; e < index.begin[first] + index.count[first]; ++e) {
        const int k = index.entries[e];
        if (k < firstEntry)
            continue;
        const char* name = kApplesoftTokens[k];
        size_t position = at + 1;
        size_t n = 1;
        while (n < kApplesoftTokenWidth && name[n] != '\0' && position < text.size()) {
            if (text[position] == ' ' && spaces == KeywordSpaces::Ignored) {
                ++position;
                continue;
            }
            if (fold(text[position]) != name[n])
                break;
            ++position;
            ++n;
        }
        if (n == kApplesoftTokenWidth || name[n] == '\0')
            return {k, position - at};
    }
    return {};
}
