// Fuzz target for the BASIC views: the listings, the hex dump, the Apple text
// conversion and the removal of spaces. The first byte chooses the routine and
// its arguments; the rest is the file. Besides the sanitizers, every output is
// checked against the shape its format promises, and a broken promise aborts.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "core/basic/applesoft_listing.h"
#include "core/basic/applesoft_tokens.h"
#include "core/basic/integer_listing.h"
#include "core/basic/remove_spaces.h"
#include "core/text/apple_text.h"
#include "core/text/hex_dump.h"

namespace {

void Require(bool holds)
{
    if (!holds)
        abort();
}

const std::string kPrefix = "kept\r\n";

// The two listings share their arguments: start 0 (ProDOS) or 2 (DOS 3.3), a
// bound at, below or beyond the end, and a load address.
struct ListingCall {
    int start;
    int bound;
    int loadAddress;
};

ListingCall Arguments(uint8_t selector, std::span<const uint8_t> file)
{
    const int size = static_cast<int>(file.size());
    ListingCall call;
    call.start = (selector & 0x08) != 0 ? 2 : 0;
    switch ((selector >> 4) & 3) {
    case 0: call.bound = size; break;
    case 1: call.bound = size / 2; break;
    case 2: call.bound = size + 1000; break;
    default: call.bound = -size; break;
    }
    call.loadAddress = (selector & 0x40) != 0 ? kApplesoftLoadAddress : (size >= 2 ? file[0] | (file[1] << 8) : 0);
    return call;
}

void CheckApplesoft(uint8_t selector, std::span<const uint8_t> file)
{
    const ListingCall call = Arguments(selector, file);
    std::string text = kPrefix;
    ListApplesoft(call.start, call.bound, text, file, call.loadAddress);
    Require(text.compare(0, kPrefix.size(), kPrefix) == 0);
    const std::string listing = text.substr(kPrefix.size());
    // Nine characters per byte at most, and seven per record of four bytes.
    const size_t n = file.size();
    Require(listing.size() <= 9 * n + 7 * (n / 4 + 1));
    Require(listing.empty() || listing.back() == '\r');
    Require(listing.find('\0') == std::string::npos);
}

void CheckInteger(uint8_t selector, std::span<const uint8_t> file)
{
    const ListingCall call = Arguments(selector, file);
    std::string text = kPrefix;
    ListIntegerBasic(call.start, call.bound, text, file, call.loadAddress);
    Require(text.compare(0, kPrefix.size(), kPrefix) == 0);
    const std::string listing = text.substr(kPrefix.size());
    const size_t n = file.size();
    Require(listing.size() <= 9 * n + 7 * (n / 3 + 1) + 1);
    Require(listing.empty() || listing.back() == '\n');
    // No control character but the line feeds that end lines, no high bit.
    for (char c : listing)
        Require(c == '\n' || (c >= 0x20 && c <= 0x7F));
}

void CheckHexDump(std::span<const uint8_t> file)
{
    std::string text = kPrefix;
    HexDump(0, static_cast<int>(file.size()), text, file, 0x2000);
    const size_t n = file.size();
    const size_t heading = 71;
    const size_t full = 76;
    const size_t rest = n % 16 == 0 ? 0 : 1 + 6 + 3 + 16 * 3 + 2 + n % 16;
    Require(text.size() == heading + (n / 16) * full + rest + 1);
    Require(text.back() == '\n');
    for (char c : text)
        Require(c == '\n' || (c >= 0x20 && c <= 0x7F));
}

void CheckAppleText(uint8_t selector, std::span<const uint8_t> file)
{
    const std::string text = ConvertAppleText(file, (selector & 0x08) != 0 ? kDos33Text : kProdosText);
    Require(text.size() == file.size());
    Require(text.find('\0') == std::string::npos);
    for (char c : text)
        Require((static_cast<unsigned char>(c) & 0x80) == 0);
}

void CheckRemoveSpaces(std::span<const uint8_t> file)
{
    const std::string_view selection(reinterpret_cast<const char*>(file.data()), file.size());
    const std::string result = RemoveSpaces(selection);
    // The result is the selection with some spaces taken out, and what is
    // left has no space that could go: a second pass changes nothing.
    size_t k = 0;
    for (char c : selection) {
        if (k < result.size() && result[k] == c)
            ++k;
        else
            Require(c == ' ');
    }
    Require(k == result.size());
    Require(RemoveSpaces(result) == result);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t selector = data[0];
    const std::span<const uint8_t> file(data + 1, size - 1);
    switch (selector % 5) {
    case 0: CheckApplesoft(selector, file); break;
    case 1: CheckInteger(selector, file); break;
    case 2: CheckHexDump(file); break;
    case 3: CheckAppleText(selector, file); break;
    default: CheckRemoveSpaces(file); break;
    }
    return 0;
}
