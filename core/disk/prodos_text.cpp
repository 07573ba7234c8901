// Text to the bytes of a ProDOS TXT file.
#include "core/disk/prodos_text.h"

std::vector<uint8_t> ProdosTextBytes(std::string_view text)
{
    constexpr uint8_t kReturn = 0x0D;
    std::vector<uint8_t> out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint8_t c = static_cast<uint8_t>(text[i]) & 0x7F;
        if (c == '\n') c = kReturn;
        if (c == kReturn && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out.push_back(c);
    }
    return out;
}
