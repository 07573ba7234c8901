// The Integer BASIC token table, in token order from $00.
#include "core/basic/integer_tokens.h"

// Integer BASIC has several codes for one word, one per syntactic place.
const char kIntegerTokens[kIntegerTokenCount][kIntegerTokenWidth] = {
    "HIMEM:",    // $00
    "",          // $01
    "_",         // $02
    ":",         // $03
    "LOAD",      // $04
    "SAVE",      // $05
    "CON",       // $06
    "RUN",       // $07
    "RUN",       // $08
    "DEL",       // $09
    ",",         // $0A
    "NEW",       // $0B
    "CLR ",      // $0C
    "AUTO",      // $0D
    ",",         // $0E
    "MAN",       // $0F
    "HIMEM:",    // $10
    "LOMEM:",    // $11
    "+",         // $12
    "-",         // $13
    "*",         // $14
    "/",         // $15
    "=",         // $16
    "#",         // $17
    ">=",        // $18
    ">",         // $19
    "<=",        // $1A
    "<>",        // $1B
    "<",         // $1C
    " AND ",     // $1D
    " OR ",      // $1E
    " MOD ",     // $1F
    "^",         // $20
    "+",         // $21
    "(",         // $22
    ",",         // $23
    " THEN ",    // $24
    " THEN ",    // $25
    ",",         // $26
    ",",         // $27
    "\"",        // $28
    "\"",        // $29
    "(",         // $2A
    "!",         // $2B
    "!",         // $2C
    "(",         // $2D
    "PEEK ",     // $2E
    " RND ",     // $2F
    " SGN ",     // $30
    " ABS ",     // $31
    " PDL ",     // $32
    "RNDX",      // $33
    "(",         // $34
    "+",         // $35
    "-",         // $36
    "NOT ",      // $37
    "(",         // $38
    "=",         // $39
    "#",         // $3A
    "LEN(",      // $3B
    " ASC(",     // $3C
    "SCRN(",     // $3D
    ",",         // $3E
    "(",         // $3F
    "$",         // $40
    "$",         // $41
    "(",         // $42
    ",",         // $43
    ",",         // $44
    ";",         // $45
    ";",         // $46
    ";",         // $47
    ",",         // $48
    ",",         // $49
    ",",         // $4A
    "TEXT ",     // $4B
    "GR ",       // $4C
    "CALL ",     // $4D
    "DIM ",      // $4E
    "DIM ",      // $4F
    "TAB ",      // $50
    "END ",      // $51
    "INPUT ",    // $52
    "INPUT ",    // $53
    "INPUT ",    // $54
    "FOR ",      // $55
    "=",         // $56
    " TO ",      // $57
    " STEP ",    // $58
    "NEXT ",     // $59
    ",",         // $5A
    "RETURN ",   // $5B
    "GOSUB ",    // $5C
    "REM ",      // $5D
    "LET ",      // $5E
    "GOTO ",     // $5F
    "IF ",       // $60
    "PRINT ",    // $61
    "PRINT ",    // $62
    "PRINT ",    // $63
    "POKE ",     // $64
    ",",         // $65
    "COLOR=",    // $66
    "PLOT ",     // $67
    ",",         // $68
    "HLIN ",     // $69
    ",",         // $6A
    " AT ",      // $6B
    "VLIN ",     // $6C
    ",",         // $6D
    " AT ",      // $6E
    "VTAB ",     // $6F
    "=",         // $70
    "=",         // $71
    ")",         // $72
    ")",         // $73
    "LIST ",     // $74
    ",",         // $75
    "LIST ",     // $76
    "POP ",      // $77
    "NODSP ",    // $78
    "NODSP ",    // $79  (the ROM's LIST prints NODSP for both $78 and $79)
    "NOTRACE ",  // $7A
    "DSP ",      // $7B
    "DSP ",      // $7C  (with its space, as LIST prints it)
    "TRACE ",    // $7D
    "PR#",       // $7E
    "IN#",       // $7F
};
