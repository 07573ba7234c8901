#include "tools/tavo-image/writing.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "core/basic/applesoft_tokenizer.h"
#include "core/basic/integer_tokenizer.h"
#include "core/disk/apple_names.h"
#include "core/disk/dos33_check.h"
#include "core/disk/dos33_new_volume.h"
#include "core/disk/image.h"
#include "core/disk/image_change.h"
#include "core/disk/prodos_check.h"
#include "core/disk/prodos_new_volume.h"
#include "core/disk/volume_changes.h"
#include "core/messages/messages.h"
#include "core/text/ascii.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFloppyBlocks = 280;
constexpr int kLargestVolumeBlocks = 65535;
constexpr const char* kDefaultVolumeName = "NEW.DISK";

int Fail(Message message, std::string_view text, int value = 0)
{
    std::fprintf(stderr, "%s\n", ComposeMessage(message, text, value).text.c_str());
    return 1;
}

std::optional<std::vector<uint8_t>> ReadHostFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

#ifdef _WIN32
constexpr int kNewFileFlags = O_WRONLY | O_CREAT | O_EXCL | O_BINARY;
int MakeTemporary(std::string& name)
{
    if (_mktemp_s(name.data(), name.size() + 1) != 0) return -1;
    return ::_open(name.c_str(), kNewFileFlags, _S_IREAD | _S_IWRITE);
}
int Flush(int file) { return ::_commit(file); }
int KeepMode(int, int) { return 0; }  // the read-only mark is all Windows has, and it is off
// Renaming over a file fails on Windows; the library's rename replaces it.
bool RenameOver(const std::string& from, const std::string& to)
{
    std::error_code error;
    fs::rename(from, to, error);
    return !error;
}
#else
constexpr int kNewFileFlags = O_WRONLY | O_CREAT | O_EXCL;
int MakeTemporary(std::string& name) { return ::mkstemp(name.data()); }
int Flush(int file) { return ::fsync(file); }
int KeepMode(int file, int mode) { return ::fchmod(file, static_cast<mode_t>(mode)); }
bool RenameOver(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()) == 0; }
#endif

bool WriteAll(int file, const std::vector<uint8_t>& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        auto written = ::write(file, bytes.data() + done, static_cast<unsigned>(bytes.size() - done));
        if (written <= 0) return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

ProdosStamp Now()
{
    std::time_t now = std::time(nullptr);
    std::tm local = *std::localtime(&now);
    return MakeProdosStamp(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
}

std::string FileName(const std::string& path) { return fs::path(path).filename().string(); }

// A refused change's message; a write-protected image is named by its file.
int FailChange(const DiskChange& refusal, const std::string& path)
{
    if (refusal.message == Message::WriteProtectedImage) return Fail(refusal.message, FileName(path));
    return Fail(refusal.message, refusal.text, refusal.value);
}

// Makes `change` on the image file; its message on failure.
int ChangeImage(const std::string& path, const VolumeChange& change)
{
    struct stat status = {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return Fail(Message::CouldNotReadFile, path);
    // As root, opening for writing succeeds whatever the permissions say.
    if ((status.st_mode & 0222) == 0) return Fail(Message::ReadOnlyImage, FileName(path));
    std::optional<std::vector<uint8_t>> bytes = ReadHostFile(path);
    if (!bytes) return Fail(Message::CouldNotReadFile, path);
    DiskChange result = ChangeImageBytes(*bytes, ImageExtensionIndexOf(path), change);
    if (!result.Made()) return FailChange(result, path);
    if (!ReplaceFile(path, *bytes, static_cast<int>(status.st_mode & 07777))) return Fail(Message::CouldNotWriteFile, path);
    return 0;
}

bool TakeFlag(std::vector<std::string>& args, const char* flag)
{
    for (auto it = args.begin(); it != args.end(); ++it) {
        if (*it == flag) {
            args.erase(it);
            return true;
        }
    }
    return false;
}

// The value after `flag`, taken out of `args` with it; false when the flag
// is there without a value.
bool TakeValue(std::vector<std::string>& args, const char* flag, std::optional<std::string>& value)
{
    for (auto it = args.begin(); it != args.end(); ++it) {
        if (*it != flag) continue;
        if (it + 1 == args.end()) return false;
        value = *(it + 1);
        args.erase(it, it + 2);
        return true;
    }
    return true;
}

// A number as a user writes it: decimal, $HH or 0xHH.
std::optional<int> ParseNumber(std::string_view text)
{
    int base = 10;
    if (!text.empty() && text[0] == '$') {
        text.remove_prefix(1);
        base = 16;
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty()) return std::nullopt;
    std::string digits(text);
    char* end = nullptr;
    long value = std::strtol(digits.c_str(), &end, base);
    if (*end != '\0' || value < 0 || value > 0xFFFF) return std::nullopt;
    return static_cast<int>(value);
}

std::string Upper(std::string text)
{
    for (char& c : text) c = AsciiUpper(c);
    return text;
}

int New(std::vector<std::string> args)
{
    const bool dos = TakeFlag(args, "--dos33");
    const bool prodos = TakeFlag(args, "--prodos");
    std::optional<std::string> blocksText, name;
    if (!TakeValue(args, "--blocks", blocksText) || !TakeValue(args, "--name", name)) return 2;
    if (args.size() != 1 || dos == prodos || (dos && (blocksText || name))) return 2;
    const std::string& path = args[0];
    const int extension = ImageExtensionIndexOf(path);
    std::vector<uint8_t> bytes;
    if (dos) {
        if (extension != kExtensionDo) return Fail(Message::UnknownImageFormat, path);
        bytes = NewDosVolume();
    } else {
        if (extension != kExtensionPo && extension != kExtensionHdv) return Fail(Message::UnknownImageFormat, path);
        std::optional<int> blocks = blocksText ? ParseNumber(*blocksText)
                                               : (extension == kExtensionHdv ? kLargestVolumeBlocks : kFloppyBlocks);
        if (!blocks) return 2;
        std::string volumeName = Upper(name.value_or(kDefaultVolumeName));
        const std::string volumePath = "/" + volumeName + "/";
        if (!IsProdosPrefix(volumePath)) return Fail(Message::BadApplePrefix, volumePath);
        bytes = NewProdosVolume(*blocks, volumeName, Now());
        if (bytes.empty()) return 2;
    }
    // A new image never takes the place of a file the user has.
    int file = ::open(path.c_str(), kNewFileFlags, 0644);
    if (file < 0) return Fail(Message::CouldNotWriteFile, path);
    bool written = WriteAll(file, bytes) && Flush(file) == 0;
    written = ::close(file) == 0 && written;
    if (!written) {
        ::unlink(path.c_str());
        return Fail(Message::CouldNotWriteFile, path);
    }
    return 0;
}

// The kind a --type names, or the one a host file's extension gives.
std::optional<FileToSave> KindOf(const std::optional<std::string>& type, const std::string& hostPath)
{
    FileToSave file;
    std::string given = Upper(type.value_or(""));
    if (!type) {
        std::string extension = Upper(fs::path(hostPath).extension().string());
        given = extension == ".BAS" ? "A" : extension == ".INT" ? "I" : extension == ".TXT" ? "T" : "B";
    }
    if (given == "A" || given == "BAS") file.kind = AppleKind::Applesoft;
    else if (given == "I" || given == "INT") file.kind = AppleKind::Integer;
    else if (given == "T" || given == "TXT") file.kind = AppleKind::Text;
    else if (given == "B" || given == "BIN") file.kind = AppleKind::Binary;
    else if (std::optional<int> number = ParseNumber(given); number && given[0] == '$' && *number <= 0xFF) {
        file.kind = AppleKind::OtherProdosType;
        file.prodosFileType = *number;
    } else {
        return std::nullopt;
    }
    return file;
}

// The program a BASIC text stores, its refused lines on standard error.
std::vector<uint8_t> Tokenized(AppleKind kind, std::string_view text)
{
    if (kind == AppleKind::Integer) {
        std::vector<IntegerNote> notes;
        std::vector<uint8_t> program = TokenizeIntegerBasic(text, &notes);
        for (const IntegerNote& note : notes) std::fprintf(stderr, "line %d: not stored\n", note.line + 1);
        return program;
    }
    std::vector<TokenizeNote> notes;
    std::vector<uint8_t> program = TokenizeApplesoft(text, kApplesoftLoadAddress, ApplesoftText::Typed, &notes);
    for (const TokenizeNote& note : notes) std::fprintf(stderr, "line %d: not stored whole\n", note.line + 1);
    return program;
}

// The volume's name, for the default ProDOS path of `put`.
std::string VolumeName(const std::string& imagePath)
{
    std::optional<std::vector<uint8_t>> bytes = ReadHostFile(imagePath);
    if (!bytes) return {};
    ImageVolume opened = OpenImageVolume(*bytes, ImageExtensionIndexOf(imagePath));
    if (!opened.refusal.Made() || IsDosLayout(opened.layout)) return {};
    return CheckProdosVolume(Volume(std::move(opened.bytes), opened.layout)).volumeName;
}

int Put(std::vector<std::string> args)
{
    const bool replace = TakeFlag(args, "--replace");
    std::optional<std::string> type, aux;
    if (!TakeValue(args, "--type", type) || !TakeValue(args, "--aux", aux)) return 2;
    if (args.size() < 2 || args.size() > 3) return 2;
    const std::string& imagePath = args[0];
    const std::string& hostPath = args[1];
    std::optional<FileToSave> file = KindOf(type, hostPath);
    if (!file) return 2;
    if (aux) {
        std::optional<int> value = ParseNumber(*aux);
        if (!value) return 2;
        file->auxType = *value;
    }
    std::optional<std::vector<uint8_t>> data = ReadHostFile(hostPath);
    if (!data) return Fail(Message::CouldNotReadFile, hostPath);
    if (file->kind == AppleKind::Applesoft || file->kind == AppleKind::Integer)
        file->data = Tokenized(file->kind, std::string_view(reinterpret_cast<const char*>(data->data()), data->size()));
    else
        file->data = std::move(*data);

    std::string applePath = args.size() == 3 ? args[2] : Upper(fs::path(hostPath).stem().string());
    if (args.size() == 2) {
        std::string volume = VolumeName(imagePath);
        if (!volume.empty()) applePath = "/" + volume + "/" + applePath;
    }
    const ProdosStamp stamp = Now();
    return ChangeImage(imagePath, [&](Volume& volume) {
        return SaveIntoVolume(volume, applePath, *file, replace, stamp);
    });
}

// What the check finds; 1 when it would refuse to write.
int Check(const std::string& path)
{
    std::optional<std::vector<uint8_t>> bytes = ReadHostFile(path);
    if (!bytes) return Fail(Message::CouldNotReadFile, path);
    ImageVolume opened = OpenImageVolume(*bytes, ImageExtensionIndexOf(path));
    if (!opened.refusal.Made()) return FailChange(opened.refusal, path);
    Volume volume(std::move(opened.bytes), opened.layout);
    DiskChange damage;
    std::vector<std::string> sharing;
    if (volume.Layout() == LayoutDos33) {
        DosVolumeCheck check = CheckDosVolume(volume);
        damage = check.damage;
        sharing = check.SharingFiles();
    } else {
        ProdosVolumeCheck check = CheckProdosVolume(volume);
        damage = check.damage;
        sharing = check.sharing;
    }
    if (!damage.Made()) return Fail(damage.message, damage.text, damage.value);
    for (const std::string& name : sharing) Fail(Message::SharedSectors, name);
    std::printf("%s\n", sharing.empty() ? "The volume can be written." : "The other files can be written.");
    return 0;
}

}  // namespace

// The image replaced in one step: a temporary file beside it, flushed, then
// renamed over it with the old file's permissions. A failure leaves the old
// file as it was and no temporary file behind.
bool ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes, int mode)
{
    std::string temporary = path + ".XXXXXX";
    int file = MakeTemporary(temporary);
    if (file < 0) return false;
    bool written = WriteAll(file, bytes) && KeepMode(file, mode) == 0 && Flush(file) == 0;
    written = ::close(file) == 0 && written;
    if (!written || !RenameOver(temporary, path)) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

int RunWriteCommand(const std::string& command, std::vector<std::string> args)
{
    if (command == "new") return New(std::move(args));
    if (command == "put") return Put(std::move(args));
    if (command == "check") return args.size() == 1 ? Check(args[0]) : 2;
    const ProdosStamp stamp = Now();
    if (command == "delete" && args.size() == 2)
        return ChangeImage(args[0], [&](Volume& v) { return DeleteFromVolume(v, args[1]); });
    if (command == "rename" && args.size() == 3)
        return ChangeImage(args[0], [&](Volume& v) { return RenameInVolume(v, args[1], args[2]); });
    if ((command == "lock" || command == "unlock") && args.size() == 2)
        return ChangeImage(args[0], [&](Volume& v) { return LockInVolume(v, args[1], command == "lock"); });
    if (command == "mkdir" && args.size() == 2)
        return ChangeImage(args[0], [&](Volume& v) { return CreateFolderInVolume(v, args[1], stamp); });
    if (command == "delete" || command == "rename" || command == "lock" || command == "unlock" || command == "mkdir")
        return 2;
    return -1;
}
