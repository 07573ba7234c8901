// Renumbering a program's text: the lines of a range get new numbers and every
// reference to them follows, the rest of the text byte for byte as it was.
#pragma once
#include <climits>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/basic/basic_language.h"
#include "core/messages/messages.h"
#include "core/text/text_edits.h"

struct RenumberRequest {
    long from = 0;         // the lines numbered from..to are renumbered
    long to = LONG_MAX;    // (the defaults: the whole program)
    long start = 10;       // the first one's new number
    long step = 10;
};

struct LineNumberChange {
    long from;
    long to;
};


// A reference renumbering did not change, for the user to look at.
struct ReferenceLeft {
    int textLine;       // 0-based line of the text
    long lineNumber;    // the (new) number of the line holding it, -1 when it has none
    size_t offset;      // where it is in the new text
    std::string what;   // "GOTO X*10: a computed line, left as it is"
};

struct Renumbering {
    // When refused, the message, its text and value (ComposeMessage), and
    // nothing else is filled in.
    Message refusal = Message::None;
    std::string refusalText;
    int refusalValue = 0;
    std::string text;
    std::vector<LineNumberChange> changes;  // in line order; only numbers that change
    // In text order: `text` is the old one with these numbers' digits put
    // in, so an editor that puts in only these keeps every other character.
    std::vector<TextEdit> edits;
    std::vector<ReferenceLeft> left;        // in text order
};

// Lines are neither moved nor sorted: renumbering is refused when the text
// has them out of order or twice, when a new number would pass the last
// line number the language allows (63999, 32767), or when the range would
// move onto or past a line outside it. A reference to a line no line has, a
// computed one, and one Applesoft reads only partly (GOTO 10+X goes to 10,
// which does follow) are listed in `left`; so is an Integer BASIC line the
// ROM refuses, whose references cannot be known.
Renumbering RenumberProgram(std::string_view text, BasicLanguage language, const RenumberRequest& request = {});

// A line of `left` as a user reads it: "line 120: GOTO X*10: a computed line,
// left as it is".
std::string DescribeReferenceLeft(const ReferenceLeft& left);
