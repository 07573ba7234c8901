// Apple file names on the host: a file name any host accepts for an Apple
// file, and the text of an Apple name that prints on one line of a terminal.
#pragma once
#include <string>
#include <string_view>

// `name` with every byte outside printable ASCII written as \xHH (capital
// hex digits) and a backslash as \\. DOS 3.3 names may hold ESC, BEL, CR or
// LF; escaped, a name neither acts on the terminal nor breaks its line.
std::string EscapedAppleName(std::string_view name);

// A file name for `appleName`, whose trailing blanks are dropped: characters
// outside a small safe set become '_', blanks and full stops at the end go
// (Windows drops them), an empty name becomes "_", and a name that Windows
// takes for a device gets a leading '_'.
std::string HostFileName(std::string_view appleName);

// Whether Windows opens a device for `name`, whatever its extension: CON,
// PRN, AUX, NUL, CONIN$, CONOUT$, COM0-COM9 and LPT0-LPT9, in any case and
// with blanks before the extension. (The superscript-digit forms COM¹ and so
// on cannot arise: HostFileName keeps ASCII only.)
bool IsWindowsDeviceName(std::string_view name);
