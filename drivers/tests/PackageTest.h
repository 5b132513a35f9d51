// Test helpers for the MPEG driver package: a fresh prefix with the package installed as the
// player installs it (the five files in WINDOWS\SYSTEM, the two [mci] entries in SYSTEM.INI), CD
// drives holding VideoCD images or folders, the DCI name written into cdvideo.dll as the
// installer writes it, and the settings file.
#pragma once

#include "VideoTestSupport.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QDialog;

namespace package_test {

// The package as built (bin/drivers).
std::filesystem::path package_folder();
// The package files in the order the player installs them.
const std::vector<std::string>& package_files();

// Writes the DCI names into the placeholders of a copy of cdvideo.dll as the installer does:
// first and third occurrence get the short name, the second the file name, each followed by a
// zero byte.
void write_display_driver(const std::filesystem::path& module, std::string_view file_name);

// Answers the device's modal settings dialog once it shows: `change` sets its controls, then OK
// or Cancel. Call before the command that shows it.
void answer_settings_dialog(std::function<void(QDialog&)> change, bool ok);

class PackageTest : public video_test::VideoDeviceTest {
  protected:
    void SetUp() override;

    std::filesystem::path system_folder() const;
    // Copies the package files except those named in `leave_out`.
    void install_files(const std::vector<std::string>& leave_out = {});
    // The two [mci] entries of the package.
    void register_types();
    // Both: a prefix with the package installed.
    void install_package();
    // Makes `letter` a CD drive: a raw disc (the x:: entry naming an image or device) or a
    // mounted disc folder (the x: entry, typed as a CD drive in drives.ini).
    void insert_raw_disc(char letter, const std::filesystem::path& image);
    void insert_disc_folder(char letter, const std::filesystem::path& folder);
    // One key of the [TovinMPEG] section of the installed cdvideo.ini.
    void set_setting(const std::string& key, const std::string& value);
    std::string setting(const std::string& key);
};

} // namespace package_test
