// The codes a Disk II writes bytes in: 4-and-4 for the address fields, and
// for the data fields 6-and-2 (16 sectors a track) or 5-and-3 (13 sectors).
#pragma once
#include <cstdint>
#include <span>

constexpr int kData62Nibbles = 343;  // 86 + 256 six-bit values and the checksum
constexpr int kData53Nibbles = 411;  // 154 + 256 five-bit values and the checksum

// One byte as two disk bytes, odd bits first: 1a1c1e1g 1b1d1f1h.
inline bool Valid44(uint8_t odd, uint8_t even) { return (odd & 0xAA) == 0xAA && (even & 0xAA) == 0xAA; }
inline uint8_t Decode44(uint8_t odd, uint8_t even) { return static_cast<uint8_t>(((odd << 1) | 1) & even); }
inline uint8_t Encode44Odd(uint8_t value) { return static_cast<uint8_t>((value >> 1) | 0xAA); }
inline uint8_t Encode44Even(uint8_t value) { return static_cast<uint8_t>(value | 0xAA); }

// Decode a data field's disk bytes into 256 bytes; false when a disk byte is
// not in the code or the checksum does not match.
bool DecodeData62(std::span<const uint8_t, kData62Nibbles> field, std::span<uint8_t, 256> out);
bool DecodeData53(std::span<const uint8_t, kData53Nibbles> field, std::span<uint8_t, 256> out);
// The disk bytes of a data field for 256 bytes, as DOS 3.3 writes them.
void EncodeData62(std::span<const uint8_t, 256> data, std::span<uint8_t, kData62Nibbles> field);
