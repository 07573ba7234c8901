// The settings file TAVO.ini and the values loaded from it at start-up.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/settings/setting_values.h"
#include "core/settings/settings_table.h"

extern Settings g_settings;

// Where the settings file is, named once at start-up before the first load.
void SetSettingsPath(std::string path);
const std::string& SettingsPath();

// Reads every start-up key into g_settings. On a first run it writes the
// defaults first, "Src" getting `startDirectory`.
void LoadSettings(std::string_view startDirectory);
void WriteDefaultSettings(std::string_view startDirectory);

// Direct access for readers and writers outside the start-up load.
std::string ReadSetting(const char* section, const char* key, std::string_view missing = kMissingKeyText);
void WriteSetting(const char* section, const char* key, const char* value);
// The key of a row of the settings table, and the keys a write names.
std::string ReadSetting(const SettingRow& row, std::string_view missing = kMissingKeyText);
void StoreSettings(const SettingWrites& writes);

// The folder of the files last opened or saved ("Src"), where the next file
// dialog starts.
void RememberSourceDirectory(const std::string& directory);

// Removes entry n (from 1) of a numbered list of `count` entries kept under
// `keyFormats` ("CMD[%i]" ...): the later entries move down one, a key
// missing in one staying missing, the last entry's keys are deleted and
// `countKey` becomes count - 1.
void RemoveNumberedEntry(const char* section, std::initializer_list<const char*> keyFormats, const char* countKey,
                         int n, int count);
