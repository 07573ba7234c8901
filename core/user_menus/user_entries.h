// The user's entries of the Utilities and Commands menus: how many there can
// be and how a stored name shows in the menu. Portable.
#pragma once
#include <string>
#include <string_view>

#include "resources/resource.h"

// Utility n has the command 999 + n and user command n 1500 + n; beyond these
// counts their ids would run into the keyword and control-character ranges.
// The Add Utility dialog stops at 199 entries, so the utility range's last
// id stays unused.
inline constexpr int kMaxUtilities = IDM_UTILITY_LAST - IDM_UTILITY_FIRST;
inline constexpr int kMaxUserCommands = IDM_USER_COMMAND_LAST - IDM_USER_COMMAND_FIRST + 1;
static_assert(IDM_UTILITY_FIRST - 1 + kMaxUtilities < IDM_KEYWORD_FIRST);

// A Commands menu text with each backslash-"t" turned into a space and a tab,
// so that what follows shows right-aligned as a key hint.
std::string MenuTextWithTabs(std::string_view stored);

// The most a user command's script types before its carriage return.
inline constexpr size_t kMaxScriptChars = 255;

// A script as the settings file keeps it: carriage return, line feed and
// backslash written as "\r", "\n" and "\\", so no line break can end the
// file's line early. Cut at a whole escape to kMaxScriptChars characters.
std::string StoredScript(std::string_view script);
// The script a stored text stands for; a backslash before any other
// character is kept as it is.
std::string ScriptOfStored(std::string_view stored);

// What a user command's stored script types: the stored text, cut to
// kMaxScriptChars and with its escapes undone, with a carriage return after
// it, or without its last two characters and with nothing after it when it
// ends in "," and "r". A missing (the missing-key text) or empty script
// types nothing.
std::string UserCommandText(std::string_view script);
