// Device types from SYSTEM.INI [mci]: sysinfo lists them, built-in devices serve the system's
// drivers, and entries without a device give the Windows errors.

#include "winmm/DeviceRegistry.h"
#include "RecordingDevice.h"

using namespace mci_test;

namespace {

class Registry : public MciFixture {};

TEST_F(Registry, sysinfo_lists_the_mci_entries_in_file_order) {
    std::vector<MciEntry> entries = mci_entries();
    ASSERT_FALSE(entries.empty());
    ASSERT_EQ(send("sysinfo all quantity wait"), 0u);
    EXPECT_EQ(reply, std::to_string(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        ASSERT_EQ(send("sysinfo all name " + std::to_string(i + 1) + " wait"), 0u);
        EXPECT_EQ(reply, entries[i].name);
    }
    EXPECT_EQ(entries.back().name, "TestVideo");
    EXPECT_EQ(send("sysinfo all name " + std::to_string(entries.size() + 1)), MCIERR_OUTOFRANGE);
}

TEST_F(Registry, entries_keep_the_case_of_their_key_and_split_off_driver_parameters) {
    ASSERT_TRUE(WritePrivateProfileStringA("mci", "MpegMovie", "CDDRIVER.DRV", "C:\\WINDOWS\\SYSTEM.INI"));
    ASSERT_TRUE(WritePrivateProfileStringA("mci", "waveaudio", "mciwave.drv 4", "C:\\WINDOWS\\SYSTEM.INI"));
    std::optional<MciEntry> movie = find_mci_entry("MPEGMOVIE");
    ASSERT_TRUE(movie);
    EXPECT_EQ(movie->name, "MpegMovie");
    EXPECT_EQ(movie->driver_file, "CDDRIVER.DRV");
    std::optional<MciEntry> wave = find_mci_entry("waveaudio");
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->driver_file, "mciwave.drv");
    EXPECT_EQ(wave->parameters, "4");
}

TEST_F(Registry, type_registered_while_the_program_runs_is_found_at_once) {
    EXPECT_EQ(send("open Later alias l"), MCIERR_INVALID_DEVICE_NAME);
    ASSERT_TRUE(WritePrivateProfileStringA("mci", "Later", "MCITEST.DRV", "C:\\WINDOWS\\SYSTEM.INI"));
    EXPECT_EQ(send("open Later alias l"), 0u);
    EXPECT_EQ(send("sysinfo l installname"), 0u);
    EXPECT_EQ(reply, "Later");
}

TEST_F(Registry, sysinfo_by_standard_type_counts_devices_of_that_type) {
    EXPECT_EQ(send("sysinfo digitalvideo quantity"), 0u);
    EXPECT_EQ(reply, "1") << "only TestVideo has a device to ask";
    EXPECT_EQ(send("sysinfo digitalvideo name 1"), 0u);
    EXPECT_EQ(reply, "TestVideo");
    EXPECT_EQ(send("sysinfo waveaudio quantity open"), 0u);
    EXPECT_EQ(reply, "0");
}

TEST_F(Registry, module_entries_without_a_loadable_file_give_windows_errors) {
    ASSERT_TRUE(WritePrivateProfileStringA("mci", "Gone", "gone.drv", "C:\\WINDOWS\\SYSTEM.INI"));
    EXPECT_EQ(send("open Gone alias g"), MCIERR_DEVICE_NOT_INSTALLED);
    prefix.write("C:\\WINDOWS\\SYSTEM\\BROKEN.DRV", "this is not a shared object");
    ASSERT_TRUE(WritePrivateProfileStringA("mci", "Broken", "broken.drv", "C:\\WINDOWS\\SYSTEM.INI"));
    EXPECT_EQ(send("open Broken alias b"), MCIERR_CANNOT_LOAD_DRIVER);
    EXPECT_EQ(send("open avivideo alias a"), MCIERR_CANNOT_LOAD_DRIVER) << "no built-in device registered";
    EXPECT_EQ(send("sysinfo all quantity open"), 0u);
    EXPECT_EQ(reply, "0");
}

TEST_F(Registry, builtin_device_registered_for_a_system_driver_serves_its_type) {
    register_builtin_device("MCIAVI.DRV", [] { return std::make_unique<RecordingDevice>(); });
    EXPECT_EQ(send("open C:\\CLIPS\\A.AVI type avivideo alias xyzmpeg parent 5 style popup wait"), 0u);
    EXPECT_EQ(send("open C:\\CLIPS\\B.AVI alias b"), 0u) << "through WIN.INI [mci extensions]";
    EXPECT_EQ(send("sysinfo b installname"), 0u);
    EXPECT_EQ(reply, "avivideo");
    mciSendStringA("close all", nullptr, 0, nullptr);
    unregister_builtin_device("mciavi.drv");
}

} // namespace
