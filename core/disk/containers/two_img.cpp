// 2IMG images. Every offset and length in the header comes from the file:
// each chunk must lie inside it and apart from the header and the other
// chunks, so that writing the data area can never touch the comment.
#include "core/disk/containers/two_img.h"

#include <algorithm>
#include <string>

#include "core/disk/byte_reader.h"
#include "core/disk/containers/nibble_image.h"

namespace {

constexpr uint8_t kMagic[4] = {'2', 'I', 'M', 'G'};
constexpr size_t kFieldBytes = 48;  // the fields before the reserved bytes
constexpr uint32_t kHeaderLength = 64;
constexpr uint32_t kEarlyHeaderLength = 52;  // the length the first description gave, reserved bytes left out
constexpr uint32_t kBlockBytes = 512;
constexpr uint32_t kSectorBytes = 256;
constexpr uint32_t kFormatDos = 0;
constexpr uint32_t kFormatProdos = 1;
constexpr uint32_t kFormatNibbles = 2;
constexpr const char* kFormatNames[] = {"DOS order", "ProDOS order", "nibbles"};
constexpr uint32_t kWriteProtectedFlag = 0x80000000;
constexpr uint32_t kVolumeNumberFlag = 0x100;  // the DOS volume number is in the low byte

struct Chunk {
    uint64_t offset = 0;
    uint64_t length = 0;

    uint64_t End() const { return offset + length; }
    bool Overlaps(const Chunk& other) const { return offset < other.End() && other.offset < End(); }
};

struct Header {
    uint32_t format = 0;
    uint32_t flags = 0;
    std::string creator;
    Chunk data, comment, creatorData;
};

// What is wrong with where `chunk`, named `name`, lies, or empty when it
// lies in the file after the header.
std::string ChunkDamage(const Chunk& chunk, const char* name, uint64_t headerLength, uint64_t fileSize)
{
    if (chunk.End() > fileSize) return std::string("the 2MG ") + name + " offset and length point past the end of the file";
    if (chunk.offset < headerLength) return std::string("the 2MG ") + name + " offset points into the header";
    return {};
}

// Reads the header and checks it against the file; the first field found
// wrong, or empty.
std::string ReadHeader(std::span<const uint8_t> file, Header& header)
{
    if (file.size() < kFieldBytes) return "the file is shorter than a 2MG header";
    if (!std::equal(std::begin(kMagic), std::end(kMagic), file.begin())) return "the file does not start with \"2IMG\"";
    ByteReader r(file);
    const uint32_t headerLength = r.U16(8);
    if (headerLength != kHeaderLength && headerLength != kEarlyHeaderLength)
        return "the 2MG header length is " + std::to_string(headerLength) + ", not 64";
    header.format = r.U32(12);
    if (header.format > kFormatNibbles)
        return "the 2MG format is " + std::to_string(header.format) + ", not 0 (DOS order), 1 (ProDOS order) or 2 (nibbles)";
    header.flags = r.U32(16);
    const uint32_t blocks = r.U32(20);
    header.data = {r.U32(24), r.U32(28)};
    header.comment = {r.U32(32), r.U32(36)};
    header.creatorData = {r.U32(40), r.U32(44)};
    for (size_t i = 4; i < 8; ++i) header.creator += file[i] >= 0x20 && file[i] < 0x7F ? static_cast<char>(file[i]) : '.';

    // Some writers leave the data length of a ProDOS-order image 0 and give only its blocks.
    if (header.data.length == 0 && header.format == kFormatProdos)
        header.data.length = static_cast<uint64_t>(blocks) * kBlockBytes;
    if (header.data.length == 0) return "the 2MG data length is 0";
    if (header.format == kFormatDos && header.data.length % kSectorBytes != 0)
        return "the 2MG data length is not a whole number of 256-byte sectors";
    if (header.format == kFormatProdos && header.data.length % kBlockBytes != 0)
        return "the 2MG data length is not a whole number of 512-byte blocks";
    if (std::string damage = ChunkDamage(header.data, "data", headerLength, file.size()); !damage.empty())
        return damage;
    for (auto [chunk, name] : {std::pair{&header.comment, "comment"}, {&header.creatorData, "creator data"}}) {
        if (chunk->length == 0) continue;
        if (std::string damage = ChunkDamage(*chunk, name, headerLength, file.size()); !damage.empty()) return damage;
        if (chunk->Overlaps(header.data)) return std::string("the 2MG ") + name + " overlaps the disk's data";
    }
    if (header.comment.length && header.creatorData.length && header.comment.Overlaps(header.creatorData))
        return "the 2MG comment and creator data overlap";
    return {};
}

std::span<const uint8_t> Bytes(std::span<const uint8_t> file, const Chunk& chunk)
{
    return file.subspan(static_cast<size_t>(chunk.offset), static_cast<size_t>(chunk.length));
}

}  // namespace

DecodedImage DecodeTwoImg(std::span<const uint8_t> file)
{
    DecodedImage image;
    Header header;
    if (std::string damage = ReadHeader(file, header); !damage.empty()) {
        image.message = Message::DamagedContainer;
        image.detail = std::move(damage);
        return image;
    }
    std::span<const uint8_t> data = Bytes(file, header.data);
    if (header.format == kFormatNibbles) {
        image = DecodeNibbleImage(data);
        if (!image.Decoded()) return image;
    } else {
        image.order = header.format == kFormatDos ? OrderDos : OrderProdos;
        image.bytes.assign(data.begin(), data.end());
    }
    ContainerFacts& facts = image.facts;
    facts.format = "2MG";
    facts.order = kFormatNames[header.format];
    facts.creator = header.creator;
    std::span<const uint8_t> comment = Bytes(file, header.comment);
    facts.comment.assign(comment.begin(), comment.end());
    if (header.flags & kVolumeNumberFlag) facts.dosVolume = static_cast<int>(header.flags & 0xFF);
    facts.writeProtected = (header.flags & kWriteProtectedFlag) != 0;
    if (facts.writeProtected) image.readOnlyReason = "its 2MG header marks it write-protected";
    return image;
}

bool EncodeTwoImg(std::vector<uint8_t>& file, std::span<const uint8_t> sectors)
{
    Header header;
    if (!ReadHeader(file, header).empty() || (header.flags & kWriteProtectedFlag)) return false;
    auto data = file.begin() + static_cast<ptrdiff_t>(header.data.offset);
    if (header.format != kFormatNibbles) {
        if (sectors.size() != header.data.length) return false;
        std::copy(sectors.begin(), sectors.end(), data);
        return true;
    }
    std::vector<uint8_t> tracks(data, data + static_cast<ptrdiff_t>(header.data.length));
    if (!EncodeNibbleImage(tracks, sectors) || tracks.size() != header.data.length) return false;
    std::copy(tracks.begin(), tracks.end(), data);
    return true;
}
