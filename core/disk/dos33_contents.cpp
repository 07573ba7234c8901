#include "core/disk/dos33_contents.h"

#include "core/disk/file_type_codes.h"

namespace {

constexpr int kWordLimit = 0xFFFF;
constexpr uint8_t kHighBit = 0x80;
constexpr uint8_t kDosLineEnd = 0x8D;

void PutWord(std::vector<uint8_t>& out, int value)
{
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

}  // namespace

std::optional<std::vector<uint8_t>> DosBasicContents(std::span<const uint8_t> program)
{
    if (program.size() > kWordLimit) return std::nullopt;
    std::vector<uint8_t> out;
    out.reserve(kDosLengthHeaderBytes + program.size());
    PutWord(out, static_cast<int>(program.size()));
    out.insert(out.end(), program.begin(), program.end());
    return out;
}

std::optional<std::vector<uint8_t>> DosBinaryContents(int loadAddress, std::span<const uint8_t> data)
{
    if (loadAddress < 0 || loadAddress > kWordLimit || data.size() > kWordLimit) return std::nullopt;
    std::vector<uint8_t> out;
    PutWord(out, loadAddress);
    PutWord(out, static_cast<int>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::vector<uint8_t> DosTextContents(std::string_view text)
{
    std::vector<uint8_t> out;
    out.reserve(text.size() + 1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out.push_back(kDosLineEnd);
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out.push_back(static_cast<uint8_t>(static_cast<uint8_t>(c) | kHighBit));
        }
    }
    if (!out.empty() && out.back() != kDosLineEnd) out.push_back(kDosLineEnd);
    return out;
}
