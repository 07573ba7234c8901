// Finding directories and files of an image by their Apple paths.
#include "core/disk/apple_path.h"

#include <set>
#include <vector>

#include "core/disk/file_types.h"
#include "core/disk/image.h"
#include "core/disk/prodos.h"
#include "core/text/ascii.h"

namespace {

std::vector<std::string_view> SplitPath(std::string_view path)
{
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        size_t slash = path.find('/');
        std::string_view part = path.substr(0, slash);
        if (!part.empty()) parts.push_back(part);
        if (slash == std::string_view::npos) break;
        path.remove_prefix(slash + 1);
    }
    return parts;
}

const DirectoryRow* FindRow(const DirectoryListing& listing, std::string_view name)
{
    for (const DirectoryRow& row : listing.rows)
        if (TrimmedName(row.name) == name) return &row;
    for (const DirectoryRow& row : listing.rows)
        if (EqualIgnoringCase(TrimmedName(row.name), name)) return &row;
    return nullptr;
}

Message ListLevel(ImageFile& image, int extensionIndex, int& layout, AppleDirectory& directory)
{
    directory.listing = ListProdosDirectory(image, extensionIndex, layout, directory.level, directory.ref,
                                            directory.prefix);
    return directory.listing.message;
}

// The volume name of a prefix "/VOL/...".
std::string_view VolumeName(std::string_view prefix)
{
    std::vector<std::string_view> parts = SplitPath(prefix);
    return parts.empty() ? std::string_view() : parts.front();
}

// Opens the volume directory and follows `parts` (after the volume name)
// through folders; `parts` that are left over name no folder.
Message Follow(ImageFile& image, int extensionIndex, std::string_view path, std::vector<std::string_view>& parts,
               int& layout, AppleDirectory& directory)
{
    directory = AppleDirectory{};
    directory.level = 1;
    if (Message message = ListLevel(image, extensionIndex, layout, directory); message != Message::None) return message;
    if (IsDosLayout(layout)) return Message::None;
    // A path from the root starts with the volume's own name.
    if (!path.empty() && path.front() == '/' && !parts.empty()) {
        if (!EqualIgnoringCase(parts.front(), VolumeName(directory.prefix))) return Message::CouldNotReadFile;
        parts.erase(parts.begin());
    }
    return Message::None;
}

}  // namespace

std::string_view TrimmedName(std::string_view name)
{
    size_t end = name.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : name.substr(0, end + 1);
}

Message OpenAppleDirectory(ImageFile& image, int extensionIndex, std::string_view path, int& layout,
                           AppleDirectory& directory)
{
    std::vector<std::string_view> parts = SplitPath(path);
    if (Message message = Follow(image, extensionIndex, path, parts, layout, directory); message != Message::None) return message;
    if (IsDosLayout(layout)) return parts.empty() ? Message::None : Message::CouldNotReadFile;
    for (std::string_view part : parts) {
        const DirectoryRow* row = FindRow(directory.listing, part);
        if (!row || row->icon != kFolderIcon || directory.level >= kMaxDirectoryLevel) return Message::CouldNotReadFile;
        AppleDirectory next;
        next.level = directory.level + 1;
        next.ref = row->ref;
        next.prefix = directory.prefix;
        if (Message message = ListLevel(image, extensionIndex, layout, next); message != Message::None) return message;
        directory = std::move(next);
    }
    return Message::None;
}

Message FindAppleEntry(ImageFile& image, int extensionIndex, std::string_view path, int& layout,
                       AppleDirectory& directory, DirectoryRow& row)
{
    std::vector<std::string_view> none;
    if (Message message = Follow(image, extensionIndex, "", none, layout, directory); message != Message::None) return message;
    std::string_view name = path;
    if (!IsDosLayout(layout)) {
        // DOS 3.3 names may hold a slash; ProDOS paths end with the name.
        size_t slash = path.find_last_of('/');
        if (slash != std::string_view::npos) {
            name = path.substr(slash + 1);
            Message message =
                OpenAppleDirectory(image, extensionIndex, path.substr(0, slash + 1), layout, directory);
            if (message != Message::None) return message;
        }
    }
    const DirectoryRow* found = name.empty() ? nullptr : FindRow(directory.listing, name);
    if (!found) return Message::CouldNotReadFile;
    row = *found;
    return Message::None;
}

Message WalkAppleImage(ImageFile& image, int extensionIndex, int& layout, const AppleEntryVisitor& visit)
{
    AppleDirectory root;
    root.level = 1;
    if (Message message = ListLevel(image, extensionIndex, layout, root); message != Message::None) return message;
    std::set<int> entered;  // key blocks of the directories listed so far
    entered.insert(kVolumeDirectoryBlock);
    std::function<void(const AppleDirectory&)> walk = [&](const AppleDirectory& directory) {
        for (const DirectoryRow& row : directory.listing.rows) {
            visit(directory, row);
            if (IsDosLayout(layout) || row.icon != kFolderIcon || directory.level >= kMaxDirectoryLevel) continue;
            int key = SubdirectoryKeyBlock(image, layout, row.ref);
            if (key == kNoKeyBlock || !entered.insert(key).second) continue;
            AppleDirectory sub;
            sub.level = directory.level + 1;
            sub.ref = row.ref;
            sub.prefix = directory.prefix;
            if (ListLevel(image, extensionIndex, layout, sub) == Message::None) walk(sub);
        }
    };
    walk(root);
    return Message::None;
}

Message OpenAppleDirectory(const std::string& imagePath, int extensionIndex, std::string_view path, int& layout,
                           AppleDirectory& directory)
{
    ImageFile image(imagePath);
    return OpenAppleDirectory(image, extensionIndex, path, layout, directory);
}

Message FindAppleEntry(const std::string& imagePath, int extensionIndex, std::string_view path, int& layout,
                       AppleDirectory& directory, DirectoryRow& row)
{
    ImageFile image(imagePath);
    return FindAppleEntry(image, extensionIndex, path, layout, directory, row);
}

Message WalkAppleImage(const std::string& imagePath, int extensionIndex, int& layout, const AppleEntryVisitor& visit)
{
    ImageFile image(imagePath);
    return WalkAppleImage(image, extensionIndex, layout, visit);
}
