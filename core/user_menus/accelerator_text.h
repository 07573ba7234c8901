// The accelerator texts of user commands, such as "CONTROL VIRTKEY $4B".
// Portable: building the Win32 table from them is in accelerators.cpp.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// Flag bits of a Win32 accelerator entry (FVIRTKEY, FNOINVERT, FSHIFT, FCONTROL, FALT).
inline constexpr uint8_t kAccelVirtKey = 0x01;
inline constexpr uint8_t kAccelNoInvert = 0x02;
inline constexpr uint8_t kAccelShift = 0x04;
inline constexpr uint8_t kAccelControl = 0x08;
inline constexpr uint8_t kAccelAlt = 0x10;

struct AcceleratorKey {
    uint8_t flags = 0;
    uint16_t key = 0;
};

// True when `word` occurs anywhere in `text`, letters compared without case.
bool AcceleratorTextHasWord(std::string_view text, std::string_view word);

// False for "0..." and for the missing-key text: the command has no accelerator.
bool HasAccelerator(std::string_view text);

// Flags from the five words wherever they occur; key from the hexadecimal
// after the last "$" (0 without one). Empty when the text means "none".
std::optional<AcceleratorKey> ParseAcceleratorText(std::string_view text);
