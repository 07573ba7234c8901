// The user's menu entries: the menu text of a stored command name.
#include "core/user_menus/user_entries.h"

#include <algorithm>

#include "core/settings/setting_values.h"

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

namespace {

struct Escape {
    char typed;
    char stored;  // follows a backslash
};
constexpr Escape kEscapes[] = {{'\r', 'r'}, {'\n', 'n'}, {'\\', '\\'}};

}  // namespace

std::string StoredScript(std::string_view script)
{
    std::string stored;
    for (char c : script) {
        const Escape* escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                             [c](const Escape& e) { return e.typed == c; });
        const size_t length = escape == std::end(kEscapes) ? 1 : 2;
        if (stored.size() + length > kMaxScriptChars) break;
        if (length == 2) stored += '\\';
        stored += length == 2 ? escape->stored : c;
    }
    return stored;
}

std::string ScriptOfStored(std::string_view stored)
{
    std::string script;
    for (size_t i = 0; i < stored.size(); ++i) {
        char c = stored[i];
        if (c == '\\' && i + 1 < stored.size()) {
            for (const Escape& escape : kEscapes) {
                if (stored[i + 1] == escape.stored) {
                    c = escape.typed;
                    ++i;
                    break;
                }
            }
        }
        script += c;
    }
    return script;
}

std::string UserCommandText(std::string_view script)
{
    if (script == kMissingKeyText) return {};
    std::string text = ScriptOfStored(script.substr(0, kMaxScriptChars));
    if (text.empty()) return text;
    if (text.ends_with(",r")) text.resize(text.size() - 2);
    else text += '\r';
    return text;
}
