// The driver's settings: the [TovinMPEG] section of cdvideo.ini in the Windows system folder
// (what each key does is written beside CdSettings in cdmodules.h).
#pragma once

#include "drivers/cdmodules.h"

#include <cstdint>
#include <span>
#include <string>

namespace cddriver {

struct SettingKey {
    const char* key;
    std::int32_t CdSettings::*field;
    std::int32_t shipped; // the value of the shipped cdvideo.ini, used when a key is missing
};

// The keys in the order of the shipped file.
std::span<const SettingKey> setting_keys();

// DOS path of cdvideo.ini.
std::string settings_file();

// The settings as the file has them; a missing file, key or non-numeric value gives the shipped value.
CdSettings read_settings();
// Writes every key; false when the file could not be written.
bool write_settings(const CdSettings& settings);

} // namespace cddriver
