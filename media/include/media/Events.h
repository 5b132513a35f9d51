#pragma once
// Notifications from the engine to its owner.
//
// Thread contract: the callback is invoked on engine threads (demux, decode or audio thread),
// possibly while engine locks are held. It must only post the event to the owner's thread
// (e.g. a queued Qt signal or a posted window message) and return; it must never call back
// into the Movie, block, or touch GUI objects.

#include "media/Mode.h"

#include <cstdint>
#include <functional>
#include <string>

namespace media {

enum class EventKind {
    FrameReady,  // a frame was pushed to the FrameQueue
    ModeChanged, // `mode` holds the new mode
    ReachedEnd,  // play stopped by itself at the end of the medium or range
    Looped,      // a repeating play wrapped round to its start
    SeekDone,    // the frame of a seek or step is on screen
    Error,       // a decoding fault; `message` says what
};

struct Event {
    EventKind kind;
    Mode mode = Mode::NotReady;
    int64_t position_us = 0;
    std::string message;
};

using EventCallback = std::function<void(const Event&)>;

} // namespace media
