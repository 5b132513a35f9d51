// Building a bundle from a program image and the five driver files, and installing the driver
// files from it into the Windows system folder, in-process on stand-in files.
#include "PackageFixture.h"

#include "core/CreationSteps.h"
#include "ops/DriverSetup.h"

#include <sys/stat.h>

#include <cstring>

namespace {

using namespace package_test;

class BuildPackage : public PackageFixture {};

TEST_F(BuildPackage, writes_the_image_the_five_files_and_the_enciphered_index_beside_the_program) {
    build();
    const std::string bundle_bytes = bytes_of(bundle());
    std::string expected = bytes_of(image);
    for (std::string const& name : driver_names())
        expected += contents[name];
    ASSERT_EQ(bundle_bytes.size(), expected.size() + 181);
    EXPECT_EQ(bundle_bytes.substr(0, expected.size()), expected);
    EXPECT_FALSE(fs::exists(image.parent_path() / "~reelp32.tmp"));

    player::PackageIndexBytes stored;
    std::copy(bundle_bytes.end() - 181, bundle_bytes.end(), stored.begin());
    EXPECT_FALSE(player::has_signature(player::index_from_bytes(stored))); // enciphered as stored
    player::decipher_index(stored);
    const player::PackageIndex index = player::index_from_bytes(stored);
    EXPECT_TRUE(player::has_signature(index));
    EXPECT_TRUE(player::index_is_sound(index, bundle_bytes.size()));
    EXPECT_STREQ(index.names[0], "reel32.exe");
    std::uint32_t offset = 0;
    for (int i = 0; i < 6; ++i) {
        const std::uint32_t size =
            i == 0 ? 4000u : static_cast<std::uint32_t>(contents[driver_names()[i - 1]].size());
        EXPECT_EQ(index.sizes[i], size) << i;
        EXPECT_EQ(index.offsets[i], offset) << i;
        EXPECT_EQ(index.reserved[i], 0u) << i;
        offset += size;
    }
    // The index in memory is plain again after the build.
    EXPECT_TRUE(player::has_signature(player::package_index));
    EXPECT_EQ(player::package_index.sizes[1], 3000u);
}

TEST_F(BuildPackage, builds_nothing_when_an_input_file_is_missing) {
    for (std::string const& name : driver_names()) {
        fs::rename(work / name, work / (name + ".away"));
        build();
        EXPECT_FALSE(fs::exists(bundle())) << name;
        EXPECT_FALSE(fs::exists(image.parent_path() / "~reelp32.tmp")) << name;
        fs::rename(work / (name + ".away"), work / name);
    }
    fs::remove(image);
    build();
    EXPECT_FALSE(fs::exists(bundle()));
}

TEST_F(BuildPackage, a_rebuild_replaces_the_bundle) {
    build();
    write_bytes(work / "cdvideo.ini", "[TovinMPEG]\r\nScale=2\r\n");
    build();
    player::package_index = {};
    install();
    EXPECT_EQ(installed("cdvideo.ini"), "[TovinMPEG]\r\nScale=2\r\n");
}

class InstallPackage : public PackageFixture {
  protected:
    void SetUp() override {
        PackageFixture::SetUp();
        build();
        player::package_index = {};
    }
};

TEST_F(InstallPackage, without_a_dci_entry_writes_the_five_files_byte_for_byte) {
    install();
    for (std::string const& name : driver_names())
        EXPECT_EQ(installed(name), contents[name]) << name;
    EXPECT_FALSE(fs::exists(system_folder() / "~reelpk.tmp"));
    EXPECT_FALSE(fs::exists(system_folder() / "reel32.exe"));
    EXPECT_FALSE(player::build_mode);
}

TEST_F(InstallPackage, writes_the_dci_name_into_the_three_slots_of_the_video_module) {
    WritePrivateProfileStringA("drivers", "DCI", "vgadci.drv", "C:\\WINDOWS\\SYSTEM.INI");
    install();
    std::string expected = contents["cdvideo.dll"];
    expected.replace(1024 + 64, 7, std::string("vgadci") + '\0');
    expected.replace(1024 + 88, 11, std::string("vgadci.drv") + '\0');
    expected.replace(1024 + 112, 7, std::string("vgadci") + '\0');
    EXPECT_EQ(installed("cdvideo.dll"), expected);
    EXPECT_EQ(installed("cdvideo.dll").substr(2100, 8), "tdci9680"); // the tail is not searched
    for (std::string const& name : driver_names()) {
        if (name != "cdvideo.dll") {
            EXPECT_EQ(installed(name), contents[name]) << name;
        }
    }
}

TEST_F(InstallPackage, a_second_start_leaves_present_files_and_writes_a_removed_one_again) {
    install();
    write_bytes(system_folder() / "cdaudio.dll", "the user's own");
    const auto inode = [&](std::string const& name) {
        struct stat status {};
        stat((system_folder() / name).c_str(), &status);
        return status.st_ino;
    };
    const auto before = inode("cddriver.drv");
    fs::remove(system_folder() / "cdvideo.ini");
    install();
    EXPECT_EQ(installed("cdaudio.dll"), "the user's own");
    EXPECT_EQ(inode("cddriver.drv"), before);
    EXPECT_EQ(installed("cdvideo.ini"), contents["cdvideo.ini"]);
}

TEST_F(InstallPackage, files_are_found_without_regard_to_case) {
    write_bytes(system_folder() / "CDDRIVER.DRV", "present");
    install();
    EXPECT_EQ(bytes_of(system_folder() / "CDDRIVER.DRV"), "present");
    EXPECT_FALSE(fs::exists(system_folder() / "cddriver.drv"));
}

TEST_F(InstallPackage, a_target_that_cannot_be_created_ends_the_installation) {
    // A folder where the file being written goes first.
    fs::create_directories(system_folder() / "~reelpk.tmp");
    const auto before = tree_of(prefix.root());
    install();
    EXPECT_EQ(tree_of(prefix.root()), before);
}

TEST_F(InstallPackage, a_link_under_the_temporary_name_is_not_written_through) {
    const fs::path victim = prefix.root().parent_path() / "victim";
    write_bytes(victim, "untouched");
    fs::create_symlink(victim, system_folder() / "~reelpk.tmp");
    install();
    EXPECT_EQ(bytes_of(victim), "untouched");
    for (std::string const& name : driver_names())
        EXPECT_EQ(installed(name), contents[name]) << name;
}

struct Hostile {
    char const* what;
    void (*change)(player::PackageIndex&);
};

class HostileIndexes : public InstallPackage, public ::testing::WithParamInterface<Hostile> {};

TEST_P(HostileIndexes, install_nothing_anywhere) {
    change_index(GetParam().change);
    const auto before = tree_of(prefix.root().parent_path());
    install();
    EXPECT_EQ(tree_of(prefix.root().parent_path()), before);
}

void name_entry(player::PackageIndex& index, int entry, char const* name) {
    std::memset(index.names[entry], 0, sizeof index.names[entry]);
    std::strncpy(index.names[entry], name, sizeof index.names[entry]);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileIndexes,
    ::testing::Values(
        Hostile{"count_not_6", [](player::PackageIndex& i) { i.count = 5; }},
        Hostile{"parent_folder", [](player::PackageIndex& i) { name_entry(i, 4, "..\\win.ini"); }},
        Hostile{"dot_dot_alone", [](player::PackageIndex& i) { name_entry(i, 4, ".."); }},
        Hostile{"sub_folder", [](player::PackageIndex& i) { name_entry(i, 2, "color\\x.dll"); }},
        Hostile{"slash", [](player::PackageIndex& i) { name_entry(i, 2, "/etc/x.dll"); }},
        Hostile{"other_drive", [](player::PackageIndex& i) { name_entry(i, 1, "z:evil.drv"); }},
        Hostile{"size_past_the_end", [](player::PackageIndex& i) { i.sizes[5] += 1000; }},
        Hostile{"offset_past_the_end", [](player::PackageIndex& i) { i.offsets[3] = 0x7FFFF000; }},
        Hostile{"offsets_not_following",
                [](player::PackageIndex& i) {
                    i.offsets[2] -= 10;
                    i.sizes[2] += 10;
                }},
        Hostile{"huge_size", [](player::PackageIndex& i) { i.sizes[3] = 0xFFFFFFFF; }}),
    [](auto const& info) { return std::string(info.param.what); });

TEST_F(InstallPackage, a_cut_bundle_or_a_file_shorter_than_an_index_installs_nothing) {
    const std::string whole = bytes_of(bundle());
    for (std::size_t keep : {whole.size() - 1, whole.size() - 100, std::size_t{180}, std::size_t{0}}) {
        write_bytes(bundle(), whole.substr(0, keep));
        const auto before = tree_of(prefix.root());
        install();
        EXPECT_EQ(tree_of(prefix.root()), before) << keep;
    }
}

// The running program here is the test program, which carries no index: the bare player.
class BarePlayer : public PackageFixture {};

TEST_F(BarePlayer, without_the_driver_files_builds_nothing_and_still_registers) {
    const fs::path program = fs::read_symlink("/proc/self/exe");
    in_folder(work.parent_path(), [] {
        player::install_driver_package();
        EXPECT_FALSE(player::carries_package_index());
        player::build_package();
        player::register_mci_drivers();
    });
    EXPECT_TRUE(player::build_mode);
    EXPECT_TRUE(player::has_signature(player::package_index));
    EXPECT_STREQ(player::package_index.names[0], "reel32.exe");
    EXPECT_FALSE(fs::exists(program.parent_path() / "reelp32"));
    EXPECT_FALSE(fs::exists(program.parent_path() / "~reelp32.tmp"));
    for (std::string const& name : driver_names())
        EXPECT_FALSE(fs::exists(system_folder() / name)) << name;
    char value[128];
    GetPrivateProfileStringA("mci", "VCDVideo", "", value, sizeof value, "C:\\WINDOWS\\SYSTEM.INI");
    EXPECT_STREQ(value, "CDDRIVER.DRV");
    GetPrivateProfileStringA("mci", "MPEGMovie", "", value, sizeof value, "C:\\WINDOWS\\SYSTEM.INI");
    EXPECT_STREQ(value, "CDDRIVER.DRV");
}

} // namespace
