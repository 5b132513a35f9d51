// The player on the real MCI video device and playback engine, with a clip made by ffmpeg: the
// open and set-up, play driven by the device's position signals, and the recovery when the
// device stops by itself at the end of the clip; and a sound-only MPEG file on the player's own
// MPEGMovie device.
#include "MciTrace.h"
#include "MediaFixtures.h"
#include "PlayerFixture.h"

#include "core/CommandChannel.h"
#include "core/DeviceHandling.h"
#include "core/PlayerTick.h"
#include "ops/DriverSetup.h"
#include "ops/OpenMedia.h"
#include "ops/Transport.h"

#include "host/HostPaths.h"

#include <QStandardPaths>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

using namespace player_test;
using player::state;

// A 3 s AVI, 320 x 240 at 25 frames a second with sound.
std::filesystem::path clip_on_host() {
    return media::test::ffmpeg_fixture("engine-clip.avi",
                                       {"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=3", "-f",
                                        "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=3",
                                        "-c:v", "mpeg4", "-g", "12", "-c:a", "pcm_s16le", "-f", "avi"});
}

class RealEngine : public PlayerFixture {
  protected:
    void SetUp() override {
        PlayerFixture::SetUp();
        if (QStandardPaths::findExecutable("ffmpeg").isEmpty())
            GTEST_SKIP() << "ffmpeg is not installed";
        const auto clip = clip_on_host();
        ASSERT_FALSE(clip.empty()) << "ffmpeg could not make the clip";
        std::filesystem::create_directories(prefix.host("C:\\CLIPS"));
        std::filesystem::copy_file(clip, prefix.host("C:\\CLIPS\\A.AVI"));
        m_trace = prefix.root() / "mci.trace";
        setenv("MCITRACE", m_trace.c_str(), 1);
        start_player();
    }

    void TearDown() override {
        mciSendStringA("close all", nullptr, 0, nullptr);
        unsetenv("MCITRACE");
        PlayerFixture::TearDown();
    }

    bool open_clip() {
        char path[player::path_size] = "c:\\clips\\a.avi";
        return player::open_file(path);
    }

    std::string mode() {
        char reply[256] = {};
        mciSendStringA("status xyzmpeg mode wait", reply, sizeof reply, nullptr);
        return reply;
    }

    std::vector<std::string> sent() const {
        return mci_trace_commands(m_trace);
    }

    std::filesystem::path m_trace;
};

TEST_F(RealEngine, opens_the_clip_places_the_picture_and_plays_it) {
    ASSERT_TRUE(open_clip());
    EXPECT_TRUE(responder.message_boxes.empty());
    EXPECT_TRUE(state.media_open);
    EXPECT_TRUE(state.playing);
    EXPECT_NE(state.video_window, nullptr);
    EXPECT_EQ(state.video_width, 320);
    EXPECT_EQ(state.video_height, 240);
    EXPECT_NEAR(state.length_ms, 3000, 100);
    EXPECT_EQ(state.stream_info.source_width, 320);
    EXPECT_EQ(std::string(state.status_text), " :\\CLIPS\\A.AVI  01/01");
    EXPECT_EQ(mode(), "playing");
    EXPECT_EQ(state.stop_timer, 0u);
}

TEST_F(RealEngine, position_signals_drive_the_tick_and_the_position_advances) {
    ASSERT_TRUE(open_clip());
    ASSERT_TRUE(state.playing);
    ASSERT_TRUE(pump_until([] { return state.position_ms >= 1000; }))
        << "position " << state.position_ms << " when the wait gave up";
    const auto commands = sent();
    EXPECT_NE(std::find(commands.begin(), commands.end(), "status xyzmpeg position wait"), commands.end());
    EXPECT_TRUE(state.playing);
}

TEST_F(RealEngine, a_device_that_stopped_at_the_end_restarts_the_single_item) {
    ASSERT_TRUE(open_clip());
    // Play the last part once, without repeat, behind the player's back: the device stops at the end.
    ASSERT_EQ(mciSendStringA("play xyzmpeg from 2500 wait", nullptr, 0, nullptr), 0u);
    ASSERT_NE(mode(), "playing");
    std::filesystem::remove(m_trace);

    player::player_tick();

    const auto commands = sent();
    ASSERT_GE(commands.size(), 4u);
    EXPECT_EQ(commands[0], "status xyzmpeg position wait");
    EXPECT_EQ(commands[1], "status xyzmpeg mode wait");
    EXPECT_EQ(commands[2], "seek xyzmpeg to 0 wait"); // past the end: the next item, here the same one
    EXPECT_EQ(commands[3], "play xyzmpeg repeat");
    EXPECT_EQ(mode(), "playing");
    EXPECT_TRUE(state.playing);
}

TEST_F(RealEngine, a_device_that_stopped_inside_the_clip_moves_on_one_second) {
    ASSERT_TRUE(open_clip());
    ASSERT_EQ(mciSendStringA("stop xyzmpeg wait", nullptr, 0, nullptr), 0u);
    ASSERT_EQ(mciSendStringA("seek xyzmpeg to 1000 wait", nullptr, 0, nullptr), 0u);
    std::filesystem::remove(m_trace);

    player::player_tick();

    const auto commands = sent();
    ASSERT_GE(commands.size(), 4u);
    EXPECT_EQ(commands[2], "seek xyzmpeg to 2000 wait");
    EXPECT_EQ(commands[3], "play xyzmpeg repeat");
    EXPECT_EQ(state.position_ms, 2000);
    EXPECT_EQ(mode(), "playing");
}

TEST_F(RealEngine, stop_starts_the_timer_whose_ticks_do_not_read_the_device) {
    ASSERT_TRUE(open_clip());
    player::stop();
    EXPECT_EQ(state.stop_timer, player::stop_timer_id);
    EXPECT_NE(mode(), "playing");
    std::filesystem::remove(m_trace);
    pump_for(std::chrono::milliseconds(1500));
    EXPECT_TRUE(sent().empty());
}

// The player's own MPEGMovie device, installed from the built bundle as the player installs it.
class RealPackage : public RealEngine {
  protected:
    void SetUp() override {
        RealEngine::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        const auto bundle = host::dos_path_of(std::filesystem::path(TEST_BIN_DIR) / "reelp32");
        ASSERT_TRUE(bundle);
        player::install_package_from(bundle->c_str());
    }

    QRect main_window_placement() const {
        QWidget* widget = host::window_widget(player::windows.main_window);
        return widget ? widget->geometry() : QRect();
    }
};

TEST_F(RealPackage, a_sound_only_mpeg_file_leaves_only_the_panel_and_plays_when_asked) {
    const auto sound = media::test::mp2_sound(3);
    ASSERT_FALSE(sound.empty()) << "ffmpeg could not make the sound file";
    std::filesystem::copy_file(sound, prefix.host("C:\\CLIPS\\SOUND.MP2"));
    std::strcpy(state.device_type, "MPEGMovie");
    state.file_mode = true;
    std::strcpy(state.selected_files, "C:\\CLIPS\\SOUND.MP2");
    player::play_selection(); // as the open command opens a chosen file

    EXPECT_TRUE(responder.message_boxes.empty());
    ASSERT_TRUE(state.media_open);
    EXPECT_FALSE(state.playing) << "a medium without a picture does not start by itself";
    EXPECT_EQ(state.video_window, nullptr);
    EXPECT_EQ(state.video_width, 0);
    EXPECT_NEAR(state.length_ms, 3000, 100);
    EXPECT_EQ(main_window_placement(), QRect(136, 205, 368, 70)) << "the panel alone, centred on 640 x 480";

    player::play();
    EXPECT_EQ(mode(), "playing");
    ASSERT_TRUE(pump_until([] { return state.position_ms >= 1000; }))
        << "position " << state.position_ms << " when the wait gave up";
    EXPECT_EQ(main_window_placement(), QRect(136, 205, 368, 70)) << "play keeps the panel-only layout";
}

} // namespace
