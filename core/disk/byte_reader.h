// Little-endian field reads over borrowed bytes that fail instead of reading
// past the end: every offset in a disk structure comes from the image.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    // Each read returns 0 and marks the reader failed when its bytes do not
    // all lie inside the span; the failure sticks, so a caller can decode a
    // whole record and check once.
    uint32_t U8(size_t offset) { return Field(offset, 1); }
    uint32_t U16(size_t offset) { return Field(offset, 2); }
    uint32_t U24(size_t offset) { return Field(offset, 3); }
    uint32_t U32(size_t offset) { return Field(offset, 4); }
    bool Failed() const { return failed_; }
    bool Has(size_t offset, size_t count) const
    {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }

private:
    uint32_t Field(size_t offset, size_t width)
    {
        if (!Has(offset, width)) {
            failed_ = true;
            return 0;
        }
        uint32_t value = 0;
        for (size_t i = width; i-- > 0;) value = (value << 8) | bytes_[offset + i];
        return value;
    }

    std::span<const uint8_t> bytes_;
    bool failed_ = false;
};
