// The message table: every error, warning and question box of the program.
#include "app/message_table.h"

#include <array>
#include <string>

namespace {

enum class Args { None, Text, TextNumber, Generic };

struct MessageDef {
    unsigned number;
    const char* text;
    Args args;
    unsigned flags;
};

constexpr MessageDef kMessages[] = {
    {1, "Can't allocate memory!", Args::None, kBoxOk},
    {2, "Apple ][ file (%s) read error# %i", Args::TextNumber, kBoxOk},
    {3, "Could not read file, %s!", Args::Text, kBoxOk},
    {4, "Could not write file, %s!", Args::Text, kBoxOk},
    {6, "Text not found!  Cursor reset to top of document.", Args::None, kBoxOk},
    {7, "Unable to load the Rich Edit controls!", Args::None, kBoxIconWarning},
    {9, "Non-standard file!", Args::None, kBoxIconWarning},
    {10, "Could NOT create Window!", Args::None, kBoxOk},
    {11, "Could NOT create ListView imagelist!", Args::None, kBoxOk},
    {12, "Failed to insert ListView item!", Args::None, kBoxOk},
    {13, "Print - StartDoc Error!", Args::None, kBoxIconError},
    {14, "Print - StartPage Error!", Args::None, kBoxIconError},
    {15, "Print - Display Band Error!", Args::None, kBoxIconError},
    {16, "Print - EndPage Error!", Args::None, kBoxIconError},
    {17, "Print - EndDoc Error!", Args::None, kBoxIconError},
    {18,
     "You must choose a place to save the file.\nFrom the File menu use either:\n\n"
     "'Save to Apple ][ disk image as...'\n\nor\n\n'Save to Windows drive as...'",
     Args::None, kBoxOk},
    {19, "A 'Same Name' document, %s, cannot be opened!", Args::Text, kBoxOk},
    {20, "No Emulator Running!", Args::None, kBoxOk},
    {21, "Could not launch %s", Args::Text, kBoxOk},
    {22, "You must enter both a \n utility name and a file path!", Args::None, kBoxOk},
    {23, "There are no utilities to remove!", Args::None, kBoxOk},
    {24, "No item selected!", Args::None, kBoxOk},
    {25, "File (%s) already exists!\nDo you want to overwrite the file?", Args::Text,
     kBoxYesNo | kBoxIconQuestion},
    {26, "A file needs to be selected!", Args::None, kBoxOk},
    {27, "Unknown disk image format!", Args::None, kBoxOk},
    {28, "Problem setting default font!", Args::None, kBoxOk},
    {29, "Too many files selected!", Args::None, kBoxOk},
    {30, "Utilities Menu Initialization Error!", Args::None, kBoxOk},
    {31, "Commands Menu Initialization Error!", Args::None, kBoxOk},
    {32, "You must enter a command name!", Args::None, kBoxOk},
    {34, "Unsupported storage type!", Args::None, kBoxOk},
};

constexpr MessageDef kGeneric = {0, "Error #%i. %s", Args::Generic, kBoxOk};
constexpr unsigned kOverwriteQuestion = 25;

const MessageDef* FindMessage(unsigned number)
{
    for (const MessageDef& m : kMessages)
        if (m.number == number) return &m;
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

std::string_view MessageTemplate(unsigned number)
{
    const MessageDef* m = FindMessage(number);
    return m ? m->text : std::string_view();
}

ComposedMessage ComposeMessage(unsigned number, std::string_view text, int value)
{
    ComposedMessage result;
    if (number == 0) return result;
    result.show = true;
    const MessageDef* m = FindMessage(number);
    if (!m || number > kLastNumberedMessage) m = &kGeneric;
    switch (m->args) {
    case Args::None: result.text = m->text; break;
    case Args::Text: result.text = Fill(m->text, text, 0); break;
    case Args::TextNumber: result.text = Fill(m->text, text, value); break;
    case Args::Generic: result.text = Fill(m->text, text, static_cast<int>(number)); break;
    }
    result.flags = m->flags;
    result.returnsAnswer = number == kOverwriteQuestion;
    return result;
}
