// The user's menu entries: the menu text of a stored command name.
#include "menus/user_entries.h"

#include "settings/setting_values.h"

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

std::string UserCommandText(std::string_view script)
{
    if (script == kMissingKeyText) return {};
    std::string text(script.substr(0, kMaxScriptChars));
    if (text.empty()) return text;
    if (text.ends_with(",r")) text.resize(text.size() - 2);
    else text += '\r';
    return text;
}
