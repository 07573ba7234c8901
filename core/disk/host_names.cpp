// Apple file names on the host.
#include "core/disk/host_names.h"

#include <array>

#include "core/text/ascii.h"

namespace {

std::string_view WithoutTrailing(std::string_view text, std::string_view characters)
{
    size_t end = text.find_last_not_of(characters);
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

}  // namespace

std::string EscapedAppleName(std::string_view name)
{
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(name.size());
    for (char c : name) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            text += "\\\\";
        } else if (byte < 0x20 || byte > 0x7E) {
            text += "\\x";
            text += kHexDigits[byte >> 4];
            text += kHexDigits[byte & 0x0F];
        } else {
            text += c;
        }
    }
    return text;
}

bool IsWindowsDeviceName(std::string_view name)
{
    // Windows looks at the name up to its first full stop, without the blanks that end it.
    std::string_view base = WithoutTrailing(name.substr(0, name.find('.')), " ");
    static constexpr std::array<std::string_view, 6> kDevices = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (std::string_view device : kDevices)
        if (EqualIgnoringCase(base, device)) return true;
    if (base.size() != 4 || base[3] < '0' || base[3] > '9') return false;
    return EqualIgnoringCase(base.substr(0, 3), "COM") || EqualIgnoringCase(base.substr(0, 3), "LPT");
}

std::string HostFileName(std::string_view appleName)
{
    static constexpr std::string_view kAllowed = " ._-+()&#!$%'@^~{},;=[]";
    std::string name;
    for (char c : WithoutTrailing(appleName, " ")) {
        bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                  kAllowed.find(c) != std::string_view::npos;
        name += ok ? c : '_';
    }
    name.resize(WithoutTrailing(name, " .").size());
    if (name.empty()) name.push_back('_');
    if (IsWindowsDeviceName(name)) name.insert(0, 1, '_');
    return name;
}
