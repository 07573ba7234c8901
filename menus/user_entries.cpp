// The user's menu entries: the menu text of a stored command name.
#include "menus/user_entries.h"

std::string MenuTextWithTabs(std::string_view stored)
{
    std::string text(stored);
    // Scans from the first to the second-last character; each backslash-"t"
    // pair becomes a space and a tab, keeping the text's length.
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '\\' && text[i + 1] == 't') {
            text[i] = ' ';
            text[i + 1] = '\t';
        }
    }
    return text;
}
