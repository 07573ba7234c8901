// Settings texts: parsing, formatting and the first-run defaults.
#include "settings/setting_values.h"

#include <climits>
#include <cstdio>
#include <vector>

#include "resources/resource.h"

bool ParseFlag(std::string_view text) { return text == "TRUE"; }

int ParseDecimal(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

uint32_t ParseColour(std::string_view text)
{
    uint32_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else break;
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return value & 0x00FFFFFFu;
}

std::string FormatColour(uint32_t colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "%X", colour);
    return text;
}

std::string FormatDecimal(int value) { return std::to_string(value); }

std::string FitSlot(std::string_view value, size_t slotChars)
{
    return std::string(value.substr(0, slotChars));
}

std::vector<DefaultSetting> FirstRunDefaults(std::string_view startDirectory)
{
    std::vector<DefaultSetting> d = {
        {"Data", "Version", TAVO_VERSION_TEXT},
        {"General", "HiLightGotoLine", "TRUE"},
        {"General", "MatchCaseFind", "FALSE"},
        {"General", "PrintBlack", "TRUE"},
        {"General", "ClientScroll", "FALSE"},
        {"Prompts", "QuitPrompt", "TRUE"},
        {"Prompts", "DelPrompt", "TRUE"},
        {"Prompts", "OpenDir", "TRUE"},
        {"Directories", "Src", std::string(startDirectory)},
        {"Display", "BkgrndColor", "FFFFFF"},
        {"Display", "STDFont", "TRUE"},
        {"Display", "A2Font", "FALSE"},
        {"Display", "OtherFont", "FALSE"},
        {"Display", "FontName", "Courier New"},
        {"Display", "FontSize", "9"},
        {"Display", "FontColor", "000000"},
        {"Display", "FontItalic", "FALSE"},
        {"Display", "FontBold", "FALSE"},
        {"Display", "FontUnderline", "FALSE"},
        {"Display", "RetainFormat", "TRUE"},
        {"Display", "WordWrap", "FALSE"},
        {"Display", "StopDuplicates", "FALSE"},
        {"Display", "Tab", "5"},
        {"Display", "NumTabs", "20"},
        {"SyntaxColor", "SyntaxColor", "TRUE"},
        {"SyntaxColor", "RemColor", "0000FF"},
        {"SyntaxColor", "QuoteColor", "BB0000"},
        {"SyntaxColor", "TokenColor", "00BB00"},
        {"SyntaxColor", "SingleColor", "BB00BB"},
        {"Emulators", "Number", "6"},
    };
    static const char* const kEmulatorTitles[] = {
        "Enhanced Apple //e Emulator", "Apple //e Emulator", "Apple ][ Emulator",
        "Apple ][+ Emulator",          "Pravets 82 Emulator", "Pravets 8A Emulator",
    };
    int n = 1;
    for (const char* title : kEmulatorTitles)
        d.push_back({"Emulators", "Name[" + std::to_string(n++) + "]", title});
    d.push_back({"Utilities", "Number", "0"});
    return d;
}

std::string JoinStartPath(std::string_view directory, std::string_view fileName)
{
    std::string path(directory);
    if (path.empty() || path.back() != '\\') path += '\\';
    path += fileName;
    return path;
}

std::string MenuTextWithTabs(std::string_view stored)
{
    std::string text(stored);
    // Scans from the first to the second-last character; each backslash-"t"
    // pair becomes a space and a tab, keeping the text's length.
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '\\' && text[i + 1] == 't') {
            text[i] = ' ';
            text[i + 1] = '\t';
        }
    }
    return text;
}
