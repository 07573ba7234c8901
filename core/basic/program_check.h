// What the Apple II will make of a program typed line by line: the lines it
// will list otherwise than they were typed, the lines it will not store or
// will replace, the jumps to lines that do not exist, Applesoft's variables
// that are not what they seem, and where the tokenized program lies in
// memory.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/basic/basic_language.h"

enum class FindingKind {
    ListsDifferently,  // a keyword inside a name or across a space
    LowerCase,         // lower-case keywords stay letters
    LineCancelled,
    LineCut,
    NumberTooLarge,
    NoLineNumber,
    Replaced,          // a later line of the same number replaces or deletes it
    OutOfOrder,
    MissingTarget,     // GOTO, GOSUB, THEN or ON to a line the program has not
    OutOfMemory,
    SameVariable,      // two names Applesoft reads as one: only two characters count
    ArrayWithoutDim,   // an index above 10 of an array no DIM makes
    NextWithoutFor,    // NEXT with a variable no FOR opens
    SyntaxError,       // Integer BASIC: SYNTAX ERR, the line is not stored
    LineTooLong,       // Integer BASIC: more tokens than a line may hold
};

struct ProgramFinding {
    FindingKind kind;
    int line;            // 0-based line of the text
    size_t offset;       // where that line starts in the text
    std::string problem;
    std::string typed;   // the line as typed
    std::string listed;  // as the Apple will LIST it; empty when it is not stored
};

inline constexpr int kHgrPage1 = 0x2000;      // $2000-$3FFF
inline constexpr int kHgrPage2 = 0x4000;      // $4000-$5FFF
inline constexpr int kHgrPageBytes = 0x2000;
inline constexpr int kDosHimem = 0x9600;      // HIMEM with DOS 3.3 on a 48K machine
inline constexpr int kIntegerLomem = 0x0800;  // Integer BASIC's variables start here unless LOMEM: moves them

struct ProgramCheck {
    BasicLanguage language = BasicLanguage::Applesoft;
    std::vector<ProgramFinding> findings;  // in line order
    size_t bytes = 0;                      // the tokenized program, end link included
    int storedLines = 0;
};

ProgramCheck CheckApplesoftProgram(std::string_view text);
// Integer BASIC checks each line's syntax as it is typed: the lines it
// refuses, numbers typed twice or out of order, GOTO, GOSUB and THEN targets
// no line has, and the program's size against the room below HIMEM.
ProgramCheck CheckIntegerProgram(std::string_view text);

// The size and place of the program and whether it reaches into the HGR
// pages: Applesoft's from $0801 up, against HIMEM ("1234 bytes at
// $0801-$0CD2; clear of ..."); Integer BASIC's from HIMEM down, against
// LOMEM, where its variables start.
std::string DescribeProgramPlace(size_t bytes, BasicLanguage language = BasicLanguage::Applesoft);
