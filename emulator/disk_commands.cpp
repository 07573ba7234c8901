// The Apple file browser's disk commands (16, 30, 35, 36): made in the image
// itself, or typed into the emulator as BASIC.SYSTEM or DOS 3.3 command
// lines when the emulator has the image in use or the user keeps images to
// the emulator. Every name typed is checked first, so that the emulator reads
// exactly the one command meant. The answer is 0 only when the change was
// made or the line typed.
#include "emulator/disk_commands.h"

#include <optional>
#include <string>
#include <string_view>

#include "core/disk/apple_names.h"
#include "core/disk/apple_path.h"
#include "core/disk/browser_names.h"
#include "core/disk/image.h"
#include "core/disk/volume_changes.h"
#include "core/emulator/emulator_texts.h"
#include "emulator/injection.h"
#include "shell/app.h"
#include "shell/image_writing.h"
#include "shell/report_error.h"
#include "shell/settings.h"

namespace {

constexpr LRESULT kTyped = 0;
constexpr LRESULT kNotTyped = 1;

bool BrowsingDos33() { return IsDosLayout(g_browser.layout); }

// The change made in the browsed image itself: kTyped when made, kNotTyped
// after the message that says why not; none when the line is to be typed
// into the emulator instead.
std::optional<LRESULT> ChangedInImage(HWND frame, const VolumeChange& change)
{
    if (!ParseFlag(g_settings.writeImagesDirectly)) return std::nullopt;
    DiskChange result = WriteIntoImage(g_browser.imagePath, change);
    if (result.message == Message::ImageInUse) {
        if (ReportError(Message::ImageInUse, g_browser.imageTitle, 0, frame) == IDYES) return std::nullopt;
        return kNotTyped;
    }
    if (!result.Made()) {
        ReportError(result.message, result.text, result.value, frame);
        return kNotTyped;
    }
    return kTyped;
}

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
    std::string path = g_browser.currentPrefix + name;
    std::string question = DeleteQuestionText(g_browser.imageTitle, path);
    bool asked = false;
    if (ParseFlag(g_settings.writeImagesDirectly) && ParseFlag(g_settings.delPrompt)) {
        if (AskQuestion(frame, question) != IDYES) return kNotTyped;
        asked = true;
    }
    if (auto done = ChangedInImage(frame, [&](Volume& v) { return DeleteFromVolume(v, path); })) return *done;
    if (!Typable(frame, {name})) return kNotTyped;
    // Asked whatever "DelPrompt" says: the emulator deletes on the disk it
    // used last, which need not be the image the user is looking at.
    if (!asked && AskQuestion(frame, question) != IDYES) return kNotTyped;
    return Type(DeleteLine(g_browser.currentPrefix, name));
}

LRESULT RenameAppleFile(HWND frame)
{
    std::string from = BrowsedName(g_browser.selectedAppleName);
    std::string to = BrowsedName(g_browser.newAppleName);
    std::string path = g_browser.currentPrefix + from;
    std::optional<LRESULT> done = ChangedInImage(frame, [&](Volume& v) { return RenameInVolume(v, path, to); });
    if (done && *done != kTyped) return kNotTyped;
    if (!done && (!Typable(frame, {from, to}) || Type(RenameLine(g_browser.currentPrefix, from, to)) != kTyped))
        return kNotTyped;
    g_browser.selectedAppleName = g_browser.newAppleName;
    return kTyped;
}

LRESULT CreateAppleFolder(HWND frame)
{
    if (BrowsingDos33()) return kNotTyped;  // a DOS 3.3 catalog holds no folders
    const std::string& name = g_browser.newAppleName;
    std::string path = g_browser.currentPrefix + name;
    const ProdosStamp stamp = ProdosStampNow();
    if (auto done = ChangedInImage(frame, [&](Volume& v) { return CreateFolderInVolume(v, path, stamp); }))
        return *done;
    if (!Typable(frame, {name})) return kNotTyped;
    return Type(CreateFolderLine(g_browser.currentPrefix, name));
}

LRESULT SetApplePrefix(HWND frame)
{
    if (BrowsingDos33() || !Typable(frame, {})) return kNotTyped;  // DOS 3.3 has no prefix
    return Type(PrefixLine(g_browser.currentPrefix));
}

LRESULT LockAppleFile(HWND frame, bool unlock)
{
    std::string name = BrowsedName(g_browser.selectedAppleName);
    std::string path = g_browser.currentPrefix + name;
    if (auto done = ChangedInImage(frame, [&](Volume& v) { return LockInVolume(v, path, !unlock); })) return *done;
    if (!Typable(frame, {name})) return kNotTyped;
    return Type(LockLine(g_browser.currentPrefix, name, unlock));
}
