// VideoCDs: "==CDI" and the VCDVideo type opened alone play the disc in the first CD drive,
// mounted as a folder or read raw from a .cue/.bin image; damaged discs give errors.
#include "PackageTest.h"

#include "MediaFixtures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace fs = std::filesystem;
using package_test::PackageTest;

namespace {

class VideoCdTest : public PackageTest {
  protected:
    void SetUp() override {
        PackageTest::SetUp();
        install_package();
    }

    // The two-track disc of 4 and 6 seconds, as one medium.
    void expect_two_track_disc() {
        EXPECT_EQ(number("status xyzmpeg number of tracks wait"), 2);
        EXPECT_NEAR(double(number("status xyzmpeg length wait")), 10000.0, 100.0);
        EXPECT_EQ(send("where xyzmpeg source wait"), 0u);
        EXPECT_EQ(reply, "0 0 352 288");
        // Play runs from the first track into the second.
        ASSERT_EQ(send("seek xyzmpeg to 3800 wait"), 0u);
        ASSERT_EQ(send("play xyzmpeg to 4400 wait"), 0u);
        EXPECT_NEAR(double(number("status xyzmpeg position wait")), 4400.0, 40.0);
    }
};

} // namespace

TEST_F(VideoCdTest, raw_image_in_the_drive_plays_its_tracks_as_one_medium) {
    std::string cue = media::test::vcd_image(true);
    ASSERT_FALSE(cue.empty()) << "vcdimager could not make the disc";
    insert_raw_disc('d', cue);
    ASSERT_EQ(send("open ==CDI type VCDVideo alias xyzmpeg parent 0 style popup wait"), 0u) << reply;
    expect_two_track_disc();
    EXPECT_EQ(send("info xyzmpeg product wait"), 0u);
    EXPECT_EQ(reply, "Reelix VideoCD Player (GDI)");
}

TEST_F(VideoCdTest, mounted_disc_folder_plays_the_same_disc) {
    std::string folder = media::test::vcd_folder();
    ASSERT_FALSE(folder.empty());
    insert_disc_folder('e', folder);
    ASSERT_EQ(send("open ==CDI type VCDVideo alias xyzmpeg wait"), 0u) << reply;
    expect_two_track_disc();
}

TEST_F(VideoCdTest, the_player_open_forms_reach_the_disc) {
    insert_raw_disc('d', media::test::vcd_image(true));
    const char* forms[] = {
        "open ==CDI type VCDVideo alias xyzmpeg style popup wait",
        "open ==CDI type VCDVideo alias xyzmpeg wait",
        "open VCDVideo alias xyzmpeg wait", // the type alone: the disc in the drive
        "open ==cdi type vcdvideo alias xyzmpeg wait",
        "open ==CDI type MPEGMovie alias xyzmpeg wait",
    };
    for (const char* form : forms) {
        ASSERT_EQ(send(form), 0u) << form << ": " << reply;
        EXPECT_EQ(number("status xyzmpeg number of tracks wait"), 2) << form;
        ASSERT_EQ(send("close xyzmpeg wait"), 0u);
    }
}

TEST_F(VideoCdTest, only_the_first_cd_drive_counts) {
    insert_raw_disc('d', media::test::vcd_image(false));
    insert_raw_disc('f', media::test::vcd_image(true));
    ASSERT_EQ(send("open ==CDI type VCDVideo alias xyzmpeg wait"), 0u) << reply;
    EXPECT_EQ(number("status xyzmpeg number of tracks wait"), 1);
}

TEST_F(VideoCdTest, no_cd_drive_means_the_device_is_not_ready) {
    EXPECT_EQ(send("open ==CDI type VCDVideo alias xyzmpeg wait"), MCIERR_DEVICE_NOT_READY);
    EXPECT_EQ(send("open VCDVideo alias xyzmpeg wait"), MCIERR_DEVICE_NOT_READY);
    // The alias stays free for the next attempt.
    EXPECT_EQ(send("status xyzmpeg mode wait"), MCIERR_INVALID_DEVICE_NAME);
}

TEST_F(VideoCdTest, damaged_discs_give_an_error_not_a_crash) {
    const fs::path cue_fixture = media::test::vcd_image(true);
    const fs::path folder_fixture = media::test::vcd_folder();
    ASSERT_FALSE(cue_fixture.empty());
    ASSERT_FALSE(folder_fixture.empty());
    auto garbage = [](const fs::path& file, std::size_t size) {
        std::string bytes(size, '\0');
        std::uint32_t state = 12345;
        for (char& c : bytes)
            c = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    };
    struct Damage {
        const char* what;
        bool raw; // a .cue/.bin image in D:, or a mounted folder in E:
        std::function<void(const fs::path& cue, const fs::path& bin, const fs::path& folder)> apply;
    };
    const Damage cases[] = {
        {"cue naming a missing bin", true, [](auto&, auto& bin, auto&) { fs::remove(bin); }},
        {"cue of garbage", true,
         [](auto& cue, auto&, auto&) {
             std::ofstream(cue, std::ios::trunc) << "\x01\x02 FILE \"\n TRACK x";
         }},
        {"empty bin", true, [](auto&, auto& bin, auto&) { fs::resize_file(bin, 0); }},
        {"bin of noise", true, [&](auto&, auto& bin, auto&) { garbage(bin, fs::file_size(bin)); }},
        {"DAT files of noise", false,
         [&](auto&, auto&, auto& folder) {
             for (const char* name : {"AVSEQ01.DAT", "AVSEQ02.DAT"})
                 garbage(folder / "MPEGAV" / name, 200000);
         }},
        {"empty MPEGAV folder", false,
         [](auto&, auto&, auto& folder) {
             for (const char* name : {"AVSEQ01.DAT", "AVSEQ02.DAT"})
                 fs::remove(folder / "MPEGAV" / name);
         }},
    };
    int index = 0;
    for (const Damage& damage : cases) {
        fs::path place = prefix.root() / ("damaged" + std::to_string(index++));
        fs::create_directories(place);
        fs::path cue = place / cue_fixture.filename();
        fs::path bin = fs::path(cue).replace_extension(".bin");
        fs::copy_file(cue_fixture, cue);
        fs::copy_file(fs::path(cue_fixture).replace_extension(".bin"), bin);
        fs::copy(folder_fixture, place / "folder", fs::copy_options::recursive);
        damage.apply(cue, bin, place / "folder");
        fs::remove(prefix.root() / "dosdevices" / "d::");
        fs::remove(prefix.root() / "dosdevices" / "e:");
        fs::remove(prefix.root() / "drives.ini");
        if (damage.raw)
            insert_raw_disc('d', cue);
        else
            insert_disc_folder('e', place / "folder");
        EXPECT_NE(send("open ==CDI type VCDVideo alias xyzmpeg wait"), 0u) << damage.what;
        // The failed open leaves the alias free.
        EXPECT_EQ(send("status xyzmpeg mode wait"), MCIERR_INVALID_DEVICE_NAME) << damage.what;
        send("close xyzmpeg wait");
    }
}
