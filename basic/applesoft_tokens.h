// The Applesoft token table: the keyword spelled by each token byte $80-$EA.
// Shared by the listing, the colouring scanner and the keyword commands.
#pragma once

constexpr int kApplesoftTokenCount = 107;     // tokens $80 to $EA
constexpr int kApplesoftTokenEntries = 108;   // plus the empty entry 107
constexpr int kApplesoftTokenWidth = 10;      // bytes per entry, NUL-padded
constexpr unsigned kApplesoftFirstToken = 0x80;

// Entry k names token byte $80 + k, upper case, with the punctuation that is
// part of the token ("HCOLOR=", "TAB(", "PR#") and no surrounding spaces.
// The order matters beyond the listing: the colouring takes the first entry
// that matches. Entry 107 is all zero, the empty name.
extern const char kApplesoftTokens[kApplesoftTokenEntries][kApplesoftTokenWidth];
