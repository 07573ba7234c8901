// The user's menu entries: the menu text of a stored command name.
#include "core/user_menus/user_entries.h"

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
        std::string piece(1, c);
        for (const Escape& escape : kEscapes)
            if (c == escape.typed) piece = {'\\', escape.stored};
        if (stored.size() + piece.size() > kMaxScriptChars) break;
        stored += piece;
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
