// The device types exist only with the package registered in SYSTEM.INI and its files in the
// Windows system folder.
#include "PackageTest.h"

#include "MediaFixtures.h"

#include <gtest/gtest.h>

using package_test::PackageTest;

namespace {

struct LoadingCase {
    const char* name;
    bool registered;
    std::vector<std::string> files_left_out; // {"*"}: no file at all
    MCIERROR expected;
};

class DriverLoading : public PackageTest, public ::testing::WithParamInterface<LoadingCase> {};

} // namespace

TEST_P(DriverLoading, opens_both_types_only_when_registered_and_complete) {
    const LoadingCase& c = GetParam();
    if (c.files_left_out != std::vector<std::string>{"*"})
        install_files(c.files_left_out);
    if (c.registered)
        register_types();
    insert_disc_folder('d', media::test::vcd_folder());
    std::string clip = install(video_test::Clip::Mpeg1, "CLIP.MPG");
    EXPECT_EQ(send("open " + clip + " type MPEGMovie alias xyzmpeg wait"), c.expected) << reply;
    send("close xyzmpeg wait");
    EXPECT_EQ(send("open ==CDI type VCDVideo alias xyzmpeg wait"), c.expected) << reply;
}

INSTANTIATE_TEST_SUITE_P(
    Package, DriverLoading,
    ::testing::Values(LoadingCase{"not_registered", false, {}, MCIERR_INVALID_DEVICE_NAME},
                      LoadingCase{"registered_without_files", true, {"*"}, MCIERR_DEVICE_NOT_INSTALLED},
                      LoadingCase{"driver_file_missing", true, {"cddriver.drv"}, MCIERR_DEVICE_NOT_INSTALLED},
                      LoadingCase{"audio_module_missing", true, {"cdaudio.dll"}, MCIERR_DEVICE_NOT_INSTALLED},
                      LoadingCase{
                          "display_module_missing", true, {"cddisp.dll"}, MCIERR_DEVICE_NOT_INSTALLED},
                      LoadingCase{"installed", true, {}, 0u}),
    [](const ::testing::TestParamInfo<LoadingCase>& info) { return std::string(info.param.name); });

TEST_F(PackageTest, sysinfo_lists_the_registered_types) {
    install_package();
    EXPECT_EQ(send("sysinfo all quantity wait"), 0u);
    int count = std::stoi(reply);
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
        ASSERT_EQ(send("sysinfo all name " + std::to_string(i) + " wait"), 0u);
        names.push_back(reply);
    }
    EXPECT_NE(std::find(names.begin(), names.end(), "VCDVideo"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "MpegMovie"), names.end());
}

// A module file that is there but is no library: the driver cannot load.
TEST_F(PackageTest, module_that_is_not_a_library_cannot_load) {
    install_package();
    prefix.write("C:\\WINDOWS\\SYSTEM\\cdvideo.dll", "MZ not a library");
    std::string clip = install(video_test::Clip::Mpeg1, "CLIP.MPG");
    EXPECT_EQ(send("open " + clip + " type MPEGMovie alias xyzmpeg wait"), MCIERR_CANNOT_LOAD_DRIVER);
}
