// The start-up output folder: drive and directory of a DOS path.
#include "core/OutputFolder.h"
#include "core/Player.h"

#include "TempPrefix.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(OutputFolder, keeps_drive_and_directory_and_drops_the_name) {
    struct Case {
        const char* path;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\MOVIES\\CLIP.MPG", "C:\\MOVIES\\"}, {"C:\\CLIP.MPG", "C:\\"}, {"C:CLIP.MPG", "C:"},
        {"\\MOVIES\\CLIP.MPG", "\\MOVIES\\"},     {"CLIP.MPG", ""},         {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(player::drive_and_directory(c.path), c.folder) << c.path;
}

TEST(OutputFolder, is_the_current_folder_as_a_dos_path_ending_in_a_backslash) {
    TempPrefix prefix;
    const auto saved = std::filesystem::current_path();
    std::filesystem::create_directories(prefix.drive_c() / "CAPTURES");
    std::filesystem::current_path(prefix.drive_c() / "CAPTURES");
    player::set_output_folder();
    std::filesystem::current_path(saved);
    EXPECT_STREQ(player::state.output_folder, "C:\\CAPTURES\\");
}

} // namespace
