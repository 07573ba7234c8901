// The names on TAVO's command line.
#include "core/documents/command_line.h"

std::vector<std::string> CommandLineNames(std::string_view commandLine)
{
    std::vector<std::string> names;
    std::string name;
    bool inName = false;  // an empty pair of quotes is still a name
    bool quoted = false;
    size_t at = 0;
    while (at < commandLine.size()) {
        char c = commandLine[at];
        if (c == '\\') {
            size_t slashes = 0;
            while (at < commandLine.size() && commandLine[at] == '\\') {
                ++slashes;
                ++at;
            }
            bool beforeQuote = at < commandLine.size() && commandLine[at] == '"';
            name.append(beforeQuote ? slashes / 2 : slashes, '\\');
            if (beforeQuote && slashes % 2 == 1) {
                name += '"';
                ++at;
            }
            inName = true;
            continue;
        }
        ++at;
        if (c == '"') {
            // Inside quotes, a doubled quote is a literal one.
            if (quoted && at < commandLine.size() && commandLine[at] == '"') {
                name += '"';
                ++at;
            } else {
                quoted = !quoted;
            }
            inName = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inName) names.push_back(name);
            name.clear();
            inName = false;
        } else {
            name += c;
            inName = true;
        }
    }
    if (inName) names.push_back(name);
    return names;
}
