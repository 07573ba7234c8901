// The message table: every error, warning and question box of the program.
#include "core/messages/messages.h"

#include <array>
#include <string>

namespace {

enum class Args { None, Text, TextNumber, Generic };

struct MessageDef {
    Message message;
    const char* text;
    Args args;
    unsigned flags;
};

constexpr MessageDef kMessages[] = {
    {Message::CantAllocateMemory, "Can't allocate memory!", Args::None, kBoxOk},
    {Message::AppleFileReadError, "Apple ][ file (%s) read error# %i", Args::TextNumber, kBoxOk},
    {Message::CouldNotReadFile, "Could not read file, %s!", Args::Text, kBoxOk},
    {Message::CouldNotWriteFile, "Could not write file, %s!", Args::Text, kBoxOk},
    {Message::TextNotFound, "Text not found!  Cursor reset to top of document.", Args::None, kBoxOk},
    {Message::CantLoadRichEdit, "Unable to load the Rich Edit controls!", Args::None, kBoxIconWarning},
    {Message::NonStandardFile, "Non-standard file!", Args::None, kBoxIconWarning},
    {Message::CantCreateWindow, "Could NOT create Window!", Args::None, kBoxOk},
    {Message::CantCreateImageList, "Could NOT create ListView imagelist!", Args::None, kBoxOk},
    {Message::CantInsertListItem, "Failed to insert ListView item!", Args::None, kBoxOk},
    {Message::PrintStartDoc, "Print - StartDoc Error!", Args::None, kBoxIconError},
    {Message::PrintStartPage, "Print - StartPage Error!", Args::None, kBoxIconError},
    {Message::PrintDisplayBand, "Print - Display Band Error!", Args::None, kBoxIconError},
    {Message::PrintEndPage, "Print - EndPage Error!", Args::None, kBoxIconError},
    {Message::PrintEndDoc, "Print - EndDoc Error!", Args::None, kBoxIconError},
    {Message::ChooseSavePlace,
     "You must choose a place to save the file.\nFrom the File menu use either:\n\n"
     "'Save to Apple ][ disk image as...'\n\nor\n\n'Save to Windows drive as...'",
     Args::None, kBoxOk},
    {Message::SameNameDocument, "A 'Same Name' document, %s, cannot be opened!", Args::Text, kBoxOk},
    {Message::NoEmulatorRunning, "No Emulator Running!", Args::None, kBoxOk},
    {Message::CouldNotLaunch, "Could not launch %s", Args::Text, kBoxOk},
    {Message::UtilityNameAndPath, "You must enter both a \n utility name and a file path!", Args::None, kBoxOk},
    {Message::NoUtilitiesToRemove, "There are no utilities to remove!", Args::None, kBoxOk},
    {Message::NoItemSelected, "No item selected!", Args::None, kBoxOk},
    {Message::OverwriteQuestion, "File (%s) already exists!\nDo you want to overwrite the file?", Args::Text,
     kBoxYesNo | kBoxIconQuestion},
    {Message::FileNeedsSelecting, "A file needs to be selected!", Args::None, kBoxOk},
    {Message::UnknownImageFormat, "Unknown disk image format!", Args::None, kBoxOk},
    {Message::DefaultFontProblem, "Problem setting default font!", Args::None, kBoxOk},
    {Message::TooManyFiles, "Too many files selected!", Args::None, kBoxOk},
    {Message::UtilitiesMenuInit, "Utilities Menu Initialization Error!", Args::None, kBoxOk},
    {Message::CommandsMenuInit, "Commands Menu Initialization Error!", Args::None, kBoxOk},
    {Message::CommandNameMissing, "You must enter a command name!", Args::None, kBoxOk},
    {Message::UnsupportedStorageType, "Unsupported storage type!", Args::None, kBoxOk},
    {Message::EmulatorNotInFront, "The emulator window could not be brought to the front!", Args::None, kBoxOk},

    {Message::AppleNameEmpty, "The Apple ][ file name is empty!", Args::None, kBoxOk},
    {Message::AppleNameTooLong, "The Apple ][ file name %s is longer than %i characters!", Args::TextNumber, kBoxOk},
    {Message::AppleNameFirstCharacter, "The Apple ][ file name %s must begin with a letter!", Args::Text, kBoxOk},
    {Message::ProdosNameCharacters, "The ProDOS file name %s may hold only letters, digits and full stops!",
     Args::Text, kBoxOk},
    {Message::DosNameCharacters, "The DOS 3.3 file name %s may hold only printable characters!", Args::Text, kBoxOk},
    {Message::DosNameComma, "The DOS 3.3 file name %s cannot hold a comma!", Args::Text, kBoxOk},
    {Message::BadApplePrefix, "The folder path \"%s\" is not valid on this disk!", Args::Text, kBoxOk},
    {Message::PrintDialogFailed, "The %s dialog failed, error# %i!", Args::TextNumber, kBoxIconError},
    // The Utilities menu.
    {Message::TooManyUtilities, "The Utilities menu is full: it holds no more than 199 utilities!", Args::None,
     kBoxOk},

    {Message::DiskFull, "There is not enough room on the disk for %s!", Args::Text, kBoxOk},
    {Message::CatalogFull, "There is no room in the catalog for %s!", Args::Text, kBoxOk},
    {Message::DamagedVolume, "The disk image is damaged and can only be read: %s!", Args::Text, kBoxIconWarning},
    {Message::ReadOnlyImage, "The disk image %s is read-only!", Args::Text, kBoxOk},
    {Message::ImageInUse,
     "The disk image %s is in use by another program.\nType the command into the emulator instead?", Args::Text,
     kBoxYesNo | kBoxIconQuestion},
    {Message::HexDumpNotSaved, "A hex dump is not saved back into its disk image!", Args::None, kBoxOk},
    {Message::AppleFileLocked, "The Apple ][ file %s is locked!", Args::Text, kBoxOk},
    {Message::FolderNotEmpty, "The folder %s is not empty!", Args::Text, kBoxOk},
    {Message::AppleFileNotFound, "The Apple ][ file %s is not on the disk!", Args::Text, kBoxOk},
    {Message::SharedSectors, "The Apple ][ file %s shares its sectors with another file and is left as it is!",
     Args::Text, kBoxOk},
    {Message::AppleFileExists, "The Apple ][ file %s already exists!", Args::Text, kBoxOk},
    {Message::DamagedContainer, "The disk image is damaged and cannot be read: %s!", Args::Text, kBoxOk},
    {Message::WriteProtectedImage, "The disk image %s is write-protected: it can only be read.", Args::Text, kBoxOk},
    {Message::NoListableVolume, "The disk holds no DOS 3.3 or ProDOS volume TAVO can list. %s", Args::Text, kBoxOk},
    {Message::UnreadableSectors, "Sectors of an Apple ][ file could not be read: %s!", Args::Text, kBoxOk},
    {Message::ImageNotWritable, "This disk image can only be read: %s!", Args::Text, kBoxOk},
    {Message::FilesNotOpened, "Not enough memory to open these Apple ][ files: %s!", Args::Text, kBoxOk},

    {Message::RenumberPassesLastLine, "Renumbering would give line %s a number past %i, the last line number allowed!",
     Args::TextNumber, kBoxOk},
    {Message::RenumberPassesLine, "Renumbering would move line %s onto or past line %i!", Args::TextNumber, kBoxOk},
    {Message::RenumberLinesOutOfOrder,
     "Line %s is out of order or typed twice: renumbering needs the lines in order!", Args::Text, kBoxOk},
    {Message::RenumberBadStep, "Renumbering needs a first number of 0 or more and a step of 1 or more!", Args::None,
     kBoxOk},
    {Message::RenumberMissingNumber, "Renumbering needs a number in each box!", Args::None, kBoxOk},
    {Message::RenumberEmptyRange, "No line is numbered from %s to %i: there is nothing to renumber!",
     Args::TextNumber, kBoxOk},
    {Message::NoReferenceAtCaret,
     "The caret is not on a line number after GOTO, GOSUB, THEN, LIST, RUN or DEL!", Args::None, kBoxOk},
    {Message::NoSuchLine, "There is no line %s in this program!", Args::Text, kBoxOk},
    {Message::CaretLineUnnumbered, "The caret's line has no line number!", Args::None, kBoxOk},
    {Message::KeyOfBuiltInCommand,
     "The key %s belongs to a command of TAVO's own, which keeps it: choose another key for this command!",
     Args::Text, kBoxIconWarning},
    {Message::KeyTakenFromBuiltIn, "The key %s now runs this command instead!", Args::Text, kBoxOk},
};

constexpr MessageDef kGeneric = {Message::None, "Error #%i. %s", Args::Generic, kBoxOk};

const MessageDef* FindMessage(Message message)
{
    for (const MessageDef& m : kMessages)
        if (m.message == message) return &m;
    return nullptr;
}

// Shortens `text` to at most `room` characters by replacing its middle with "...".
std::string Shorten(std::string_view text, size_t room)
{
    if (text.size() <= room) return std::string(text);
    static constexpr std::string_view kEllipsis = "...";
    if (room <= kEllipsis.size()) return std::string(text.substr(0, room));
    size_t keep = room - kEllipsis.size();
    size_t head = keep / 2;
    size_t tail = keep - head;
    std::string out(text.substr(0, head));
    out += kEllipsis;
    out += text.substr(text.size() - tail);
    return out;
}

// Fills the "%s" and "%i" of a table text. The text argument is shortened
// first so that the whole message fits.
std::string Fill(std::string_view format, std::string_view text, int value)
{
    std::string number = std::to_string(value);
    size_t fixed = 0;
    bool hasText = false;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            hasText = true;
            ++i;
        } else if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 'i') {
            fixed += number.size();
            ++i;
        } else {
            ++fixed;
        }
    }
    std::string arg = hasText ? Shorten(text, kMessageMaxChars > fixed ? kMessageMaxChars - fixed : 0)
                              : std::string();
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            out += arg;
            ++i;
        } else if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 'i') {
            out += number;
            ++i;
        } else {
            out += format[i];
        }
    }
    if (out.size() > kMessageMaxChars) out.resize(kMessageMaxChars);
    return out;
}

}  // namespace

ComposedMessage ComposeMessage(Message message, std::string_view text, int value)
{
    ComposedMessage result;
    if (message == Message::None) return result;
    result.show = true;
    const MessageDef* m = FindMessage(message);
    if (!m) m = &kGeneric;
    // A number outside the table (a negative one arrives as a large
    // unsigned value) prints as the int it was.
    int number = static_cast<int>(static_cast<unsigned>(message));
    switch (m->args) {
    case Args::None: result.text = m->text; break;
    case Args::Text: result.text = Fill(m->text, text, 0); break;
    case Args::TextNumber: result.text = Fill(m->text, text, value); break;
    case Args::Generic: result.text = Fill(m->text, text, number); break;
    }
    result.flags = m->flags;
    result.returnsAnswer = (m->flags & kBoxYesNo) != 0;
    return result;
}
