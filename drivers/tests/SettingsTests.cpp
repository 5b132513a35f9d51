// The settings of cdvideo.ini take effect on the devices opened after them; "configure" shows the
// device's dialog over them; the DCI name written into cdvideo.dll chooses the display path.
#include "PackageTest.h"

#include "DialogFrameCheck.h"
#include "MediaFixtures.h"

#include "host/DialogResponder.h"
#include "host/kernel32.h"
#include "host/user32.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <chrono>

namespace fs = std::filesystem;
using package_test::PackageTest;

namespace {

class SettingsTest : public PackageTest {
  protected:
    void SetUp() override {
        PackageTest::SetUp();
        install_package();
        std::string source = media::test::vcd_mpeg(30);
        ASSERT_FALSE(source.empty());
        fs::copy_file(source, prefix.drive_c() / "MOVIES" / "CLIP.MPG", fs::copy_options::overwrite_existing);
    }

    MCIERROR open_clip() { return send("open C:\\MOVIES\\CLIP.MPG type MPEGMovie alias xyzmpeg wait"); }

    std::string answer(const std::string& command) {
        EXPECT_EQ(send(command), 0u) << command;
        return reply;
    }
};

struct SettingCase {
    const char* name;
    const char* key; // "" for the shipped file
    const char* value;
    const char* command;
    const char* expected;
};

class SettingAtOpen : public SettingsTest, public ::testing::WithParamInterface<SettingCase> {};

} // namespace

TEST_P(SettingAtOpen, takes_effect_on_the_opened_device) {
    const SettingCase& c = GetParam();
    if (*c.key)
        set_setting(c.key, c.value);
    ASSERT_EQ(open_clip(), 0u) << reply;
    EXPECT_EQ(answer(c.command), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SettingAtOpen,
    ::testing::Values(
        SettingCase{"shipped_source", "", "", "where xyzmpeg source wait", "0 0 352 288"},
        SettingCase{"shipped_window", "", "", "where xyzmpeg destination wait", "0 0 352 288"},
        SettingCase{"shipped_sound", "", "", "status xyzmpeg audio wait", "on"},
        SettingCase{"crop_cuts_the_border", "Crop", "1", "where xyzmpeg source wait", "8 8 336 272"},
        SettingCase{"crop_sizes_the_window", "Crop", "1", "where xyzmpeg destination wait", "0 0 336 272"},
        SettingCase{"scale_doubles_the_window", "Scale", "2", "where xyzmpeg destination wait",
                    "0 0 704 576"},
        SettingCase{"scale_beyond_4_is_4", "Scale", "9", "where xyzmpeg destination wait", "0 0 1408 1152"},
        SettingCase{"scale_0_is_1", "Scale", "0", "where xyzmpeg destination wait", "0 0 352 288"},
        SettingCase{"non_numeric_scale_is_shipped", "Scale", "big", "where xyzmpeg destination wait",
                    "0 0 352 288"},
        SettingCase{"dsp_audio_opens_no_sound_device", "DspAudio", "1", "status xyzmpeg audio wait", "off"},
        SettingCase{"dci_off_uses_gdi", "DCI", "0", "info xyzmpeg product wait",
                    "Reelix MPEG Movie Player (GDI)"}),
    [](const ::testing::TestParamInfo<SettingCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsTest, rate_0_plays_unpaced_from_the_start) {
    set_setting("Rate", "0");
    ASSERT_EQ(open_clip(), 0u);
    ASSERT_EQ(send("set xyzmpeg time format frames wait"), 0u);
    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(send("play xyzmpeg from 0 to 600 wait"), 0u);
    // 24 seconds of film; unpaced play takes a fraction of that.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(12));
}

TEST_F(SettingsTest, patched_dci_name_chooses_the_display_driver) {
    package_test::write_display_driver(system_folder() / "cdvideo.dll", "vgadci.drv");
    ASSERT_EQ(open_clip(), 0u) << reply;
    EXPECT_EQ(answer("info xyzmpeg product wait"), "Reelix MPEG Movie Player (DCI vgadci.drv)");
    ASSERT_EQ(send("close xyzmpeg wait"), 0u);
    // The DCI switch off sends the picture through GDI whatever the module names.
    set_setting("DCI", "0");
    ASSERT_EQ(open_clip(), 0u);
    EXPECT_EQ(answer("info xyzmpeg product wait"), "Reelix MPEG Movie Player (GDI)");
}

// The real dialog: its controls carry the keys' names; OK writes every key and the picture
// settings apply at once.
TEST_F(SettingsTest, configure_dialog_writes_the_settings_and_applies_them) {
    ASSERT_EQ(open_clip(), 0u);
    package_test::answer_settings_dialog(
        [](QDialog& dialog) {
            EXPECT_EQ(dialog_frame_fault(dialog), "");
            dialog.findChild<QCheckBox*>("Crop")->setChecked(true);
            dialog.findChild<QCheckBox*>("DspAudio")->setChecked(true);
            dialog.findChild<QCheckBox*>("Stereo")->setChecked(false);
            dialog.findChild<QComboBox*>("SampRate")->setCurrentIndex(1);
            dialog.findChild<QSpinBox*>("Scale")->setValue(2);
        },
        true);
    ASSERT_EQ(send("configure xyzmpeg wait"), 0u) << reply;
    const std::pair<const char*, const char*> written[] = {{"Scale", "2"}, {"DspAudio", "1"}, {"Rate", "1"},
                                                           {"DCI", "1"},   {"SampRate", "1"}, {"Stereo", "0"},
                                                           {"Crop", "1"}};
    for (const auto& [key, value] : written)
        EXPECT_EQ(setting(key), value) << key;
    EXPECT_EQ(answer("where xyzmpeg source wait"), "8 8 336 272");
    EXPECT_EQ(answer("where xyzmpeg destination wait"), "0 0 672 544");
    // The sound settings wait for the next open.
    EXPECT_EQ(answer("status xyzmpeg audio wait"), "on");
    ASSERT_EQ(send("close xyzmpeg wait"), 0u);
    ASSERT_EQ(open_clip(), 0u);
    EXPECT_EQ(answer("status xyzmpeg audio wait"), "off");
}

// With a dialog responder installed (as in every test of a program), "configure" asks it and
// never shows a window.
TEST_F(SettingsTest, configure_asks_the_dialog_responder) {
    host::RecordingDialogResponder responder;
    host::ScopedDialogResponder installed(responder);
    set_setting("Scale", "3");
    ASSERT_EQ(open_clip(), 0u);
    responder.settings_answers = {host::SettingsAnswer{{"Rate", 0}, {"Crop", 1}}, std::nullopt};
    ASSERT_EQ(send("configure xyzmpeg wait"), 0u);
    ASSERT_EQ(responder.settings_requests.size(), 1u);
    EXPECT_EQ(responder.settings_requests[0].caption, "Reelix MPEG Movie Player (GDI) Settings");
    EXPECT_EQ(responder.settings_requests[0].settings, (host::SettingsAnswer{{"Scale", 3},
                                                                             {"DspAudio", 0},
                                                                             {"Rate", 1},
                                                                             {"DCI", 1},
                                                                             {"SampRate", 2},
                                                                             {"Stereo", 1},
                                                                             {"Crop", 0}}));
    EXPECT_EQ(setting("Rate"), "0");
    EXPECT_EQ(setting("Crop"), "1");
    EXPECT_EQ(setting("Scale"), "3");
    EXPECT_EQ(answer("where xyzmpeg source wait"), "8 8 336 272");
    // Cancelled: nothing is written.
    std::string before = prefix.read("C:\\WINDOWS\\SYSTEM\\cdvideo.ini");
    ASSERT_EQ(send("configure xyzmpeg wait"), 0u);
    EXPECT_EQ(prefix.read("C:\\WINDOWS\\SYSTEM\\cdvideo.ini"), before);
}

TEST_F(SettingsTest, cancelled_configure_changes_nothing) {
    ASSERT_EQ(open_clip(), 0u);
    std::string before = prefix.read("C:\\WINDOWS\\SYSTEM\\cdvideo.ini");
    package_test::answer_settings_dialog(
        [](QDialog& dialog) { dialog.findChild<QCheckBox*>("Crop")->setChecked(true); }, false);
    ASSERT_EQ(send("configure xyzmpeg wait"), 0u);
    EXPECT_EQ(prefix.read("C:\\WINDOWS\\SYSTEM\\cdvideo.ini"), before);
    EXPECT_EQ(answer("where xyzmpeg source wait"), "0 0 352 288");
}

// The dialog runs a message loop; a close that arrives through it (a timer of the program) must
// not pull the device away from under the dialog.
TEST_F(SettingsTest, device_closed_while_its_dialog_is_open_closes_after_it) {
    struct ClosingResponder : host::RecordingDialogResponder {
        std::optional<host::SettingsAnswer> settings_dialog(const host::SettingsDialogRequest&) override {
            closed = mciSendStringA("close xyzmpeg wait", nullptr, 0, nullptr);
            return host::SettingsAnswer{{"Crop", 1}, {"Scale", 2}};
        }
        MCIERROR closed = 1;
    } responder;
    host::ScopedDialogResponder installed(responder);
    ASSERT_EQ(open_clip(), 0u);
    EXPECT_EQ(send("configure xyzmpeg wait"), 0u);
    EXPECT_EQ(responder.closed, 0u);
    EXPECT_EQ(setting("Crop"), "1");
    EXPECT_EQ(send("status xyzmpeg mode wait"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(open_clip(), 0u); // the alias is free again
}

// A window the program has made its child (the player's picture under its panel) keeps the size
// the program gave it when the settings change.
TEST_F(SettingsTest, scale_leaves_a_window_the_program_made_its_child) {
    host::RecordingDialogResponder responder;
    host::ScopedDialogResponder installed(responder);
    ASSERT_EQ(open_clip(), 0u);
    HWND video =
        reinterpret_cast<HWND>(std::uintptr_t(std::stoull(answer("status xyzmpeg window handle wait"))));
    SetWindowLongA(video, GWL_STYLE, static_cast<LONG>(WS_CHILD));
    std::string before = answer("where xyzmpeg window wait");
    responder.settings_answers = {host::SettingsAnswer{{"Scale", 2}}};
    ASSERT_EQ(send("configure xyzmpeg wait"), 0u);
    EXPECT_EQ(answer("where xyzmpeg window wait"), before);
}

TEST_F(SettingsTest, settings_file_missing_plays_with_the_shipped_settings) {
    fs::remove(system_folder() / "cdvideo.ini");
    ASSERT_EQ(open_clip(), 0u) << reply;
    EXPECT_EQ(answer("where xyzmpeg source wait"), "0 0 352 288");
    EXPECT_EQ(answer("status xyzmpeg audio wait"), "on");
}

// The sound settings choose the sound device a medium is opened with. SDL's disk driver writes
// what the device plays to a file as it plays, so its size over the same stretch of play tells
// the format: 22050 Hz mono is a quarter of 44100 Hz stereo; with DspAudio no device is opened,
// and turning the channels back on does not bring the sound back.
TEST_F(SettingsTest, sound_settings_choose_the_sound_device) {
    fs::path tape = prefix.root() / "sound.raw";
    std::string previous_driver = std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", tape.c_str(), 1);
    auto bytes_played = [&] {
        fs::remove(tape);
        EXPECT_EQ(open_clip(), 0u) << reply;
        EXPECT_EQ(send("setaudio xyzmpeg left on wait"), 0u);
        EXPECT_EQ(send("setaudio xyzmpeg right on wait"), 0u);
        EXPECT_EQ(send("play xyzmpeg from 0 to 2000 wait"), 0u);
        EXPECT_EQ(send("close xyzmpeg wait"), 0u);
        std::error_code error;
        return fs::exists(tape) ? double(fs::file_size(tape, error)) : 0.0;
    };
    double shipped = bytes_played();
    set_setting("SampRate", "1");
    set_setting("Stereo", "0");
    double reduced = bytes_played();
    set_setting("DspAudio", "1");
    double silent = bytes_played();
    unsetenv("SDL_DISKAUDIOFILE");
    setenv("SDL_AUDIODRIVER", previous_driver.c_str(), 1);
    ASSERT_GT(reduced, 0.0);
    EXPECT_NEAR(shipped / reduced, 4.0, 1.2);
    EXPECT_EQ(silent, 0.0);
}

TEST_F(SettingsTest, configure_on_a_read_only_settings_file_fails_and_changes_nothing) {
    host::RecordingDialogResponder responder;
    host::ScopedDialogResponder installed(responder);
    ASSERT_TRUE(SetFileAttributesA("C:\\WINDOWS\\SYSTEM\\cdvideo.ini", FILE_ATTRIBUTE_READONLY));
    std::string before = prefix.read("C:\\WINDOWS\\SYSTEM\\cdvideo.ini");
    ASSERT_EQ(open_clip(), 0u);
    responder.settings_answers = {host::SettingsAnswer{{"Crop", 1}}};
    EXPECT_EQ(send("configure xyzmpeg wait"), MCIERR_FILE_NOT_SAVED);
    EXPECT_EQ(prefix.read("C:\\WINDOWS\\SYSTEM\\cdvideo.ini"), before);
    EXPECT_EQ(answer("where xyzmpeg source wait"), "0 0 352 288");
}
