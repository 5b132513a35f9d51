// Capture, cutting and the speed test on the real MCI video device and playback engine, with an
// MPEG-1 system stream made by ffmpeg: the device takes every string these operations send, the
// picture is a BMP file, and a cut of the stream is itself a stream ffprobe reads.
#include "CaptureFixture.h"

#include "MciTrace.h"

#include "core/DeviceHandling.h"
#include "ops/Diagnostics.h"
#include "ops/Transport.h"

#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <regex>

namespace {

using namespace player_test;
using player::state;

// A 4 s MPEG-1 system stream, 352 x 240 at 25 frames a second with MPEG audio, made once per
// test program.
std::filesystem::path mpeg_clip_on_host() {
    static const std::filesystem::path made = [] {
        const auto path = std::filesystem::temp_directory_path() /
                          ("reelp32-capture-clip-" + std::to_string(::getpid()) + ".mpg");
        QProcess ffmpeg;
        ffmpeg.start("ffmpeg", {"-y", "-loglevel", "error", "-f", "lavfi", "-i",
                                "testsrc=size=352x240:rate=25:duration=4", "-f", "lavfi", "-i",
                                "sine=frequency=440:sample_rate=44100:duration=4", "-c:v", "mpeg1video", "-b:v",
                                "1000k", "-g", "12", "-c:a", "mp2", "-b:a", "128k", "-f", "mpeg",
                                QString::fromStdString(path.string())});
        if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0)
            return std::filesystem::path();
        return path;
    }();
    return made;
}

class RealCapture : public PlayerFixture {
  protected:
    void SetUp() override {
        PlayerFixture::SetUp();
        if (QStandardPaths::findExecutable("ffmpeg").isEmpty())
            GTEST_SKIP() << "ffmpeg is not installed";
        const auto clip = mpeg_clip_on_host();
        ASSERT_FALSE(clip.empty()) << "ffmpeg could not make the clip";
        std::filesystem::create_directories(prefix.host("C:\\CLIPS"));
        std::filesystem::create_directories(prefix.host("C:\\OUT"));
        std::filesystem::copy_file(clip, prefix.host("C:\\CLIPS\\A.MPG"));
        m_trace = prefix.root() / "mci.trace";
        setenv("MCITRACE", m_trace.c_str(), 1);
        start_player();
        player::copy_text(state.output_folder, sizeof state.output_folder, "C:\\OUT\\");
        // The system's MPEG device (the ActiveMovie driver); the player's own MPEG type comes with its
        // driver package, which this prefix does not carry.
        player::copy_text(state.device_type, sizeof state.device_type, "MPEGVideo");
        state.file_mode = true;
        char path[player::path_size] = "c:\\clips\\a.mpg";
        ASSERT_TRUE(player::open_file(path));
        ASSERT_TRUE(state.media_open);
        std::filesystem::remove(m_trace);
    }

    void TearDown() override {
        mciSendStringA("close all", nullptr, 0, nullptr);
        unsetenv("MCITRACE");
        PlayerFixture::TearDown();
    }

    // "command -> code" for every string sent since the open.
    std::vector<std::string> sent_with_results() const {
        return mci_trace_results(m_trace);
    }

    bool was_answered_with_success(std::string const& command) const {
        for (std::string const& line : sent_with_results())
            if (line == command + " -> 0")
                return true;
        return false;
    }

    std::filesystem::path m_trace;
};

TEST_F(RealCapture, the_device_writes_the_picture_as_a_bmp_file) {
    player::stop();
    player::capture_picture();
    EXPECT_TRUE(was_answered_with_success("step xyzmpeg by 1 key wait"));
    EXPECT_TRUE(was_answered_with_success("capture xyzmpeg as C:\\OUT\\00000001.bmp wait"));
    const std::string picture = prefix.read("C:\\OUT\\00000001.bmp");
    ASSERT_GT(picture.size(), 54u);
    EXPECT_EQ(picture.substr(0, 2), "BM");
    EXPECT_TRUE(responder.beeps.empty());
}

TEST_F(RealCapture, speed_test_runs_in_frames_without_rate_control_and_returns_to_milliseconds) {
    player::speed_test();
    for (char const* command :
         {"ratecontrol xyzmpeg off wait", "set xyzmpeg time format frames wait", "status xyzmpeg length wait",
          "seek xyzmpeg to 0 wait", "ratecontrol xyzmpeg on wait", "set xyzmpeg time format milliseconds wait"})
        EXPECT_TRUE(was_answered_with_success(command)) << command;
    // The whole clip, its length in frames as the device counts them (4 s at 25 a second).
    const std::regex played("play xyzmpeg from 0 to (9[5-9]|100) wait -> 0");
    EXPECT_TRUE(std::ranges::any_of(sent_with_results(),
                                    [&](std::string const& line) { return std::regex_match(line, played); }));
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_TRUE(std::regex_match(responder.message_boxes[0].text,
                                 std::regex("System \\(Video Only\\) Speed: [0-9]+ \\(frames/sec\\)")))
        << responder.message_boxes[0].text;
    // Positions are milliseconds again: the device stands at the last frame, near 4 s.
    EXPECT_NEAR(player::query_position(), 4000, 120);
}

TEST_F(RealCapture, a_cut_of_the_stream_is_a_stream_ffprobe_reads) {
    if (QStandardPaths::findExecutable("ffprobe").isEmpty())
        GTEST_SKIP() << "ffprobe is not installed";
    ASSERT_GT(state.stream_info.system_bitrate, 0);
    state.mark_begin_ms = 1000;
    state.mark_end_ms = 3000;
    player::cut_marked_range();

    const std::string source = prefix.read("C:\\CLIPS\\A.MPG");
    const std::string copy = prefix.read("C:\\OUT\\00000001.mpg");
    const auto start = static_cast<std::size_t>(player::stream_byte_offset(1000, state.stream_info.system_bitrate));
    const auto end = static_cast<std::size_t>(player::stream_byte_offset(3000, state.stream_info.system_bitrate));
    ASSERT_EQ(copy.size(), std::min(end, source.size()) - start);
    EXPECT_TRUE(copy == source.substr(start, copy.size()));

    QProcess ffprobe;
    ffprobe.start("ffprobe", {"-v", "error", "-show_entries", "stream=codec_name", "-of", "csv=p=0",
                              QString::fromStdString(prefix.host("C:\\OUT\\00000001.mpg").string())});
    ASSERT_TRUE(ffprobe.waitForFinished(60000));
    const QString streams = QString::fromUtf8(ffprobe.readAllStandardOutput());
    EXPECT_TRUE(streams.contains("mpeg1video")) << streams.toStdString();
}

} // namespace
