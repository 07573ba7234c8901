// tavo-image: the program's disk-image reading on the command line, for users
// who want a disk's programs as text and for scripts.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "core/basic/applesoft_tokenizer.h"
#include "core/basic/integer_tokenizer.h"
#include "core/disk/apple_path.h"
#include "core/disk/dos33.h"
#include "core/disk/file_type_codes.h"
#include "core/disk/file_types.h"
#include "core/disk/host_names.h"
#include "core/disk/image.h"
#include "core/disk/open_choice.h"
#include "core/disk/prodos.h"
#include "core/disk/properties_text.h"
#include "core/messages/messages.h"
#include "core/text/ascii.h"
#include "tools/tavo-image/writing.h"
#include "tools/tavo-image/renumbering.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kHelp =
    "usage: tavo-image COMMAND ...\n"
    "Reads Apple II disk images (.dsk .do .po .hdv, and in containers .2mg .2img .nib\n"
    ".nb2 .woz .d13) as TAVO does, and writes into them.\n"
    "\n"
    "  tavo-image catalog IMAGE [DIR]\n"
    "      Lists the volume directory (or the DOS 3.3 catalog), or the ProDOS directory\n"
    "      DIR such as /VOL/SUB/. First line \"Prefix: \" and the directory's path, then\n"
    "      one line per entry in on-disk order: entry reference, TAB, icon index, TAB,\n"
    "      L (locked) or -, TAB, the name (DOS 3.3 names keep their trailing blanks).\n"
    "      Apple names and paths, here and in info and extract, show each character\n"
    "      outside printable ASCII as \\xHH (ESC as \\x1B, CR as \\x0D) and a backslash\n"
    "      as \\\\, so that every entry is one line and no name acts on the terminal.\n"
    "  tavo-image show [--hex] IMAGE PATH\n"
    "      Writes the text that opening the file shows: an Applesoft or Integer BASIC\n"
    "      listing, Apple text, or a hex dump (--hex: a hex dump whatever the type, as\n"
    "      when Ctrl is held). PATH is /VOL/SUB/NAME, or for DOS 3.3 the file name\n"
    "      (trailing blanks not needed).\n"
    "  tavo-image info IMAGE [PATH]\n"
    "      The file's property texts, one field a line as \"Label value\": the General\n"
    "      page (title line, Type: ... Modified:, then the access boxes as Read: 1),\n"
    "      then the Volume - Disk Image page. Without PATH, the image's own facts:\n"
    "      its container's format, the sector order, the write-protect flag, the\n"
    "      creator, a WOZ image's title, a 2MG image's comment, and the disk it holds.\n"
    "  tavo-image extract IMAGE FOLDER\n"
    "      Writes every file, subdirectories included, as the text its document shows,\n"
    "      with Windows line ends, named .bas .int .txt or .hex by kind, into FOLDER\n"
    "      (directories mirrored); one line per file, then a summary.\n"
    "  tavo-image tokenize [--dos] [--integer] FILE\n"
    "      Writes the Applesoft program that typing the text of FILE at the ] prompt\n"
    "      stores, linked from $0801, raw (--dos: after the DOS 3.3 two-byte length);\n"
    "      with --integer, the Integer BASIC program typing it at the > prompt stores.\n"
    "      Lines the Apple would not store whole are named on standard error.\n"
    "  tavo-image renumber [--start N] [--step N] [--from A] [--to B] [--integer] FILE\n"
    "      Writes the Applesoft (--integer: Integer BASIC) program text of FILE with\n"
    "      the lines numbered A to B (all unless given) renumbered from --start (10)\n"
    "      by --step (10); every GOTO, GOSUB, THEN, ON, LIST, RUN and DEL that names\n"
    "      them follows, and nothing else in the text changes. References left as\n"
    "      they are (computed, or to lines no line has) are named on standard error,\n"
    "      one a line. A renumbering that would pass the last line number, move a\n"
    "      line onto or past one outside the range, or meet lines out of order is\n"
    "      refused: its message on standard error, nothing on standard output,\n"
    "      status 1.\n"
    "  tavo-image new IMAGE --dos33 | --prodos [--blocks N] [--name VOLUME]\n"
    "      Makes an empty volume: DOS 3.3 as a .do, ProDOS as a .po (280 blocks) or\n"
    "      .hdv (65535 blocks), laid out as INIT or FORMAT would, without a boot image.\n"
    "      An existing file is never replaced.\n"
    "  tavo-image put IMAGE FILE [APPLE-PATH] [--type A|I|B|T|BAS|INT|BIN|TXT|$HH]\n"
    "                [--aux N] [--replace]\n"
    "      Saves FILE into the image: a .bas file tokenized as Applesoft, a .int file\n"
    "      as Integer BASIC, a .txt file as text, any other as binary, unless --type\n"
    "      says otherwise ($HH: a ProDOS file type, the bytes as they are). --aux is\n"
    "      the load address of a binary file (ProDOS: the aux type). The Apple name\n"
    "      is FILE's in capitals without its extension; a ProDOS APPLE-PATH is\n"
    "      /VOLUME/FOLDER/NAME. An existing file is replaced only with --replace.\n"
    "  tavo-image delete IMAGE APPLE-PATH\n"
    "  tavo-image rename IMAGE APPLE-PATH NEW-NAME\n"
    "  tavo-image lock IMAGE APPLE-PATH      (and unlock)\n"
    "  tavo-image mkdir IMAGE APPLE-PATH     (ProDOS)\n"
    "      Change the image in one step: it is checked first, changed in memory,\n"
    "      read back, and only then replaces the image file.\n"
    "  tavo-image check IMAGE\n"
    "      What the check before every change finds; status 1 when the volume is\n"
    "      damaged and would only be read.\n"
    "\n"
    "Errors print the program's message (for example \"Unknown disk image format!\")\n"
    "on standard error and exit with status 1; a refused change leaves the image\n"
    "byte for byte as it was. \"Non-standard file!\" is printed on\n"
    "standard error while the partial listing is still written (status 0).\n";

int Fail(Message message, std::string_view text, int value = 0)
{
    std::fprintf(stderr, "%s\n", ComposeMessage(message, text, value).text.c_str());
    return 1;
}

int Usage()
{
    std::fputs(kHelp, stderr);
    return 2;
}

// The image a command reads, opened once for the whole command.
struct Image {
    std::string path;
    std::string fileName;
    int extensionIndex = 0;
    int layout = LayoutNone;
    ImageFile file;
};

// Opens the image and lists its volume directory, so that an image that
// cannot be read, or is not one, fails alike whatever the command; false
// after the message.
bool OpenImage(const std::string& path, Image& image)
{
    if (!image.file.Open(path)) {
        Fail(Message::CouldNotReadFile, path);
        return false;
    }
    image.path = path;
    image.fileName = fs::path(path).filename().string();
    image.extensionIndex = ImageExtensionIndexOf(image.fileName);
    AppleDirectory volume;
    Message message = OpenAppleDirectory(image.file, image.extensionIndex, "", image.layout, volume);
    if (message != Message::None) {
        Fail(message, volume.listing.detail.empty() ? image.fileName : volume.listing.detail);
        return false;
    }
    return true;
}

std::string_view DiskName(int layout)
{
    switch (layout) {
    case LayoutDos33: return "DOS 3.3";
    case LayoutDos32: return "DOS 3.2";
    case LayoutProdos:
    case LayoutProdosDosOrder: return "ProDOS";
    default: return "none TAVO can list";
    }
}

// The image's own facts, whether or not its disk can be listed.
int ImageInfo(const std::string& path)
{
    ImageFile file;
    if (!file.Open(path)) return Fail(Message::CouldNotReadFile, path);
    const DecodedImage& container = file.Container();
    if (!container.Decoded()) return Fail(container.message, container.detail);
    const int layout = DecideImageLayout(ImageExtensionIndexOf(path), file);
    const ContainerFacts& facts = container.facts;
    auto line = [](const char* label, std::string_view value) {
        if (!value.empty()) std::printf("%s: %s\n", label, EscapedAppleName(value).c_str());
    };
    std::string_view format = facts.format, order = facts.order;
    if (!file.FromContainer()) {
        format = "plain sectors";
        order = layout == LayoutProdos ? "ProDOS order" : layout == LayoutNone ? "" : "DOS order";
    }
    line("Format", format);
    line("Order", order);
    line("Write-protected", facts.writeProtected ? "Yes" : "No");
    line("Creator", facts.creator);
    if (file.FromContainer()) line("DOS volume", std::to_string(facts.dosVolume));
    line("Title", facts.title);
    line("Comment", facts.comment);
    line("Disk", DiskName(layout));
    return 0;
}

// The Apple path of a row as extract prints it, escaped.
std::string ApplePathOf(const AppleDirectory& directory, const DirectoryRow& row, int layout)
{
    if (IsDosLayout(layout)) return EscapedAppleName(row.name);
    return EscapedAppleName(directory.prefix + row.name);
}

int Catalog(Image& image, const char* dir)
{
    AppleDirectory directory;
    if (Message message = OpenAppleDirectory(image.file, image.extensionIndex, dir ? dir : "", image.layout, directory);
        message != Message::None)
        return Fail(message, dir ? dir : image.fileName);
    std::printf("Prefix: %s\n", EscapedAppleName(directory.prefix).c_str());
    for (const DirectoryRow& row : directory.listing.rows)
        std::printf("%u\t%d\t%c\t%s\n", row.ref, row.icon, row.locked ? 'L' : '-', EscapedAppleName(row.name).c_str());
    return 0;
}

// Reports the outcome of opening a file; true when there is text to write.
bool ReportOpen(const DocumentContent& content, const Image& image)
{
    if (!content.opened) {
        Fail(content.message, content.detail.empty() ? image.fileName : content.detail, content.value);
        return false;
    }
    if (content.message == Message::NonStandardFile) Fail(Message::NonStandardFile, "");
    return true;
}

int Show(Image& image, const std::string& applePath, bool hex)
{
    AppleDirectory directory;
    DirectoryRow row;
    if (Message message = FindAppleEntry(image.file, image.extensionIndex, applePath, image.layout, directory, row);
        message != Message::None)
        return Fail(message, applePath);
    if (!IsDosLayout(image.layout) && row.icon == kFolderIcon) return Fail(Message::FileNeedsSelecting, "");
    FileEntry entry;
    DocumentContent content = OpenImageEntry(image.file, image.layout, row.ref, hex, entry);
    if (!ReportOpen(content, image)) return 1;
    std::fwrite(content.text.data(), 1, content.text.size(), stdout);
    return 0;
}

int Info(Image& image, const std::string& applePath)
{
    AppleDirectory directory;
    DirectoryRow row;
    if (Message message = FindAppleEntry(image.file, image.extensionIndex, applePath, image.layout, directory, row);
        message != Message::None)
        return Fail(message, applePath);
    FileEntry entry;
    int result = IsDosLayout(image.layout) ? DecodeDosEntry(row.ref, image.file, entry)
                                             : DecodeProdosEntry(row.ref, image.file, image.layout, entry);
    if (result < 0) return Fail(Message::AppleFileReadError, image.fileName, result);
    std::string slotPath = IsDosLayout(image.layout) ? std::string(entry.Name()) : directory.prefix + entry.Name().data();
    fs::path full = fs::absolute(fs::path(image.path));
    PropertyTexts texts = ComposePropertyTexts(entry, slotPath, full.filename().string(),
                                               full.parent_path().string(), image.extensionIndex);
    std::printf("General\n");
    for (const PropertyField& field : texts.general) {
        std::string value = EscapedAppleName(field.value);
        if (field.label.empty())
            std::printf("%s\n", value.c_str());
        else
            std::printf("%.*s %s\n", static_cast<int>(field.label.size()), field.label.data(), value.c_str());
    }
    for (const AccessBox& box : texts.access)
        std::printf("%.*s: %d\n", static_cast<int>(box.label.size()), box.label.data(), box.checked ? 1 : 0);
    std::printf("Volume - Disk Image\n");
    for (const PropertyField& field : texts.image) {
        // The image's own name and folder are the host's, shown as they are.
        bool host = field.label == "Image:" || field.label == "Location:";
        std::string value = host ? field.value : EscapedAppleName(field.value);
        std::printf("%.*s %s\n", static_cast<int>(field.label.size()), field.label.data(), value.c_str());
    }
    return 0;
}

// Windows line ends: every CR, LF or CR LF becomes CR LF.
std::string WindowsLineEnds(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string_view KindExtension(DocumentKind kind)
{
    if (kind == DocumentKind::Applesoft) return ".bas";
    if (kind == DocumentKind::Integer) return ".int";
    if (kind == DocumentKind::Text) return ".txt";
    return ".hex";
}

// Names already given in each host folder, compared ignoring case, since
// DOS 3.3 holds "CASE TEST" and "case test" side by side.
class NameBook {
public:
    fs::path Claim(const fs::path& folder, const std::string& base, std::string_view extension)
    {
        std::set<std::string>& used = used_[folder.string()];
        for (int n = 1;; ++n) {
            std::string candidate = base + (n == 1 ? "" : "~" + std::to_string(n)) + std::string(extension);
            std::string key = candidate;
            for (char& c : key) c = AsciiUpper(c);
            if (used.insert(key).second) return folder / candidate;
        }
    }

private:
    std::map<std::string, std::set<std::string>> used_;
};

int Extract(Image& image, const std::string& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return Fail(Message::CouldNotReadFile, folder);
    std::map<EntryRef, fs::path> hostFolders;  // subdirectory entry -> its folder
    NameBook names;
    int written = 0, failed = 0, folders = 0;
    Message message = WalkAppleImage(image.file, image.extensionIndex, image.layout,
        [&](const AppleDirectory& directory, const DirectoryRow& row) {
            fs::path hostFolder = directory.level <= 1 ? fs::path(folder) : hostFolders[directory.ref];
            std::string applePath = ApplePathOf(directory, row, image.layout);
            if (!IsDosLayout(image.layout) && row.icon == kFolderIcon) {
                fs::path sub = names.Claim(hostFolder, HostFileName(row.name), "");
                fs::create_directories(sub, error);
                hostFolders[row.ref] = sub;
                ++folders;
                return;
            }
            FileEntry entry;
            DocumentContent content = OpenImageEntry(image.file, image.layout, row.ref, false, entry);
            if (!content.opened) {
                std::fprintf(stderr, "%s: ", applePath.c_str());
                Fail(content.message, content.detail.empty() ? image.fileName : content.detail, content.value);
                ++failed;
                return;
            }
            if (content.message == Message::NonStandardFile) {
                std::fprintf(stderr, "%s: ", applePath.c_str());
                Fail(Message::NonStandardFile, "");
            }
            fs::path target = names.Claim(hostFolder, HostFileName(row.name), KindExtension(content.kind));
            std::string text = WindowsLineEnds(content.text);
            std::ofstream out(target, std::ios::binary);
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            if (!out) {
                std::fprintf(stderr, "%s\n", ComposeMessage(Message::CouldNotWriteFile, target.string()).text.c_str());
                ++failed;
                return;
            }
            std::printf("%s\t%s\n", applePath.c_str(), target.string().c_str());
            ++written;
        });
    if (message != Message::None) return Fail(message, image.fileName);
    std::printf("%d files written, %d folders, %d files not read\n", written, folders, failed);
    return failed ? 1 : 0;
}

// The text of each note, as standard error names it.
const char* NoteText(TokenizeNoteKind kind)
{
    switch (kind) {
    case TokenizeNoteKind::LineCancelled: return "256 characters cancelled";
    case TokenizeNoteKind::LineCut: return "cut to 239 characters";
    case TokenizeNoteKind::NumberTooLarge: return "number above 63999, not stored";
    case TokenizeNoteKind::OutOfMemory: return "past $FFFF, not stored, nor any later line";
    case TokenizeNoteKind::NoLineNumber: break;
    }
    return "no line number, not stored";
}

const char* NoteText(IntegerNoteKind kind)
{
    switch (kind) {
    case IntegerNoteKind::SyntaxError: return "SYNTAX ERR, not stored";
    case IntegerNoteKind::NumberTooLarge: return "number above 32767, not stored";
    case IntegerNoteKind::LineTooLong: return "too long, not stored";
    case IntegerNoteKind::NoLineNumber: break;
    }
    return "no line number, not stored";
}

int Tokenize(const std::string& path, bool dos, bool integer)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return Fail(Message::CouldNotReadFile, path);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<uint8_t> program;
    if (integer) {
        std::vector<IntegerNote> notes;
        program = TokenizeIntegerBasic(text, &notes);
        for (const IntegerNote& note : notes) std::fprintf(stderr, "line %d: %s\n", note.line + 1, NoteText(note.kind));
    } else {
        std::vector<TokenizeNote> notes;
        program = TokenizeApplesoft(text, kApplesoftLoadAddress, ApplesoftText::Typed, &notes);
        for (const TokenizeNote& note : notes) std::fprintf(stderr, "line %d: %s\n", note.line + 1, NoteText(note.kind));
    }
    if (dos) {
        const uint8_t length[kDosLengthHeaderBytes] = {static_cast<uint8_t>(program.size() & 0xFF),
                                                       static_cast<uint8_t>(program.size() >> 8)};
        std::fwrite(length, 1, kDosLengthHeaderBytes, stdout);
    }
    std::fwrite(program.data(), 1, program.size(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage();
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::fputs(kHelp, stdout);
        return 0;
    }
    std::string command = args[0];
    args.erase(args.begin());
    bool hex = false;
    if (command == "show" && !args.empty() && args[0] == "--hex") {
        hex = true;
        args.erase(args.begin());
    }
    if (command == "tokenize") {
        bool dos = false;
        bool integer = false;
        while (args.size() > 1 && (args[0] == "--dos" || args[0] == "--integer")) {
            (args[0] == "--dos" ? dos : integer) = true;
            args.erase(args.begin());
        }
        if (args.size() != 1) return Usage();
        return Tokenize(args[0], dos, integer);
    }
    if (command == "renumber") {
        const int status = RunRenumberCommand(args, stdout, stderr);
        return status == 2 ? Usage() : status;
    }
    if (int status = RunWriteCommand(command, args); status >= 0) return status == 2 ? Usage() : status;
    size_t wanted = command == "catalog" || command == "info" ? 1 : 2;
    if (command != "catalog" && command != "show" && command != "info" && command != "extract") return Usage();
    if (args.size() < wanted || args.size() > 2) return Usage();
    if (command == "info" && args.size() == 1) return ImageInfo(args[0]);

    Image image;
    if (!OpenImage(args[0], image)) return 1;
    if (command == "catalog") return Catalog(image, args.size() > 1 ? args[1].c_str() : nullptr);
    if (command == "show") return Show(image, args[1], hex);
    if (command == "info") return Info(image, args[1]);
    return Extract(image, args[1]);
}
