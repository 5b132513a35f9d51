// The package files as built: the settings file as shipped, and the placeholder slots of the
// video module where the installer writes the DCI driver's name.
#include "PackageTest.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using package_test::package_files;
using package_test::package_folder;

namespace {

std::string bytes_of(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::size_t> placeholders_in(const std::string& bytes) {
    const std::string placeholder = std::string("tdci") + "9680";
    std::vector<std::size_t> found;
    for (std::size_t at = bytes.find(placeholder); at != std::string::npos;
         at = bytes.find(placeholder, at + 1))
        found.push_back(at);
    return found;
}

} // namespace

TEST(DriverPackageFiles, settings_file_is_the_shipped_text_with_crlf_line_ends) {
    EXPECT_EQ(
        bytes_of(package_folder() / "cdvideo.ini"),
        "[TovinMPEG]\r\nScale=1\r\nDspAudio=0\r\nRate=1\r\nDCI=1\r\nSampRate=2\r\nStereo=1\r\nCrop=0\r\n");
}

TEST(DriverPackageFiles, video_module_carries_three_placeholder_slots_in_one_block) {
    std::string module = bytes_of(package_folder() / "cdvideo.dll");
    std::vector<std::size_t> found = placeholders_in(module);
    ASSERT_EQ(found.size(), 3u);
    // The installer searches each 1024-byte block at start positions 0 to 1015.
    EXPECT_EQ(found[0] / 1024, found[2] / 1024);
    EXPECT_LE(found[2] % 1024, 1015u);
    // A bare name, a file name after a backslash ending in ".drv", a bare name.
    EXPECT_EQ(module[found[0] + 8], '\0');
    EXPECT_EQ(module[found[1] - 1], '\\');
    EXPECT_EQ(module.substr(found[1] + 8, 5), std::string(".drv\0", 5));
    EXPECT_EQ(module[found[2] + 8], '\0');
}

// The installer counts every placeholder of every file it writes, in package order; one in a
// file before the video module would take the first name.
TEST(DriverPackageFiles, no_other_file_carries_the_placeholder) {
    for (const std::string& file : package_files()) {
        if (file != "cdvideo.dll") {
            EXPECT_TRUE(placeholders_in(bytes_of(package_folder() / file)).empty()) << file;
        }
    }
}
