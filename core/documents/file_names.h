// Windows path pieces for opening and saving documents. Portable.
#pragma once
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The title of a document never saved.
inline constexpr const char* kUntitled = "Untitled";

struct PathParts {
    std::string directory;  // without the last "\"
    std::string name;       // without the extension
    std::string extension;  // from the last ".", with the dot; empty when there is none
};

// `SplitPath`: the last "\" ends the directory; the last "." of the name
// starts the extension (a dot in a folder name is not an extension).
PathParts SplitPath(std::string_view path);

// ".rtf" in any case means rich text; every other name is plain text.
bool IsRichTextName(std::string_view path);

// ".bas" in any case: a file named on the command line with it opens as an
// Applesoft document, coloured, as Open does with Alt held.
bool IsApplesoftName(std::string_view path);

// `directory` + "\" (unless it already ends with one, as a drive root
// does) + `name`.
std::string JoinDirectory(std::string_view directory, std::string_view name);

inline constexpr std::string_view kHelpFileName = "TAVOHelp.chm";
// The help file of the start folder when it has one, else the one beside
// the program (where the build puts it), so TAVO started from any folder
// finds its help. With neither, the start folder's: the error then names
// the first place looked.
std::string ChooseHelpPath(std::string_view startDirectory, std::string_view programDirectory,
                           bool (*exists)(const std::string& path));

inline constexpr std::string_view kHelpViewer = "hh.exe";
// The command line that opens the help file in the HTML help viewer of the
// Windows folder (found on the search path when the folder is unknown).
// Both paths are quoted: either may hold blanks.
std::string HelpCommandLine(std::string_view windowsDirectory, std::string_view helpPath);

// The directory the open dialog's answer names: the first `nameOffset`
// characters of its buffer (never past the first zero byte), without a last "\".
// A drive root thus gives "C:".
std::string SelectedDirectory(std::span<const char> buffer, size_t nameOffset);

// The file names of the open dialog's answer, from `nameOffset` on: one name,
// or several separated by zero bytes. The list ends at an empty name or at
// the end of the buffer, whichever comes first, so an unterminated buffer is
// never read past.
std::vector<std::string> SelectedFileNames(std::span<const char> buffer, size_t nameOffset);
