#include "DriverSettings.h"

#include "host/kernel32.h"

#include <cstdlib>

namespace cddriver {

namespace {

constexpr const char* section = "TovinMPEG";

constexpr SettingKey keys[] = {
    {"Scale", &CdSettings::scale, 1},        {"DspAudio", &CdSettings::dsp_audio, 0},
    {"Rate", &CdSettings::rate, 1},          {"DCI", &CdSettings::dci, 1},
    {"SampRate", &CdSettings::samp_rate, 2}, {"Stereo", &CdSettings::stereo, 1},
    {"Crop", &CdSettings::crop, 0},
};

} // namespace

std::span<const SettingKey> setting_keys() {
    return keys;
}

std::string settings_file() {
    char folder[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    std::string windows = length > 0 && length < sizeof folder ? folder : "C:\\WINDOWS";
    return windows + "\\SYSTEM\\cdvideo.ini";
}

CdSettings read_settings() {
    CdSettings settings{};
    std::string file = settings_file();
    for (const SettingKey& key : keys) {
        char value[64] = {};
        GetPrivateProfileStringA(section, key.key, "", value, sizeof value, file.c_str());
        char* end = nullptr;
        long number = std::strtol(value, &end, 10);
        bool numeric = end != value && number >= -1000000 && number <= 1000000;
        settings.*key.field = numeric ? static_cast<std::int32_t>(number) : key.shipped;
    }
    return settings;
}

bool write_settings(const CdSettings& settings) {
    std::string file = settings_file();
    bool written = true;
    for (const SettingKey& key : keys)
        written = WritePrivateProfileStringA(section, key.key, std::to_string(settings.*key.field).c_str(),
                                             file.c_str()) &&
                  written;
    return written;
}

} // namespace cddriver
