// What the emulator link decides and types, as text.
#include "core/emulator/emulator_texts.h"

#include <algorithm>

#include "core/basic/applesoft_tokens.h"
#include "core/settings/setting_values.h"
#include "core/text/buffer_size.h"

namespace {

constexpr std::string_view kProgramListHeader =
    "The following is a list of all the programs running at this time.\n"
    "A ? denotes a program with an unknown name.\n"
    "-----------------------------------------------------------------\n\n";

// Each program line must end in exactly one carriage return for the Apple II.
std::string WithSingleCarriageReturns(std::string_view program)
{
    std::string out;
    out.reserve(program.size());
    for (size_t i = 0; i < program.size(); ++i) {
        out += program[i];
        if (program[i] == '\r' && i + 1 < program.size() && program[i + 1] == '\n') ++i;
    }
    return out;
}

std::string ProgramText(std::string_view program, std::string_view ending)
{
    std::string text = "NEW\r";
    text += WithSingleCarriageReturns(program);
    text += ending;
    return text;
}

}  // namespace

int EmulatorNameCount(int number) { return std::clamp(number, 0, kMaxEmulatorNames); }

std::optional<size_t> FindEmulatorTitle(const std::vector<std::string>& names, const std::vector<std::string>& titles)
{
    for (const std::string& name : names) {
        if (name.empty() || name == kMissingKeyText) continue;
        for (size_t i = 0; i < titles.size(); ++i)
            if (titles[i] == name) return i;
    }
    return std::nullopt;
}

std::string RunProgramText(std::string_view program) { return ProgramText(program, "\rRUN\r\n"); }

std::string SaveProgramText(std::string_view program, std::string_view applePath)
{
    std::string ending = "\rSAVE ";
    ending += applePath;
    ending += "\r\n";
    return ProgramText(program, ending);
}

std::string KeywordText(int index)
{
    if (index < 0 || index >= kApplesoftTokenEntries) return {};
    const char* name = kApplesoftTokens[index];
    std::string text(name, std::find(name, name + kApplesoftTokenWidth, '\0'));
    return text + "\r";
}

std::string DeleteLine(std::string_view prefix, std::string_view name)
{
    return "DELETE " + std::string(prefix) + std::string(name) + "\r";
}

std::string RenameLine(std::string_view prefix, std::string_view oldName, std::string_view newName)
{
    std::string p(prefix);
    return "RENAME " + p + std::string(oldName) + ", " + p + std::string(newName) + "\r";
}

std::string PrefixLine(std::string_view prefix) { return "PREFIX " + std::string(prefix) + "\r"; }

std::string LockLine(std::string_view prefix, std::string_view name, bool unlock)
{
    return (unlock ? "UNLOCK " : "LOCK ") + std::string(prefix) + std::string(name) + "\r";
}

std::string DeleteQuestionText(std::string_view imageTitle, std::string_view path)
{
    return "Delete the file " + std::string(path) + " from the disk image " + std::string(imageTitle) +
           "?\n\nThe emulator deletes it from the disk it used last: that disk must be this image.";
}

std::string ProgramListText(const std::vector<std::string>& titles)
{
    std::string text(kProgramListHeader);
    for (const std::string& title : titles) {
        text += title.empty() ? std::string_view("?") : std::string_view(title).substr(0, kTextBufferChars);
        text += '\n';
    }
    return text;
}

std::string CreateFolderLine(std::string_view prefix, std::string_view name)
{
    return "CREATE " + std::string(prefix) + std::string(name) + "\r";
}
