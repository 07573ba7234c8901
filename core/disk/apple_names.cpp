// The name rules of ProDOS and DOS 3.3.
#include "core/disk/apple_names.h"

#include "core/disk/image.h"

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsProdosCharacter(char c) { return IsLetter(c) || IsDigit(c) || c == '.'; }
bool IsPrintable(char c) { return c >= 0x20 && c <= 0x7E; }

// Control characters shown as ^ and their letter, so that a message box
// shows a carriage return as ^M instead of breaking its line there.
std::string Shown(std::string_view name)
{
    std::string shown;
    for (char c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            shown += '^';
            shown += static_cast<char>(u ^ 0x40);
        } else {
            shown += c;
        }
    }
    return shown;
}

Message NameMessage(bool dos, AppleNameProblem problem)
{
    switch (problem) {
    case AppleNameProblem::None: return Message::None;
    case AppleNameProblem::Empty: return Message::AppleNameEmpty;
    case AppleNameProblem::BadCharacter: return dos ? Message::DosNameCharacters : Message::ProdosNameCharacters;
    case AppleNameProblem::Comma: return Message::DosNameComma;
    case AppleNameProblem::NotLetterFirst: return Message::AppleNameFirstCharacter;
    case AppleNameProblem::TooLong: return Message::AppleNameTooLong;
    }
    return Message::None;
}

}  // namespace

AppleNameProblem CheckProdosName(std::string_view name)
{
    if (name.empty()) return AppleNameProblem::Empty;
    for (char c : name)
        if (!IsProdosCharacter(c)) return AppleNameProblem::BadCharacter;
    if (!IsLetter(name.front())) return AppleNameProblem::NotLetterFirst;
    if (name.size() > kProdosNameMaxChars) return AppleNameProblem::TooLong;
    return AppleNameProblem::None;
}

AppleNameProblem CheckDosName(std::string_view name)
{
    if (name.empty()) return AppleNameProblem::Empty;
    for (char c : name)
        if (!IsPrintable(c)) return AppleNameProblem::BadCharacter;
    if (name.find(',') != std::string_view::npos) return AppleNameProblem::Comma;
    if (!IsLetter(name.front())) return AppleNameProblem::NotLetterFirst;
    if (name.size() > kDosNameMaxChars) return AppleNameProblem::TooLong;
    return AppleNameProblem::None;
}

bool IsProdosPrefix(std::string_view prefix)
{
    if (prefix.size() < 2 || prefix.front() != '/' || prefix.back() != '/') return false;
    for (std::string_view rest = prefix.substr(1); !rest.empty();) {
        size_t slash = rest.find('/');
        if (CheckProdosName(rest.substr(0, slash)) != AppleNameProblem::None) return false;
        rest.remove_prefix(slash + 1);
    }
    return true;
}

AppleNameRefusal RefuseAppleNames(int layout, std::string_view prefix, std::initializer_list<std::string_view> names)
{
    bool dos = IsDosLayout(layout);
    if (dos ? !prefix.empty() : !IsProdosPrefix(prefix)) return {Message::BadApplePrefix, Shown(prefix), 0};
    for (std::string_view name : names) {
        Message message = NameMessage(dos, dos ? CheckDosName(name) : CheckProdosName(name));
        int maxChars = static_cast<int>(dos ? kDosNameMaxChars : kProdosNameMaxChars);
        if (message != Message::None) return {message, Shown(name), maxChars};
    }
    return {};
}

AppleNameRefusal RefuseApplePath(int layout, std::string_view path)
{
    size_t split = IsDosLayout(layout) ? 0 : path.rfind('/') + 1;  // npos + 1 is 0: no prefix
    return RefuseAppleNames(layout, path.substr(0, split), {path.substr(split)});
}

int LayoutOfApplePath(std::string_view path) { return path.starts_with('/') ? LayoutProdos : LayoutDos33; }
