#include "tools/tavo-image/renumbering.h"

#include <cstdint>
#include <span>
#include <string_view>

#include "core/basic/renumber.h"
#include "core/disk/image.h"
#include "core/messages/messages.h"

namespace {

constexpr size_t kMostDigits = 9;  // keeps every option far inside a long
// Bytes: far above any Apple program's text, and a bound on what a file
// named by mistake makes us allocate.
constexpr uint64_t kMostTextBytes = 16 << 20;

// A whole number of at most nine digits, or -1.
long ReadCount(const std::string& text)
{
    if (text.empty() || text.size() > kMostDigits) return -1;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

int Fail(std::FILE* err, Message message, std::string_view text = {}, int value = 0)
{
    std::fprintf(err, "%s\n", ComposeMessage(message, text, value).text.c_str());
    return 1;
}

}  // namespace

int RunRenumberCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err)
{
    RenumberRequest request;
    BasicLanguage language = BasicLanguage::Applesoft;
    const std::string* path = nullptr;
    for (size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        long* option = arg == "--start" ? &request.start
                       : arg == "--step" ? &request.step
                       : arg == "--from" ? &request.from
                       : arg == "--to"   ? &request.to
                                         : nullptr;
        if (option != nullptr) {
            if (k + 1 == args.size() || (*option = ReadCount(args[k + 1])) < 0) return 2;
            ++k;
        } else if (arg == "--integer") {
            language = BasicLanguage::Integer;
        } else if (path == nullptr && !arg.empty() && arg[0] != '-') {
            path = &arg;
        } else {
            return 2;
        }
    }
    if (path == nullptr) return 2;

    // Read as an image is: a FIFO or a folder is refused, not waited on.
    ImageFile file;
    if (!file.Open(*path) || file.Size() > kMostTextBytes) return Fail(err, Message::CouldNotReadFile, *path);
    std::string text(file.Size(), '\0');
    if (!file.ReadAt(0, std::span(reinterpret_cast<uint8_t*>(text.data()), text.size())))
        return Fail(err, Message::CouldNotReadFile, *path);

    const Renumbering result = RenumberProgram(text, language, request);
    if (result.refusal != Message::None) return Fail(err, result.refusal, result.refusalText, result.refusalValue);
    std::fwrite(result.text.data(), 1, result.text.size(), out);
    for (const ReferenceLeft& left : result.left) std::fprintf(err, "%s\n", DescribeReferenceLeft(left).c_str());
    return 0;
}
