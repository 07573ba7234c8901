// The file names and folder paths an Apple II disk's own system accepts,
// checked before a command line that holds them is typed into the emulator.
// The emulator types whatever it is given: a DOS 3.3 catalog name may hold a
// carriage return, and typed as it stands "X", CR, "INIT HELLO" would end the
// command early and format the disk.
#pragma once
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/messages/messages.h"

constexpr size_t kProdosNameMaxChars = 15;  // a letter and up to 14 letters, digits or full stops
constexpr size_t kDosNameMaxChars = 30;     // printable characters, a letter first, no comma

enum class AppleNameProblem { None, Empty, BadCharacter, Comma, NotLetterFirst, TooLong };

AppleNameProblem CheckProdosName(std::string_view name);
AppleNameProblem CheckDosName(std::string_view name);
// "/" and then valid ProDOS names, each followed by "/": "/VOL/", "/VOL/SUB/".
bool IsProdosPrefix(std::string_view prefix);

// Why the names of a command cannot be typed: the message, the text it
// shows and its number, or Message::None when they can. DOS 3.3 rules for
// a DOS layout (whose prefix is always empty), ProDOS rules for any other
// layout. The prefix is checked first, then the names in order.
struct AppleNameRefusal {
    Message message = Message::None;
    std::string text;
    int value = 0;
};
AppleNameRefusal RefuseAppleNames(int layout, std::string_view prefix, std::initializer_list<std::string_view> names);
// The same for a whole Apple path: a ProDOS /VOL/SUB/HELLO, or a DOS 3.3 name.
AppleNameRefusal RefuseApplePath(int layout, std::string_view path);
// The rules a document's Apple path follows, read from its form: a ProDOS
// path starts at its volume with "/", a DOS 3.3 path is the name alone and
// starts with a letter. A path saved through the browser carries no file
// entry to tell, so its form is what there is.
int LayoutOfApplePath(std::string_view path);
