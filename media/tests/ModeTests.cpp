// The mode state machine's transition table.

#include "media/Mode.h"

#include <gtest/gtest.h>
#include <ostream>

using namespace media;

namespace {

struct TransitionCase {
    Mode from;
    ModeEvent event;
    bool allowed;
    Mode to;
    friend void PrintTo(const TransitionCase& c, std::ostream* os) {
        *os << int(c.from) << "+" << int(c.event);
    }
};

class MediaModeTransitions : public ::testing::TestWithParam<TransitionCase> {};

} // namespace

TEST_P(MediaModeTransitions, follow_table) {
    const auto& c = GetParam();
    Mode to = Mode::NotReady;
    EXPECT_EQ(ModeMachine::allowed(c.from, c.event, &to), c.allowed);
    if (c.allowed) {
        EXPECT_EQ(to, c.to);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MediaModeTransitions,
    ::testing::Values(TransitionCase{Mode::NotReady, ModeEvent::Opened, true, Mode::Stopped},
                      TransitionCase{Mode::NotReady, ModeEvent::Play, false, Mode::NotReady},
                      TransitionCase{Mode::Stopped, ModeEvent::Play, true, Mode::Playing},
                      TransitionCase{Mode::Stopped, ModeEvent::Resume, false, Mode::Stopped},
                      TransitionCase{Mode::Stopped, ModeEvent::ReachedEnd, false, Mode::Stopped},
                      TransitionCase{Mode::Playing, ModeEvent::Pause, true, Mode::Paused},
                      TransitionCase{Mode::Playing, ModeEvent::ReachedEnd, true, Mode::Ended},
                      TransitionCase{Mode::Paused, ModeEvent::Resume, true, Mode::Playing},
                      TransitionCase{Mode::Paused, ModeEvent::Stop, true, Mode::Stopped},
                      TransitionCase{Mode::Ended, ModeEvent::Play, true, Mode::Playing},
                      TransitionCase{Mode::Ended, ModeEvent::Stop, true, Mode::Stopped},
                      TransitionCase{Mode::Ended, ModeEvent::Pause, false, Mode::Ended},
                      TransitionCase{Mode::Playing, ModeEvent::SeekStarted, true, Mode::Seeking},
                      TransitionCase{Mode::Seeking, ModeEvent::SeekStarted, true, Mode::Seeking},
                      TransitionCase{Mode::Seeking, ModeEvent::SeekToStopped, true, Mode::Stopped},
                      TransitionCase{Mode::Seeking, ModeEvent::SeekToPaused, true, Mode::Paused},
                      TransitionCase{Mode::Seeking, ModeEvent::SeekToPlaying, true, Mode::Playing},
                      TransitionCase{Mode::Stopped, ModeEvent::SeekToPlaying, false, Mode::Stopped},
                      TransitionCase{Mode::Playing, ModeEvent::Failed, true, Mode::NotReady}));

TEST(MediaModeMachine, refused_event_keeps_mode) {
    ModeMachine machine;
    EXPECT_FALSE(machine.apply(ModeEvent::Play));
    EXPECT_EQ(machine.mode(), Mode::NotReady);
    EXPECT_TRUE(machine.apply(ModeEvent::Opened));
    EXPECT_FALSE(machine.apply(ModeEvent::Resume));
    EXPECT_EQ(machine.mode(), Mode::Stopped);
}

TEST(MediaModeMachine, names_are_mci_mode_words) {
    struct {
        Mode mode;
        const char* name;
    } names[] = {{Mode::NotReady, "not ready"}, {Mode::Stopped, "stopped"}, {Mode::Playing, "playing"},
                 {Mode::Paused, "paused"},      {Mode::Seeking, "seeking"}, {Mode::Ended, "stopped"}};
    for (auto entry : names)
        EXPECT_EQ(mode_name(entry.mode), entry.name);
}
