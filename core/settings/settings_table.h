// The settings file's schema, one row a key: what a first run writes and
// where a start-up load puts the value. Portable: settings.cpp reads and
// writes the file itself through the private-profile calls.
#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kCustomColourCount = 16;  // custom colours of a colour dialog

// The "Standard" default font: what a first run stores and what the
// Preferences sheet's "Standard" restores.
inline constexpr const char* kStandardFontName = "Courier New";
inline constexpr const char* kStandardFontSize = "9";  // points

// Values as loaded at start-up. Flags keep their text so that a reader can
// apply its own test (most want exactly "TRUE", Run edited Program anything
// but "FALSE"). Colours are 0x00BBGGRR, red in the low byte.
struct Settings {
    std::string quitPrompt;
    std::string hiLightGotoLine, matchCaseFind, printBlack, clientScroll;
    std::string delPrompt, openDir;
    std::string writeImagesDirectly;  // Save and the browser write into images themselves
    std::string sourceDirectory;  // "Src"
    std::string stdFont, a2Font, otherFont;
    std::string fontName, fontSize;
    // `CurrentFontName` and `CurrentFontSize`: what new text gets; they follow
    // the font boxes and the selection between document creations.
    std::string currentFontName, currentFontSize;
    std::string fontItalic, fontBold, fontUnderline;
    std::string fontColorText;
    std::string stopDuplicates, retainFormat, wordWrap;
    std::string tab, numTabs;
    std::string checkBeforeRun;  // Run edited Program offers Check Program's findings first
    std::string custBkgrndColor[kCustomColourCount];
    std::string custFontColor[kCustomColourCount];
    std::string syntaxColorText;
    int syntaxColor = 0;  // 1 when colouring is on
    uint32_t fontColor = 0;
    uint32_t backgroundColour = 0xFFFFFF;
    uint32_t remColor = 0, quoteColor = 0, tokenColor = 0, singleColor = 0;
    int emulatorCount = 0;
};

// Where a loaded value lives: a text slot cut to `chars` characters, a
// parsed number, or both (then the number is parsed from the cut text).
// Keys with "%i" fill `texts`, one key for each index from 0.
struct SettingSlot {
    std::string Settings::*text = nullptr;
    std::string (Settings::*texts)[kCustomColourCount] = nullptr;
    size_t chars = 0;
    uint32_t Settings::*colour = nullptr;
    int Settings::*decimal = nullptr;
    int Settings::*flag = nullptr;  // 1 when the text is "TRUE", else 0
};

// A first run writes `text`, or the start directory, or one key for each of
// `texts` (the row's key with "%i" from 1), or nothing.
struct FirstRun {
    const char* text = nullptr;
    bool startDirectory = false;
    std::span<const char* const> texts = {};
};
inline constexpr FirstRun kNotWritten = {};
inline constexpr FirstRun kStartDirectory = {nullptr, true};

struct SettingRow {
    const char* section;
    const char* key;
    FirstRun firstRun;
    SettingSlot slot;  // empty for keys that are not loaded at start-up
    // What a start-up load takes for the key when the file lacks it; null
    // for the usual "TRUE". A setting added after the first run is written
    // reads as off in an older file this way.
    const char* absent = nullptr;
};

// The sections of the settings file.
inline constexpr const char* kDataSection = "Data";
inline constexpr const char* kGeneralSection = "General";
inline constexpr const char* kPromptsSection = "Prompts";
inline constexpr const char* kDirectoriesSection = "Directories";
inline constexpr const char* kDisplaySection = "Display";
inline constexpr const char* kSyntaxColorSection = "SyntaxColor";
inline constexpr const char* kEmulatorsSection = "Emulators";
inline constexpr const char* kUtilitiesSection = "Utilities";
inline constexpr const char* kCommandsSection = "Commands";
inline constexpr const char* kMainWindowSection = "MainWindowSize";

// The Utilities list: entry n (from 1) is kept under the keys with "%i"
// replaced by n, and the number of entries under "Number".
inline constexpr const char* kUtilityCountKey = "Number";
inline constexpr const char* kUtilityNameKey = "Utility[%i]";
inline constexpr const char* kUtilityPathKey = "Utility[%i]Path";
inline constexpr const char* kUtilityAutoRunKey = "Utility[%i]AutoRun";

// The Commands list: entry n (from 1) under the keys with "%i" replaced by
// n, the number of entries under "Number".
inline constexpr const char* kCommandCountKey = "Number";
inline constexpr const char* kCommandNameKey = "CMD[%i]";
inline constexpr const char* kCommandAcceleratorKey = "CMD[%i]Accelerator";
inline constexpr const char* kCommandScriptKey = "CMD[%i]Script";

// The emulators' window titles, tried in turn: "Name[1]" to "Name[Number]".
inline constexpr const char* kEmulatorNameKey = "Name[%i]";

// The frame's rectangle at the last exit, in screen pixels.
inline constexpr const char* kWindowLeftKey = "Left";
inline constexpr const char* kWindowTopKey = "Top";
inline constexpr const char* kWindowWideKey = "Wide";
inline constexpr const char* kWindowHighKey = "High";

// The disk image used last: its name without folder.
inline constexpr const char* kLastImageKey = "LastImage";

// Every row in the order a first run writes the file.
std::span<const SettingRow> SettingRows();

// The row that loads into a member of Settings: its text slot, its parsed
// colour or its custom colours. Every member named exists in the table.
const SettingRow& RowOf(std::string Settings::*text);
const SettingRow& RowOf(uint32_t Settings::*colour);
const SettingRow& RowOf(std::string (Settings::*texts)[kCustomColourCount]);

// One key to store, in the order it is stored.
struct SettingWrite {
    std::string section;
    std::string key;
    std::string value;
    bool operator==(const SettingWrite&) const = default;
};
using SettingWrites = std::vector<SettingWrite>;
// The key of a member's row with the member's value: a text slot as it is,
// a colour as colour text, custom colours as one key for each index.
SettingWrite WriteOf(const Settings& settings, std::string Settings::*text);
SettingWrite WriteOf(const Settings& settings, uint32_t Settings::*colour);
SettingWrites WritesOf(const Settings& settings, std::string (Settings::*texts)[kCustomColourCount]);

// The first run is told by the absence of this one key; it is loaded with
// the missing-key text as its default, every other key with "TRUE".
inline constexpr const char* kFirstRunProbeSection = kPromptsSection;
inline constexpr const char* kFirstRunProbeKey = "QuitPrompt";

// One key written on a first run, in the order it is written.
struct DefaultSetting {
    std::string section;
    std::string key;
    std::string value;
};
// Every first-run key in writing order; "Src" receives `startDirectory`.
std::vector<DefaultSetting> FirstRunDefaults(std::string_view startDirectory);

// Reads one key, giving `missing` when the file lacks it.
using SettingReader = std::function<std::string(const char* section, const char* key, std::string_view missing)>;
// Fills `settings` from every loaded row, and the current font from the
// configured one.
void LoadSettingRows(Settings& settings, const SettingReader& read);
