// Streams that are not what their start promises: sound that changes format midway, and bytes
// damaged throughout. The engine plays what it can decode, skips the rest and reaches the end.

#include "MediaFixtures.h"
#include "RecordingOutput.h"
#include "TestSupport.h"

#include <algorithm>
#include <ostream>

using namespace media;
using namespace media::test;
using namespace std::chrono_literals;

namespace {

// Long enough for a whole damaged clip played at the recording device's speed.
constexpr auto play_through = std::chrono::seconds(120);
constexpr double device_speed = 8.0;

int64_t sounding_frames(RecordingOutput::Tape& tape) {
    std::lock_guard lock(tape.mutex);
    int64_t count = 0;
    for (size_t i = 0; i + tape.channels <= tape.samples.size(); i += tape.channels)
        count += std::any_of(tape.samples.begin() + i, tape.samples.begin() + i + tape.channels,
                             [](int16_t s) { return s != 0; });
    return count;
}

} // namespace

TEST(MediaDamagedStream, sound_changing_format_midway_is_heard_to_the_end) {
    auto path = vcd_mpeg_format_change();
    ASSERT_FALSE(path.empty());
    auto tape = std::make_shared<RecordingOutput::Tape>();
    auto movie = Movie::open(path, recording_options(tape, device_speed));
    ASSERT_TRUE(movie) << movie.error().message;
    ASSERT_TRUE((*movie)->play());
    ASSERT_TRUE((*movie)->wait_play_done(play_through));
    EXPECT_EQ((*movie)->mode(), Mode::Ended);
    // All twelve seconds were heard, each part converted to the device's format.
    EXPECT_GT(sounding_frames(*tape), int64_t(tape->sample_rate) * 11);
}

struct DamageCase {
    const char* name;
    int64_t first; // offset of the first damaged byte
    uint32_t seed;
    friend void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }
};

class MediaDamagedBytes : public ::testing::TestWithParam<DamageCase> {};

// Every 2000th byte of a 30 s VideoCD MPEG replaced: pack and packet headers, picture and sound
// data all take hits.
TEST_P(MediaDamagedBytes, play_reaches_the_end) {
    const auto& c = GetParam();
    auto source = vcd_mpeg(30);
    ASSERT_FALSE(source.empty());
    auto path = damaged_copy(source, c.first, 2000, c.seed);
    ASSERT_FALSE(path.empty());
    for (bool with_sound : {true, false}) {
        auto tape = std::make_shared<RecordingOutput::Tape>();
        auto movie = Movie::open(path, with_sound ? recording_options(tape, device_speed) : silent_options());
        ASSERT_TRUE(movie) << movie.error().message;
        if (!with_sound)
            (*movie)->set_paced(false);
        ASSERT_TRUE((*movie)->play());
        ASSERT_TRUE((*movie)->wait_play_done(play_through)) << "with sound: " << with_sound;
        EXPECT_EQ((*movie)->mode(), Mode::Ended);
        EXPECT_GT((*movie)->position_us(), 29000 * ms);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, MediaDamagedBytes,
                         ::testing::Values(DamageCase{"from_start_a", 0, 1}, DamageCase{"from_start_b", 0, 2},
                                           DamageCase{"from_start_c", 0, 3},
                                           DamageCase{"from_1999", 1999, 1}),
                         [](const auto& info) { return std::string(info.param.name); });
