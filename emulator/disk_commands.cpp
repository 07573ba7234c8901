// The Apple file browser's disk commands (16, 30, 35, 36): BASIC.SYSTEM or
// DOS 3.3 command lines typed into the emulator, which must have the image
// mounted. Every name is checked first, so that the emulator reads exactly
// the one command meant. The answer is 0 only when the line was typed.
#include "emulator/disk_commands.h"

#include <string>
#include <string_view>

#include "core/disk/apple_names.h"
#include "core/disk/apple_path.h"
#include "core/disk/browser_names.h"
#include "core/disk/image.h"
#include "core/emulator/emulator_texts.h"
#include "emulator/injection.h"
#include "shell/app.h"
#include "shell/report_error.h"

namespace {

constexpr LRESULT kTyped = 0;
constexpr LRESULT kNotTyped = 1;

bool BrowsingDos33() { return g_browser.layout == LayoutDos33; }

// A DOS 3.3 row's name carries the catalog's padding blanks.
std::string BrowsedName(const std::string& name)
{
    return BrowsingDos33() ? std::string(TrimmedName(name)) : name;
}

bool Typable(HWND frame, std::initializer_list<std::string_view> names)
{
    return !ReportRefusal(frame, RefuseAppleNames(g_browser.layout, g_browser.currentPrefix, names));
}

LRESULT Type(const std::string& line) { return InjectText(line) ? kTyped : kNotTyped; }

}  // namespace

bool ReportRefusal(HWND frame, const AppleNameRefusal& refusal)
{
    if (refusal.message == Message::None) return false;
    ReportError(refusal.message, refusal.text, refusal.value, frame);
    return true;
}

LRESULT DeleteAppleFile(HWND frame)
{
    std::string name = BrowsedName(g_browser.selectedAppleName);
    if (!Typable(frame, {name})) return kNotTyped;
    // Asked whatever "DelPrompt" says: the emulator deletes on the disk it
    // used last, which need not be the image the user is looking at.
    std::string question = DeleteQuestionText(g_browser.imageTitle, g_browser.currentPrefix + name);
    if (AskQuestion(frame, question) != IDYES) return kNotTyped;
    return Type(DeleteLine(g_browser.currentPrefix, name));
}

LRESULT RenameAppleFile(HWND frame)
{
    std::string from = BrowsedName(g_browser.selectedAppleName);
    std::string to = BrowsedName(g_browser.newAppleName);
    if (!Typable(frame, {from, to})) return kNotTyped;
    if (Type(RenameLine(g_browser.currentPrefix, from, to)) != kTyped) return kNotTyped;
    g_browser.selectedAppleName = g_browser.newAppleName;
    return kTyped;
}

LRESULT SetApplePrefix(HWND frame)
{
    if (BrowsingDos33() || !Typable(frame, {})) return kNotTyped;  // DOS 3.3 has no prefix
    return Type(PrefixLine(g_browser.currentPrefix));
}

LRESULT LockAppleFile(HWND frame, bool unlock)
{
    std::string name = BrowsedName(g_browser.selectedAppleName);
    if (!Typable(frame, {name})) return kNotTyped;
    return Type(LockLine(g_browser.currentPrefix, name, unlock));
}
