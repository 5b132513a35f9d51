// Sound: volume and channel switches reaching the samples the device receives, and the audio
// clock pacing play. A recording device stands in for SDL; it pulls in real time like a sound card.

#include "MediaFixtures.h"
#include "RecordingOutput.h"
#include "TestSupport.h"

#include "media/AudioMixer.h"
#include <ostream>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <csignal>
#include <mutex>
#include <thread>

using namespace media;
using namespace media::test;
using namespace std::chrono_literals;

namespace {

struct Peaks {
    int left = 0, right = 0;
};

Peaks peaks(RecordingOutput::Tape& tape) {
    std::lock_guard lock(tape.mutex);
    Peaks result;
    for (size_t i = 0; i + 1 < tape.samples.size(); i += 2) {
        result.left = std::max(result.left, std::abs(int(tape.samples[i])));
        result.right = std::max(result.right, std::abs(int(tape.samples[i + 1])));
    }
    return result;
}

struct MixCase {
    const char* name;
    int volume;
    bool left_on, right_on;
    double left_peak, right_peak; // fraction of full scale; the fixture's tones are at 0.5
    friend void PrintTo(const MixCase& c, std::ostream* os) { *os << c.name; }
};

class MediaMixing : public ::testing::TestWithParam<MixCase> {};

} // namespace

TEST_P(MediaMixing, volume_and_channel_switches_reach_device_samples) {
    const auto& c = GetParam();
    auto tape = std::make_shared<RecordingOutput::Tape>();
    OpenOptions options;
    options.audio_output = [tape] { return std::make_unique<RecordingOutput>(tape); };
    auto movie = Movie::open(stereo_avi(), options);
    ASSERT_TRUE(movie) << movie.error().message;
    (*movie)->set_volume(c.volume);
    (*movie)->set_channel(Channel::Left, c.left_on);
    (*movie)->set_channel(Channel::Right, c.right_on);
    ASSERT_TRUE((*movie)->play({0, 600 * ms, false}));
    ASSERT_TRUE((*movie)->wait_play_done(settle));
    EXPECT_EQ(tape->channels, 2);
    auto heard = peaks(*tape);
    EXPECT_NEAR(heard.left / 32768.0, c.left_peak, 0.02);
    EXPECT_NEAR(heard.right / 32768.0, c.right_peak, 0.02);
}

INSTANTIATE_TEST_SUITE_P(Settings, MediaMixing,
                         ::testing::Values(MixCase{"full", 1000, true, true, 0.5, 0.5},
                                           MixCase{"half_volume", 500, true, true, 0.25, 0.25},
                                           MixCase{"left_off", 1000, false, true, 0.0, 0.5},
                                           MixCase{"right_off_quiet", 200, true, false, 0.1, 0.0},
                                           MixCase{"muted", 0, true, true, 0.0, 0.0},
                                           MixCase{"volume_clamped", 5000, true, true, 0.5, 0.5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MediaAudioClock, sound_paces_video_and_ends_with_the_range) {
    auto tape = std::make_shared<RecordingOutput::Tape>();
    OpenOptions options;
    options.audio_output = [tape] { return std::make_unique<RecordingOutput>(tape); };
    auto movie = Movie::open(vcd_mpeg(), options);
    ASSERT_TRUE(movie);
    ASSERT_TRUE((*movie)->play({1000 * ms, 2000 * ms, false}));
    ASSERT_TRUE((*movie)->wait_play_done(settle));
    EXPECT_EQ((*movie)->position_us(), 2000 * ms);
    // About one second of sound reached the device while it played.
    std::lock_guard lock(tape->mutex);
    int64_t nonzero =
        std::count_if(tape->samples.begin(), tape->samples.end(), [](int16_t s) { return s != 0; });
    EXPECT_GT(nonzero, 44100 * 2 * 8 / 10);
}

// The owner may ask for another output format: a lower rate, and mono carrying both channels.
TEST(MediaAudioClock, output_format_asked_for_is_resampled_and_mixed) {
    auto tape = std::make_shared<RecordingOutput::Tape>();
    OpenOptions options;
    options.audio_output = [tape] { return std::make_unique<RecordingOutput>(tape); };
    options.audio_sample_rate = 22050;
    options.audio_channels = 1;
    auto movie = Movie::open(stereo_avi(), options);
    ASSERT_TRUE(movie);
    ASSERT_TRUE((*movie)->play({0, 1000 * ms, false}));
    ASSERT_TRUE((*movie)->wait_play_done(settle));
    std::lock_guard lock(tape->mutex);
    EXPECT_EQ(tape->sample_rate, 22050);
    EXPECT_EQ(tape->channels, 1);
    // About a second of sound at the lower rate, not at the stream's 44100.
    int64_t nonzero =
        std::count_if(tape->samples.begin(), tape->samples.end(), [](int16_t s) { return s != 0; });
    EXPECT_GT(nonzero, 22050 * 8 / 10);
    EXPECT_LT(nonzero, 44100);
}

TEST(MediaAudioClock, plays_through_sdl_dummy_driver) {
    // The real device path: SDL with whatever driver the environment chose (dummy under CTest).
    auto movie = Movie::open(stereo_avi());
    ASSERT_TRUE(movie) << movie.error().message;
    ASSERT_TRUE((*movie)->play({0, 500 * ms, false}));
    ASSERT_TRUE((*movie)->wait_play_done(settle));
    EXPECT_EQ((*movie)->position_us(), 480 * ms);
}

// The sound device leaves the process's signals alone: SIGTERM and SIGINT still end a program
// that plays sound.
TEST(MediaAudioClock, sound_device_leaves_termination_signals_alone) {
    auto movie = Movie::open(stereo_avi());
    ASSERT_TRUE(movie) << movie.error().message;
    for (int signal_number : {SIGTERM, SIGINT}) {
        struct sigaction action {};
        ASSERT_EQ(sigaction(signal_number, nullptr, &action), 0);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << signal_number;
    }
}

struct MixerCase {
    const char* name;
    MixSettings settings;
    int channels;
    std::vector<int16_t> in, out;
    friend void PrintTo(const MixerCase& c, std::ostream* os) { *os << c.name; }
};

class MediaMixerTable : public ::testing::TestWithParam<MixerCase> {};

TEST_P(MediaMixerTable, applies_volume_and_switches) {
    auto c = GetParam();
    auto samples = c.in;
    apply_mix(samples.data(), int(samples.size()) / c.channels, c.channels, c.settings);
    EXPECT_EQ(samples, c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MediaMixerTable,
    ::testing::Values(
        MixerCase{
            "unchanged", {1000, true, true}, 2, {1000, -2000, 32767, -32768}, {1000, -2000, 32767, -32768}},
        MixerCase{"half", {500, true, true}, 2, {1000, -2000}, {500, -1000}},
        MixerCase{"left_off", {1000, false, true}, 2, {1000, -2000, 5, 6}, {0, -2000, 0, 6}},
        MixerCase{"right_off", {1000, true, false}, 2, {1000, -2000}, {1000, 0}},
        MixerCase{"mono_one_side_on", {1000, false, true}, 1, {1000, -2000}, {1000, -2000}},
        MixerCase{"mono_both_off", {1000, false, false}, 1, {1000, -2000}, {0, 0}},
        MixerCase{"over_range_volume_clamps", {2000, true, true}, 2, {32767, -32768}, {32767, -32768}},
        MixerCase{"negative_volume_clamps", {-5, true, true}, 2, {32767, -32768}, {0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// The sounding part of the tape's channel `channel`: how many frames, and the pitch by counting
// the sign changes.
struct Heard {
    int64_t frames = 0;
    double pitch_hz = 0;
};

Heard heard_channel(RecordingOutput::Tape& tape, int channel) {
    std::lock_guard lock(tape.mutex);
    std::vector<int16_t> sounding;
    for (size_t i = size_t(channel); i < tape.samples.size(); i += size_t(tape.channels))
        if (tape.samples[i] != 0)
            sounding.push_back(tape.samples[i]);
    Heard heard;
    heard.frames = int64_t(sounding.size());
    int64_t changes = 0;
    for (size_t i = 1; i < sounding.size(); ++i)
        changes += (sounding[i - 1] < 0) != (sounding[i] < 0);
    if (!sounding.empty())
        heard.pitch_hz = double(changes) / 2.0 / (double(sounding.size()) / tape.sample_rate);
    return heard;
}

// Fast and slow play are heard for their time at the sound's own pitch (the left channel's 440 Hz,
// the right one's 660 Hz); unpaced play is silent.
TEST(MediaAudioClock, fast_and_slow_play_keep_the_pitch_and_unpaced_play_is_silent) {
    struct {
        const char* name;
        double rate;
        bool paced;
        int64_t range_ms;
    } cases[] = {{"fast", 2.0, true, 2000}, {"slow", 0.5, true, 600}, {"unpaced", 1.0, false, 400}};
    for (auto c : cases) {
        auto tape = std::make_shared<RecordingOutput::Tape>();
        OpenOptions options;
        options.audio_output = [tape] { return std::make_unique<RecordingOutput>(tape); };
        auto movie = Movie::open(stereo_avi(), options);
        ASSERT_TRUE(movie);
        ASSERT_TRUE((*movie)->set_rate(c.rate));
        (*movie)->set_paced(c.paced);
        ASSERT_TRUE((*movie)->play({0, c.range_ms * ms, false}));
        ASSERT_TRUE((*movie)->wait_play_done(settle));
        EXPECT_EQ((*movie)->position_us(), c.range_ms * ms) << c.name;
        if (!c.paced) {
            auto heard = peaks(*tape);
            EXPECT_EQ(heard.left + heard.right, 0) << c.name;
            continue;
        }
        // The range lasts range / rate in real time; the sound fills most of it.
        const double expected_frames = double(c.range_ms) / c.rate * tape->sample_rate / 1000.0;
        for (auto [channel, pitch] : {std::pair{0, 440.0}, std::pair{1, 660.0}}) {
            const Heard heard = heard_channel(*tape, channel);
            EXPECT_GT(double(heard.frames), expected_frames * 0.7) << c.name << " channel " << channel;
            EXPECT_LT(double(heard.frames), expected_frames * 1.3) << c.name << " channel " << channel;
            EXPECT_NEAR(heard.pitch_hz, pitch, pitch * 0.05) << c.name << " channel " << channel;
        }
    }
}
