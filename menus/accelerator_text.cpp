// Accelerator texts of user commands.
#include "menus/accelerator_text.h"

#include "settings/setting_values.h"

namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    c = Upper(c);
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool AcceleratorTextHasWord(std::string_view text, std::string_view word)
{
    if (word.empty()) return true;
    for (size_t start = 0; start + word.size() <= text.size(); ++start) {
        size_t i = 0;
        while (i < word.size() && Upper(text[start + i]) == Upper(word[i])) ++i;
        if (i == word.size()) return true;
    }
    return false;
}

bool HasAccelerator(std::string_view text)
{
    return text != kMissingKeyText && (text.empty() || text.front() != '0');
}

std::optional<AcceleratorKey> ParseAcceleratorText(std::string_view text)
{
    if (!HasAccelerator(text)) return std::nullopt;
    AcceleratorKey result;
    size_t dollar = text.rfind('$');
    if (dollar != std::string_view::npos) {
        uint32_t key = 0;
        for (size_t i = dollar + 1; i < text.size() && HexDigit(text[i]) >= 0; ++i)
            key = ((key << 4) | static_cast<uint32_t>(HexDigit(text[i]))) & 0xFFFFu;
        result.key = static_cast<uint16_t>(key);
    }
    static constexpr struct { std::string_view word; uint8_t flag; } kWords[] = {
        {"ALT", kAccelAlt},     {"CONTROL", kAccelControl}, {"NOINVERT", kAccelNoInvert},
        {"SHIFT", kAccelShift}, {"VIRTKEY", kAccelVirtKey},
    };
    for (const auto& w : kWords)
        if (AcceleratorTextHasWord(text, w.word)) result.flags |= w.flag;
    return result;
}
