// The keys of the built-in accelerator table, read from the resources at
// run time, so that a key added there is known here without a list of its own.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "core/user_menus/accelerator_text.h"

struct BuiltInKey {
    std::string description;  // the key and the command's place in the menus: "F9 (Edit > Go To Referenced Line)"
    // Whether the built-in command keeps the key. A virtual-key entry comes
    // first in the table and keeps it; a character's entry (Ctrl+K types
    // character 11) acts only on the character the key would type, which a
    // user's virtual-key entry never lets come.
    bool keeps;
};
// The built-in command that has the keystroke `key` stands for, found in the
// accelerator table and `menu`; empty when there is none.
std::optional<BuiltInKey> BuiltInKeyOwner(HINSTANCE instance, HMENU menu, const AcceleratorKey& key);
