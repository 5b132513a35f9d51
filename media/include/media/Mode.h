#pragma once
// The playback mode as an explicit state machine. Every transition the engine makes goes through
// ModeMachine::apply, which refuses transitions the table does not list.

#include <string_view>

namespace media {

enum class Mode {
    NotReady, // opening, or the medium failed
    Stopped,  // open, not moving (after open, stop or a completed seek)
    Playing,
    Paused,
    Seeking, // a seek or step is in progress; ends when its frame is on screen (Movie::mode()
             // reports a play's or a step's seek as the mode it ends in)
    Ended,   // play reached the end of the medium or of the requested range
};

enum class ModeEvent {
    Opened,
    Play,
    Pause,
    Resume,
    Stop,
    SeekStarted,
    SeekToStopped, // a seek finished and leaves the medium stopped
    SeekToPaused,  // a step finished: the medium rests paused on the new frame
    SeekToPlaying, // a seek that is part of a play (play from, loop) finished
    ReachedEnd,
    Failed,
};

// Word for the mode as the MCI layer reports it ("playing", "stopped", ...). Ended reads
// "stopped": an ended device is a stopped device whose position is at the end.
std::string_view mode_name(Mode mode);

class ModeMachine {
  public:
    Mode mode() const { return m_mode; }
    // Applies the event; returns false and keeps the mode when the table has no such transition.
    bool apply(ModeEvent event);
    static bool allowed(Mode from, ModeEvent event, Mode* to = nullptr);

  private:
    Mode m_mode = Mode::NotReady;
};

} // namespace media
