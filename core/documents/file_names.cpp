// Windows path pieces for opening and saving documents.
#include "core/documents/file_names.h"

#include <algorithm>

#include "core/text/ascii.h"

PathParts SplitPath(std::string_view path)
{
    PathParts parts;
    size_t slash = path.rfind('\\');
    std::string_view file = path;
    if (slash != std::string_view::npos) {
        parts.directory = std::string(path.substr(0, slash));
        file = path.substr(slash + 1);
    }
    size_t dot = file.rfind('.');
    if (dot == std::string_view::npos) {
        parts.name = std::string(file);
    } else {
        parts.name = std::string(file.substr(0, dot));
        parts.extension = std::string(file.substr(dot));
    }
    return parts;
}

bool IsRichTextName(std::string_view path)
{
    return EqualIgnoringCase(SplitPath(path).extension, ".rtf");
}

bool IsApplesoftName(std::string_view path)
{
    return EqualIgnoringCase(SplitPath(path).extension, ".bas");
}

std::string JoinDirectory(std::string_view directory, std::string_view name)
{
    std::string path(directory);
    if (path.empty() || path.back() != '\\') path += '\\';
    path += name;
    return path;
}

std::string ChooseHelpPath(std::string_view startDirectory, std::string_view programDirectory,
                           bool (*exists)(const std::string& path))
{
    std::string inStart = JoinDirectory(startDirectory, kHelpFileName);
    if (exists(inStart) || programDirectory.empty()) return inStart;
    std::string besideProgram = JoinDirectory(programDirectory, kHelpFileName);
    return exists(besideProgram) ? besideProgram : inStart;
}

std::string HelpCommandLine(std::string_view windowsDirectory, std::string_view helpPath)
{
    std::string viewer = windowsDirectory.empty() ? std::string(kHelpViewer) : JoinDirectory(windowsDirectory, kHelpViewer);
    return "\"" + viewer + "\" \"" + std::string(helpPath) + "\"";
}

std::string SelectedDirectory(std::span<const char> buffer, size_t nameOffset)
{
    size_t end = std::min(nameOffset, buffer.size());
    std::string_view head(buffer.data(), end);
    head = head.substr(0, head.find('\0'));
    if (!head.empty() && head.back() == '\\') head.remove_suffix(1);
    return std::string(head);
}

std::vector<std::string> SelectedFileNames(std::span<const char> buffer, size_t nameOffset)
{
    std::vector<std::string> names;
    size_t at = nameOffset;
    while (at < buffer.size()) {
        std::string_view rest(buffer.data() + at, buffer.size() - at);
        size_t length = rest.find('\0');
        if (length == std::string_view::npos) length = rest.size();
        if (length == 0) break;
        names.emplace_back(rest.substr(0, length));
        at += length + 1;
    }
    return names;
}
