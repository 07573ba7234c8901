// An accelerator entry stands for a keystroke in one of two ways: a virtual
// key with Ctrl, Shift and Alt, or a character (the special characters'
// Ctrl+G is character 7). Both are brought to the virtual key and the
// modifiers held, which is what the user presses.
#include "user_menus/built_in_keys.h"

#include <vector>

#include "resources/resource.h"

namespace {

constexpr BYTE kModifiers = FSHIFT | FCONTROL | FALT;
constexpr char kControlBase = '@';         // Ctrl+@ types character 0, Ctrl+[ character 27
constexpr char kControlLetterBase = '`';   // Ctrl+A types character 1, with the A key unshifted

struct Keystroke {
    WORD key;
    BYTE modifiers;
    bool operator==(const Keystroke&) const = default;
};

Keystroke KeystrokeOf(BYTE flags, WORD key)
{
    if (flags & FVIRTKEY) return {key, static_cast<BYTE>(flags & kModifiers)};
    // A control character is typed with Ctrl and the key of the character 64 above it.
    const bool control = key < 0x20;
    const bool letter = key >= 1 && key <= 26;
    const SHORT typed =
        VkKeyScanA(static_cast<char>(letter ? key + kControlLetterBase : control ? key + kControlBase : key));
    BYTE modifiers = static_cast<BYTE>((flags & FALT) | (control ? FCONTROL : 0));
    if (HIBYTE(typed) & 1) modifiers |= FSHIFT;
    if (HIBYTE(typed) & 2) modifiers |= FCONTROL;
    return {LOBYTE(typed), modifiers};
}

// "Ctrl+Shift+F9", with the key's name as the keyboard gives it.
std::string KeyName(Keystroke keystroke)
{
    std::string name;
    if (keystroke.modifiers & FCONTROL) name += "Ctrl+";
    if (keystroke.modifiers & FSHIFT) name += "Shift+";
    if (keystroke.modifiers & FALT) name += "Alt+";
    // The arrows and their neighbours share scan codes with the number pad's keys.
    const bool extended = (keystroke.key >= VK_PRIOR && keystroke.key <= VK_DOWN) || keystroke.key == VK_INSERT ||
                          keystroke.key == VK_DELETE;
    const LONG scan = static_cast<LONG>(MapVirtualKeyA(keystroke.key, MAPVK_VK_TO_VSC) << 16) | (extended ? 1L << 24 : 0);
    char key[64] = {};
    if (GetKeyNameTextA(scan, key, sizeof key) > 0) return name + key;
    char number[16];
    wsprintfA(number, "key $%02X", keystroke.key);
    return name + number;
}

// The item's text as shown: without its mnemonic marks and its key hint.
std::string ShownText(HMENU menu, int position)
{
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    std::string shown;
    for (const char* c = text; *c && *c != '\t'; ++c)
        if (*c != '&' || c[1] == '&') shown += *c;
    return shown;
}

// "Edit > Find..." for command `id`, empty when no item of `menu` has it.
std::string MenuPlace(HMENU menu, UINT id)
{
    for (int i = 0, count = GetMenuItemCount(menu); i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            if (std::string inside = MenuPlace(sub, id); !inside.empty()) return ShownText(menu, i) + " > " + inside;
        } else if (GetMenuItemID(menu, i) == id) {
            return ShownText(menu, i);
        }
    }
    return {};
}

}  // namespace

std::optional<BuiltInKey> BuiltInKeyOwner(HINSTANCE instance, HMENU menu, const AcceleratorKey& key)
{
    HACCEL table = LoadAcceleratorsA(instance, TAVO_RESOURCE_NAME);
    const int count = CopyAcceleratorTableA(table, nullptr, 0);
    if (count <= 0) return std::nullopt;
    std::vector<ACCEL> entries(static_cast<size_t>(count));
    CopyAcceleratorTableA(table, entries.data(), count);
    const Keystroke wanted = KeystrokeOf(key.flags, key.key);
    for (const ACCEL& entry : entries) {
        if (KeystrokeOf(entry.fVirt, entry.key) != wanted) continue;
        const std::string place = MenuPlace(menu, entry.cmd);
        const bool keeps = (entry.fVirt & FVIRTKEY) || !(key.flags & FVIRTKEY);
        return BuiltInKey{KeyName(wanted) + (place.empty() ? std::string() : " (" + place + ")"), keeps};
    }
    return std::nullopt;
}
