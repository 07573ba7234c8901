// Parsing and formatting of the texts stored in the settings file, and the
// first-run defaults. Portable: the file itself is read through the
// private-profile calls (settings.cpp).
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The text a start-up read gives for a key that is absent from the file.
inline constexpr std::string_view kAbsentKeyText = "TRUE";
// The text every other reader passes as the default for an absent key.
inline constexpr std::string_view kMissingKeyText = "INI not found!";

// In-memory slot sizes in characters (their buffers hold one more byte).
inline constexpr size_t kFlagSlotChars = 7;
inline constexpr size_t kFontNameSlotChars = 31;  // the rich-edit face-name limit
inline constexpr size_t kFontSizeSlotChars = 11;
inline constexpr size_t kColourSlotChars = 11;
inline constexpr size_t kCustomColourSlotChars = 9;
inline constexpr size_t kPathSlotChars = 259;
inline constexpr size_t kMaxTabStops = 32;  // a rich-edit paragraph holds no more

// A flag is on only when its text is exactly "TRUE".
bool ParseFlag(std::string_view text);
// Signed decimal with optional leading blanks and sign; text that does not
// begin with a number gives 0; values beyond the int range are clamped.
int ParseDecimal(std::string_view text);
// Hexadecimal colour 0x00BBGGRR; stops at the first non-hex character, so
// text that is not hexadecimal gives 0 (black). Only the 24 colour bits are kept.
uint32_t ParseColour(std::string_view text);
// "%0X": upper-case hexadecimal without leading zeros ("FF" is pure red).
std::string FormatColour(uint32_t colour);
// "%i".
std::string FormatDecimal(int value);
// The value cut to fit its slot.
std::string FitSlot(std::string_view value, size_t slotChars);

// One key written on a first run, in the order it is written.
struct DefaultSetting {
    std::string section;
    std::string key;
    std::string value;
};
// Every first-run key in writing order; "Src" receives `startDirectory`.
std::vector<DefaultSetting> FirstRunDefaults(std::string_view startDirectory);

// `directory` + "\" (unless it already ends with one) + `fileName`.
std::string JoinStartPath(std::string_view directory, std::string_view fileName);

// A Commands menu text with each backslash-"t" turned into a space and a tab,
// so that what follows shows right-aligned as a key hint.
std::string MenuTextWithTabs(std::string_view stored);
