#include "media/Mode.h"

namespace media {

namespace {

struct Transition {
    Mode from;
    ModeEvent event;
    Mode to;
};

// Every transition the engine may make. Seeking can be re-entered (a new seek replaces one
// in progress); Failed is accepted from anywhere.
constexpr Transition transitions[] = {
    {Mode::NotReady, ModeEvent::Opened, Mode::Stopped},
    {Mode::Stopped, ModeEvent::Play, Mode::Playing},
    {Mode::Ended, ModeEvent::Play, Mode::Playing},
    {Mode::Paused, ModeEvent::Play, Mode::Playing},
    {Mode::Playing, ModeEvent::Play, Mode::Playing},
    {Mode::Playing, ModeEvent::Pause, Mode::Paused},
    {Mode::Paused, ModeEvent::Pause, Mode::Paused},
    {Mode::Paused, ModeEvent::Resume, Mode::Playing},
    {Mode::Playing, ModeEvent::Stop, Mode::Stopped},
    {Mode::Paused, ModeEvent::Stop, Mode::Stopped},
    {Mode::Stopped, ModeEvent::Stop, Mode::Stopped},
    {Mode::Ended, ModeEvent::Stop, Mode::Stopped},
    {Mode::Seeking, ModeEvent::Stop, Mode::Stopped},
    {Mode::Stopped, ModeEvent::SeekStarted, Mode::Seeking},
    {Mode::Playing, ModeEvent::SeekStarted, Mode::Seeking},
    {Mode::Paused, ModeEvent::SeekStarted, Mode::Seeking},
    {Mode::Ended, ModeEvent::SeekStarted, Mode::Seeking},
    {Mode::Seeking, ModeEvent::SeekStarted, Mode::Seeking},
    {Mode::Seeking, ModeEvent::SeekToStopped, Mode::Stopped},
    {Mode::Seeking, ModeEvent::SeekToPaused, Mode::Paused},
    {Mode::Seeking, ModeEvent::SeekToPlaying, Mode::Playing},
    {Mode::Playing, ModeEvent::ReachedEnd, Mode::Ended},
    {Mode::Seeking, ModeEvent::ReachedEnd, Mode::Ended},
};

} // namespace

std::string_view mode_name(Mode mode) {
    switch (mode) {
    case Mode::NotReady:
        return "not ready";
    case Mode::Stopped:
    case Mode::Ended:
        return "stopped";
    case Mode::Playing:
        return "playing";
    case Mode::Paused:
        return "paused";
    case Mode::Seeking:
        return "seeking";
    }
    return "not ready";
}

bool ModeMachine::allowed(Mode from, ModeEvent event, Mode* to) {
    if (event == ModeEvent::Failed) {
        if (to)
            *to = Mode::NotReady;
        return true;
    }
    for (const auto& transition : transitions) {
        if (transition.from == from && transition.event == event) {
            if (to)
                *to = transition.to;
            return true;
        }
    }
    return false;
}

bool ModeMachine::apply(ModeEvent event) {
    Mode to;
    if (!allowed(m_mode, event, &to))
        return false;
    m_mode = to;
    return true;
}

} // namespace media
