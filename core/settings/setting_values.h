// Parsing and formatting of the texts stored in the settings file. Portable:
// the file itself is read through the private-profile calls (settings.cpp).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The text a start-up read gives for a key that is absent from the file.
inline constexpr std::string_view kAbsentKeyText = "TRUE";
// The text every other reader passes as the default for an absent key.
inline constexpr std::string_view kMissingKeyText = "INI not found!";

// In-memory slot sizes in characters (their buffers hold one more byte).
inline constexpr size_t kShortSlotChars = 7;  // flags, tab and count values
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
// `format` with its "%i" replaced by `index` in decimal ("CMD[%i]" gives "CMD[3]").
std::string IndexedKey(std::string_view format, int index);
// A stored count of entries read as a decimal: negative counts mean none,
// and no count goes beyond `most`, what the entries' command ids can hold.
int ParseCount(std::string_view text, int most);

// Font sizes: a point is 20 twips at any screen resolution. Sizes are taken
// without sign and bounded by the largest a rich edit takes (1638 points,
// 32760 twips), so no size from the settings file can overflow.
inline constexpr int kMaxFontPoints = 1638;
inline constexpr int kTwipsPerPoint = 20;
int PointsToTwips(int points);
int TwipsToPoints(int twips);

