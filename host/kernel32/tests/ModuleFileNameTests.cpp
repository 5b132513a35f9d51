// GetModuleFileNameA for the running program: its full DOS path, through drive Z: for a program
// outside the drive folders, as Wine names it, and in Wine's "\\?\unix" form when no drive holds it.
#include "TempPrefix.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string with_backslashes(std::string text) {
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

std::string own_module_name() {
    char name[4096] = {};
    const DWORD length = GetModuleFileNameA(nullptr, name, sizeof name);
    EXPECT_EQ(length, std::string(name).size());
    return name;
}

TEST(OwnModuleFileName, is_reached_through_drive_z_outside_the_drive_folders) {
    TempPrefix prefix;
    const std::string program = fs::read_symlink("/proc/self/exe").string();
    EXPECT_EQ(own_module_name(), "Z:" + with_backslashes(program));
}

TEST(OwnModuleFileName, outside_every_drive_it_takes_the_unix_form) {
    TempPrefix prefix;
    fs::remove(prefix.root() / "dosdevices" / "z:");
    const std::string program = fs::read_symlink("/proc/self/exe").string();
    EXPECT_EQ(own_module_name(), "\\\\?\\unix" + with_backslashes(program));
}

} // namespace
