// The commands the player sends to an MPEGMovie device, on MPEG-1 clips made with ffmpeg: the
// stream queries, stepping to the next key frame, unpaced play, capture and volumes.
#include "PackageTest.h"

#include "MediaFixtures.h"
#include "ReferenceDecoder.h"

#include <QDialog>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string_view>

namespace fs = std::filesystem;
using package_test::PackageTest;

namespace {

// The VideoCD clip: PAL 352x288 at 25 frames a second, video 1150 kbit/s, MP2 sound 224 kbit/s.
class MpegMovieTest : public PackageTest {
  protected:
    void SetUp() override {
        PackageTest::SetUp();
        install_package();
        source = media::test::vcd_mpeg(30);
        ASSERT_FALSE(source.empty()) << "ffmpeg could not make the clip";
        fs::copy_file(source, prefix.drive_c() / "MOVIES" / "CLIP.MPG", fs::copy_options::overwrite_existing);
        ASSERT_EQ(send("open C:\\MOVIES\\CLIP.MPG type MPEGMovie alias xyzmpeg wait"), 0u) << reply;
    }

    std::string source;
};

// Times of the key frames, in milliseconds from the first frame, as ffprobe lists them.
std::vector<long long> key_frame_times(const std::string& path) {
    std::string output;
    EXPECT_TRUE(media::test::run_program({"ffprobe", "-v", "error", "-select_streams", "v", "-show_entries",
                                          "frame=pts_time,key_frame", "-of", "csv=p=0", path},
                                         &output));
    std::istringstream lines(output);
    std::string line;
    std::vector<long long> keys;
    double first = -1;
    while (std::getline(lines, line)) {
        int key = 0;
        double time = 0;
        if (std::sscanf(line.c_str(), "%d,%lf", &key, &time) != 2)
            continue;
        if (first < 0)
            first = time;
        if (key)
            keys.push_back(std::llround((time - first) * 1000));
    }
    return keys;
}

struct Bmp {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgra; // top row first
};

// A 24-bit bottom-up BMP as the capture writes it.
Bmp read_bmp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    Bmp bmp;
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
        return bmp;
    auto u32 = [&](std::size_t at) {
        return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8 |
               std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 |
               std::uint32_t(std::uint8_t(bytes[at + 3])) << 24;
    };
    std::uint32_t data = u32(10);
    bmp.width = int(u32(18));
    bmp.height = int(u32(22));
    if ((std::uint8_t(bytes[28]) | std::uint8_t(bytes[29]) << 8) != 24)
        return {};
    std::size_t stride = (std::size_t(bmp.width) * 3 + 3) / 4 * 4;
    if (bytes.size() < data + stride * bmp.height)
        return {};
    for (int row = 0; row < bmp.height; ++row)
        for (int x = 0; x < bmp.width; ++x) {
            std::size_t at = data + std::size_t(bmp.height - 1 - row) * stride + std::size_t(x) * 3;
            bmp.bgra.insert(bmp.bgra.end(), {std::uint8_t(bytes[at]), std::uint8_t(bytes[at + 1]),
                                             std::uint8_t(bytes[at + 2]), 255});
        }
    return bmp;
}

} // namespace

TEST_F(MpegMovieTest, answers_the_stream_queries_of_a_clip_with_known_rates) {
    const std::pair<const char*, long long> queries[] = {
        {"status xyzmpeg audio bitrate wait", 224000},
        {"status xyzmpeg video bitrate wait", 1150000},
        {"status xyzmpeg nominal frame rate wait", 25000},
        {"status xyzmpeg number of tracks wait", 1},
        {"status xyzmpeg length wait", 30000},
    };
    for (const auto& [command, expected] : queries)
        EXPECT_EQ(number(command), expected) << command;
    // The whole stream: a VideoCD system stream runs at about 1.4 Mbit/s.
    EXPECT_NEAR(double(number("status xyzmpeg bitrate wait")), 1390000.0, 60000.0);
    EXPECT_EQ(send("where xyzmpeg source wait"), 0u);
    EXPECT_EQ(reply, "0 0 352 288");
    EXPECT_EQ(send("info xyzmpeg product wait"), 0u);
    EXPECT_EQ(reply, "Reelix MPEG Movie Player (GDI)");
}

TEST_F(MpegMovieTest, step_by_one_key_lands_on_each_next_key_frame) {
    std::vector<long long> keys = key_frame_times(source);
    ASSERT_GE(keys.size(), 4u);
    ASSERT_EQ(send("set xyzmpeg time format milliseconds wait"), 0u);
    ASSERT_EQ(send("seek xyzmpeg to 10 wait"), 0u); // just after the first key frame
    for (std::size_t i = 1; i < 4; ++i) {
        ASSERT_EQ(send("step xyzmpeg by 1 key wait"), 0u) << reply;
        EXPECT_EQ(number("status xyzmpeg position wait"), keys[i]) << "key frame " << i;
    }
}

TEST_F(MpegMovieTest, rate_control_off_plays_600_frames_far_faster_than_real_time) {
    ASSERT_EQ(send("ratecontrol xyzmpeg off wait"), 0u);
    ASSERT_EQ(send("set xyzmpeg time format frames wait"), 0u);
    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(send("play xyzmpeg from 0 to 600 wait"), 0u);
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(number("status xyzmpeg position wait"), 600);
    // 600 frames are 24 seconds of film; a loose bound that still tells paced from unpaced.
    EXPECT_LT(elapsed, std::chrono::seconds(12));
    EXPECT_EQ(send("ratecontrol xyzmpeg on wait"), 0u);
}

TEST_F(MpegMovieTest, capture_writes_the_frame_on_screen_as_a_bmp) {
    ASSERT_EQ(send("set xyzmpeg time format frames wait"), 0u);
    ASSERT_EQ(send("seek xyzmpeg to 40 wait"), 0u);
    ASSERT_EQ(send("capture xyzmpeg as C:\\MOVIES\\00000001.bmp wait"), 0u) << reply;
    Bmp bmp = read_bmp(prefix.drive_c() / "MOVIES" / "00000001.bmp");
    ASSERT_EQ(bmp.width, 352);
    ASSERT_EQ(bmp.height, 288);
    std::optional<media::test::ReferenceFrame> frame = media::test::reference_frame(source, 40);
    ASSERT_TRUE(frame);
    std::optional<media::test::ReferenceFrame> next = media::test::reference_frame(source, 41);
    ASSERT_TRUE(next);
    double same = media::test::picture_difference(bmp.bgra, frame->bgra);
    // The picture is frame 40 and not its neighbour; BMP keeps the colours as decoded.
    EXPECT_LT(same, 1.0);
    EXPECT_LT(same, media::test::picture_difference(bmp.bgra, next->bgra));
}

TEST_F(MpegMovieTest, volume_runs_from_0_to_1000) {
    for (int volume : {0, 500, 1000}) {
        ASSERT_EQ(send("setaudio xyzmpeg volume to " + std::to_string(volume) + " wait"), 0u);
        EXPECT_EQ(number("status xyzmpeg volume wait"), volume);
    }
    EXPECT_EQ(send("setaudio xyzmpeg volume to 1001 wait"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(number("status xyzmpeg volume wait"), 1000);
}

// A sound-only MPEG file (MP2) has no picture: the device answers the window handle and the source
// rectangle with zeros, as the player reads a medium that leaves it only its panel, and plays it.
TEST_F(PackageTest, a_sound_only_file_answers_window_handle_0_and_an_empty_source) {
    install_package();
    const std::string sound = media::test::mp2_sound(3);
    ASSERT_FALSE(sound.empty()) << "ffmpeg could not make the sound file";
    fs::create_directories(prefix.drive_c() / "MOVIES");
    fs::copy_file(sound, prefix.drive_c() / "MOVIES" / "SOUND.MP2", fs::copy_options::overwrite_existing);
    ASSERT_EQ(send("open C:\\MOVIES\\SOUND.MP2 type MPEGMovie alias xyzmpeg wait"), 0u) << reply;
    struct Query {
        const char* command;
        const char* answer;
    };
    const Query queries[] = {
        {"status xyzmpeg window handle wait", "0"},
        {"where xyzmpeg source wait", "0 0 0 0"},
        {"where xyzmpeg source max wait", "0 0 0 0"},
    };
    for (const Query& query : queries) {
        EXPECT_EQ(send(query.command), 0u) << query.command << ": " << reply;
        EXPECT_EQ(reply, query.answer) << query.command;
    }
    EXPECT_EQ(send("set xyzmpeg time format milliseconds wait"), 0u);
    EXPECT_NEAR(number("status xyzmpeg length wait"), 3000, 100);
    EXPECT_EQ(send("play xyzmpeg from 2500 wait"), 0u) << reply;
    EXPECT_EQ(send("status xyzmpeg mode wait"), 0u);
    EXPECT_EQ(reply, "stopped");
}

// MPEG files joined end to end (`cat`), each with its clock from 0: the length is the whole
// file's, seeks reach the last part and play runs to its end.
TEST_F(PackageTest, a_file_of_joined_mpeg_streams_has_the_length_of_all_parts_and_plays_them) {
    install_package();
    const std::string joined = media::test::joined_vcd_mpeg();
    ASSERT_FALSE(joined.empty()) << "ffmpeg could not make the parts";
    fs::create_directories(prefix.drive_c() / "MOVIES");
    fs::copy_file(joined, prefix.drive_c() / "MOVIES" / "JOINED.MPG", fs::copy_options::overwrite_existing);
    ASSERT_EQ(send("open C:\\MOVIES\\JOINED.MPG type MPEGMovie alias xyzmpeg wait"), 0u) << reply;
    ASSERT_EQ(send("set xyzmpeg time format milliseconds wait"), 0u);
    EXPECT_NEAR(number("status xyzmpeg length wait"), 14000, 40);
    EXPECT_EQ(number("status xyzmpeg number of tracks wait"), 1);
    ASSERT_EQ(send("seek xyzmpeg to 12000 wait"), 0u) << reply;
    EXPECT_NEAR(number("status xyzmpeg position wait"), 12000, 40);
    ASSERT_EQ(send("play xyzmpeg from 13000 wait"), 0u) << reply;
    EXPECT_NEAR(number("status xyzmpeg position wait"), 14000, 80);
}

// Every command string the player sends to an open medium, in an order it may send them.
TEST_F(MpegMovieTest, accepts_every_command_the_player_sends) {
    const char* commands[] = {
        "status xyzmpeg audio bitrate wait",
        "status xyzmpeg bitrate wait",
        "status xyzmpeg video bitrate wait",
        "status xyzmpeg nominal frame rate wait",
        "set xyzmpeg time format milliseconds wait",
        "status xyzmpeg length wait",
        "status xyzmpeg window handle wait",
        "where xyzmpeg source wait",
        "signal xyzmpeg return position every 1000",
        "status xyzmpeg number of tracks wait",
        "play xyzmpeg repeat",
        "status xyzmpeg position wait",
        "status xyzmpeg mode wait",
        "pause xyzmpeg",
        "resume xyzmpeg",
        "play xyzmpeg fast",
        "play xyzmpeg slow",
        "stop xyzmpeg wait",
        "seek xyzmpeg to 5000 wait",
        "seek xyzmpeg to start wait",
        "seek xyzmpeg to end wait",
        "step xyzmpeg by 1 wait",
        "step xyzmpeg by 1 key wait",
        "setaudio xyzmpeg left off wait",
        "setaudio xyzmpeg left on wait",
        "setaudio xyzmpeg right off wait",
        "setaudio xyzmpeg right on wait",
        "setaudio xyzmpeg volume to 750 wait",
        "capture xyzmpeg as C:\\MOVIES\\00000001.bmp wait",
        "capability xyzmpeg compound device wait",
        "capability xyzmpeg has video wait",
        "info xyzmpeg product wait",
        "set xyzmpeg time format frames wait",
        "ratecontrol xyzmpeg off wait",
        "play xyzmpeg from 0 to 50 wait",
        "ratecontrol xyzmpeg on wait",
        "set xyzmpeg time format milliseconds wait",
        "configure xyzmpeg",
        "close xyzmpeg",
    };
    for (const char* command : commands) {
        if (std::string_view(command).starts_with("configure"))
            package_test::answer_settings_dialog([](QDialog&) {}, false);
        EXPECT_EQ(send(command), 0u) << command << ": " << reply;
    }
}

TEST_F(PackageTest, every_open_form_of_the_player_opens_a_file) {
    install_package();
    std::string clip = install(video_test::Clip::Mpeg1, "CLIP.MPG");
    video_test::CallbackWindow main_window;
    const std::string parent = std::to_string(reinterpret_cast<std::uintptr_t>(main_window.handle()));
    const std::string forms[] = {
        "open " + clip + " type MPEGMovie alias xyzmpeg parent " + parent + " style popup wait",
        "open " + clip + " type MPEGMovie alias xyzmpeg style popup wait",
        "open " + clip + " type MPEGMovie alias xyzmpeg wait",
        "open " + clip + " type MPEGMovie alias xyzmpeg",
    };
    for (const std::string& form : forms) {
        ASSERT_EQ(send(form), 0u) << form << ": " << reply;
        EXPECT_EQ(number("status xyzmpeg length wait"), 2000) << form;
        ASSERT_EQ(send("close xyzmpeg wait"), 0u);
    }
}

// The driver hands "notify" and the position signals on to the device that plays: the caller
// hears once, when the play has ended, and gets a signal a second while it plays.
TEST_F(MpegMovieTest, play_notifies_its_end_and_signals_positions) {
    video_test::CallbackWindow callback;
    ASSERT_EQ(send("set xyzmpeg time format milliseconds wait"), 0u);
    ASSERT_EQ(send("signal xyzmpeg return position every 1000", callback.handle()), 0u);
    ASSERT_EQ(send("play xyzmpeg from 0 to 2500 notify", callback.handle()), 0u);
    EXPECT_TRUE(callback.messages(MM_MCINOTIFY).empty()); // not before the play has run
    ASSERT_TRUE(pump_until([&] { return !callback.messages(MM_MCINOTIFY).empty(); }));
    pump_for(std::chrono::milliseconds(200));
    std::vector<video_test::Message> notes = callback.messages(MM_MCINOTIFY);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].wparam, WPARAM(MCI_NOTIFY_SUCCESSFUL));
    EXPECT_EQ(number("status xyzmpeg position wait"), 2500);
    EXPECT_GE(callback.messages(MM_MCISIGNAL).size(), 2u);
}

// Files that are not MPEG streams, or hold only the start of one, are refused or play what they
// hold; none brings the program down.
TEST_F(PackageTest, damaged_mpeg_files_give_an_error_not_a_crash) {
    install_package();
    std::string clip = media::test::vcd_mpeg(4);
    ASSERT_FALSE(clip.empty());
    std::ifstream in(clip, std::ios::binary);
    std::string stream((std::istreambuf_iterator<char>(in)), {});
    std::string noise(300000, '\0');
    std::uint32_t state = 7;
    for (char& c : noise)
        c = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
    struct Damaged {
        const char* name;
        std::string bytes;
        bool refused; // false: may open, and then plays and closes
    };
    const Damaged files[] = {
        {"EMPTY.MPG", "", true},
        {"NOISE.MPG", noise, true},
        {"HEADER.MPG", stream.substr(0, 2048), true},
        {"CUT.MPG", stream.substr(0, stream.size() / 3), false},
        {"HOLED.MPG", stream.substr(0, 200000) + noise.substr(0, 100000) + stream.substr(300000), false},
    };
    for (const Damaged& file : files) {
        prefix.write(std::string("C:\\MOVIES\\") + file.name, file.bytes);
        MCIERROR error =
            send(std::string("open C:\\MOVIES\\") + file.name + " type MPEGMovie alias xyzmpeg wait");
        if (file.refused) {
            EXPECT_NE(error, 0u) << file.name;
            continue;
        }
        ASSERT_EQ(error, 0u) << file.name << ": " << reply;
        EXPECT_EQ(send("set xyzmpeg time format milliseconds wait"), 0u);
        EXPECT_EQ(send("ratecontrol xyzmpeg off wait"), 0u);
        EXPECT_EQ(send("play xyzmpeg wait"), 0u) << file.name;
        EXPECT_EQ(send("close xyzmpeg wait"), 0u) << file.name;
    }
}
