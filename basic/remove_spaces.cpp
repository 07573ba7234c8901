// The text transform of the Remove Spaces command.
#include "basic/remove_spaces.h"

std::string RemoveSpaces(std::string_view selection)
{
    std::string result;
    result.reserve(selection.size());
    bool inQuotes = false;
    for (char c : selection) {
        if (c == '"')
            inQuotes = !inQuotes;
        if (c == ' ' && !inQuotes)
            continue;
        result.push_back(c);
    }
    return result;
}
