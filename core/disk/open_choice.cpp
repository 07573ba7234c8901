// The kind and text of a document opened from a disk image.
#include "core/disk/open_choice.h"

#include <algorithm>
#include <span>
#include <vector>

#include "core/basic/applesoft_listing.h"
#include "core/basic/applesoft_tokens.h"
#include "core/basic/integer_listing.h"
#include "core/disk/apple_path.h"
#include "core/disk/dos33.h"
#include "core/disk/file_type_codes.h"
#include "core/disk/image.h"
#include "core/disk/prodos.h"
#include "core/text/apple_text.h"
#include "core/text/hex_dump.h"

namespace {

// The document shows the converter's text up to its terminating zero.
void CutAtZero(std::string& text)
{
    size_t zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
}

void ConvertDos(const FileEntry& entry, std::span<const uint8_t> data, bool hexDump, DocumentContent& content)
{
    int length = static_cast<int>(data.size());  // every sector read, length header included
    std::string& out = content.text;
    int type = entry.fileType & ~kDosLockBit;
    if (hexDump || type > kDosApplesoftType) {
        HexDump(0, length, out, data, 0);
    } else if (type == kDosApplesoftType) {
        if (!ListApplesoft(kDosLengthHeaderBytes, length, out, data, kApplesoftLoadAddress))
            content.message = Message::NonStandardFile;
    } else if (type == kDosTextType) {
        out = ConvertAppleText(data, kDos33Text);
    } else {
        content.beep = !ListIntegerBasic(kDosLengthHeaderBytes, length, out, data, 0);
    }
}

void ConvertProdos(const FileEntry& entry, std::span<const uint8_t> data, bool hexDump, DocumentContent& content)
{
    int length = entry.eof;
    std::string& out = content.text;
    if (hexDump) {
        HexDump(0, length, out, data, entry.auxType);
    } else if (entry.fileType == kProdosApplesoftType) {
        if (!ListApplesoft(0, length, out, data, entry.auxType)) content.message = Message::NonStandardFile;
    } else if (entry.fileType == kProdosTextType) {
        out = ConvertAppleText(data, kProdosText);
    } else if (entry.fileType == kProdosIntegerType) {
        content.beep = !ListIntegerBasic(0, length, out, data, entry.auxType);
    } else {
        HexDump(0, length, out, data, entry.auxType);
    }
}

// A read refused because the disk did not yield its sectors names the file
// and those sectors rather than a reader's result number.
void NameRefusedSectors(const ImageFile& image, const FileEntry& entry, DocumentContent& content)
{
    std::vector<std::string> places;
    for (int sector : image.RefusedSectors()) {
        std::string place = image.Container().order == OrderProdos
                                ? "block " + std::to_string(sector / 2)
                                : "track " + std::to_string(sector / kSectorsPerTrack) + " sector " +
                                      std::to_string(sector % kSectorsPerTrack);
        if (std::find(places.begin(), places.end(), place) == places.end()) places.push_back(std::move(place));
    }
    if (places.empty()) return;
    content.message = Message::UnreadableSectors;
    content.detail = std::string(TrimmedName(entry.Name())) + " (";
    for (size_t i = 0; i < places.size(); ++i) content.detail += (i ? ", " : "") + places[i];
    content.detail += ")";
}

}  // namespace

DocumentKind DocumentKindFor(const FileEntry& entry)
{
    if (IsDosLayout(entry.layout)) {
        switch (entry.fileType & ~kDosLockBit) {
        case kDosApplesoftType: return DocumentKind::Applesoft;
        case kDosTextType: return DocumentKind::Text;
        case kDosIntegerType: return DocumentKind::Integer;
        default: return DocumentKind::Bin;
        }
    }
    switch (entry.fileType) {
    case kProdosApplesoftType: return DocumentKind::Applesoft;
    case kProdosTextType: return DocumentKind::Text;
    case kProdosIntegerType: return DocumentKind::Integer;
    default: return DocumentKind::Bin;
    }
}

DocumentContent OpenImageEntry(ImageFile& image, int layout, EntryRef ref, bool hexDump, FileEntry& entry)
{
    DocumentContent content;
    std::vector<uint8_t> raw;
    image.ForgetRefusedSectors();
    if (IsDosLayout(layout)) {
        DecodeDosEntry(ref, image, entry);
        entry.layout = layout;
        content.kind = DocumentKindFor(entry);
        int sectors = ReadDosFile(ref, image, raw);
        if (sectors < 0) {
            content.message = Message::AppleFileReadError;
            content.value = sectors;
            NameRefusedSectors(image, entry, content);
            return content;
        }
        // The byte just past the file is made a zero, as the end of its data.
        if (entry.eof >= 0 && static_cast<size_t>(entry.eof) < raw.size()) raw[static_cast<size_t>(entry.eof)] = 0;
        ConvertDos(entry, raw, hexDump, content);
    } else {
        DecodeProdosEntry(ref, image, layout, entry);
        entry.layout = layout;
        content.kind = DocumentKindFor(entry);
        int result = layout == LayoutProdosDosOrder ? ReadProdosFileDosOrder(ref, image, raw)
                                                    : ReadProdosFile(ref, image, raw);
        if (result < 0) {
            content.message =
                result == ProdosFileStorageUnsupported ? Message::UnsupportedStorageType : Message::AppleFileReadError;
            content.value = result;
            NameRefusedSectors(image, entry, content);
            return content;
        }
        ConvertProdos(entry, raw, hexDump, content);
    }
    CutAtZero(content.text);
    content.opened = true;
    return content;
}

DocumentContent OpenImageEntry(const std::string& imagePath, int layout, EntryRef ref, bool hexDump,
                               FileEntry& entry)
{
    ImageFile image(imagePath);
    return OpenImageEntry(image, layout, ref, hexDump, entry);
}
