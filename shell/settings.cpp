// Loading the settings file; every value is text in an INI file read and
// written only through the private-profile calls.
#include "shell/settings.h"
#include "core/text/buffer_size.h"

#include <windows.h>

#include <utility>

Settings g_settings;

namespace {

std::string g_settingsPath;

}  // namespace

void SetSettingsPath(std::string path) { g_settingsPath = std::move(path); }

const std::string& SettingsPath() { return g_settingsPath; }

std::string ReadSetting(const char* section, const char* key, std::string_view missing)
{
    char value[kTextBufferChars] = {};
    std::string fallback(missing);
    GetPrivateProfileStringA(section, key, fallback.c_str(), value, sizeof value, g_settingsPath.c_str());
    return value;
}

void WriteSetting(const char* section, const char* key, const char* value)
{
    WritePrivateProfileStringA(section, key, value, g_settingsPath.c_str());
}

std::string ReadSetting(const SettingRow& row, std::string_view missing)
{
    return ReadSetting(row.section, row.key, missing);
}

void StoreSettings(const SettingWrites& writes)
{
    for (const SettingWrite& write : writes) WriteSetting(write.section.c_str(), write.key.c_str(), write.value.c_str());
}

void RememberSourceDirectory(const std::string& directory)
{
    g_settings.sourceDirectory = directory;
    StoreSettings({WriteOf(g_settings, &Settings::sourceDirectory)});
}

void WriteDefaultSettings(std::string_view startDirectory)
{
    MessageBeep(MB_OK);
    for (const DefaultSetting& d : FirstRunDefaults(startDirectory))
        WriteSetting(d.section.c_str(), d.key.c_str(), d.value.c_str());
}

void LoadSettings(std::string_view startDirectory)
{
    if (ReadSetting(kFirstRunProbeSection, kFirstRunProbeKey, kMissingKeyText) == kMissingKeyText)
        WriteDefaultSettings(startDirectory);
    LoadSettingRows(g_settings, [](const char* section, const char* key, std::string_view missing) {
        return ReadSetting(section, key, missing);
    });
}

void RemoveNumberedEntry(const char* section, std::initializer_list<const char*> keyFormats, const char* countKey,
                         int n, int count)
{
    for (int k = n; k < count; ++k) {
        for (const char* format : keyFormats) {
            std::string value = ReadSetting(section, IndexedKey(format, k + 1).c_str());
            WriteSetting(section, IndexedKey(format, k).c_str(), value == kMissingKeyText ? nullptr : value.c_str());
        }
    }
    for (const char* format : keyFormats) WriteSetting(section, IndexedKey(format, count).c_str(), nullptr);
    WriteSetting(section, countKey, FormatDecimal(count - 1).c_str());
}
