// Accelerator texts of user commands.
#include "core/user_menus/accelerator_text.h"

#include "core/settings/setting_values.h"
#include "core/text/ascii.h"

bool AcceleratorTextHasWord(std::string_view text, std::string_view word)
{
    return FindIgnoringCase(text, word) != std::string_view::npos;
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
        for (size_t i = dollar + 1; i < text.size() && HexDigitValue(text[i]) >= 0; ++i)
            key = ((key << 4) | static_cast<uint32_t>(HexDigitValue(text[i]))) & 0xFFFFu;
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
