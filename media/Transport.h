#pragma once
// The state the engine's stages share: mode, seek serial and request, play range, rate, clock
// and the position of the frame on screen. One mutex guards it all; `changed` is notified on
// every change so that waiting stages re-check. The stages (demuxer, video, audio) read and
// complete requests here; only the owner (Movie) starts them.
//
// Lock order: Transport::mutex may be taken before a queue's or ring's own mutex, never after.

#include "media/Clock.h"
#include "media/Events.h"
#include "media/Mode.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>

namespace media {

enum class SeekKind {
    Exact,   // the first frame at or after the target
    NextKey, // the first key frame at or after the target
    End,     // the last frame of the medium
};

struct SeekRequest {
    int serial = 0;
    int64_t target_us = 0;
    SeekKind kind = SeekKind::Exact;
    ModeEvent finish = ModeEvent::SeekToStopped; // what the mode becomes once the frame is shown
    int64_t margin_us = 0;                       // the demuxer starts this far before the target
};

struct PlayRange {
    int64_t from_us = 0;
    std::optional<int64_t> to_us; // last media time to show; none = the end of the medium
    bool repeat = false;
};

class Transport {
  public:
    // Everything below is guarded by `mutex`.
    std::mutex mutex;
    std::condition_variable changed;

    ModeMachine machine;
    int serial = 0;
    std::optional<SeekRequest> seek;          // in progress until a stage shows its frame
    std::optional<SeekRequest> demux_request; // not yet taken by the demuxer
    PlayRange range;
    double rate = 1.0;
    bool paced = true;
    bool quit = false;
    bool has_video = false;
    bool audio_output_open = false;
    int64_t position_us = 0;   // media time of the frame on screen
    int exhausted_serial = -1; // the stages have played everything of this serial (end of medium)
    PlaybackClock clock;
    EventCallback callback;

    // Whether work of this serial is still wanted (no seek since); takes `mutex` itself.
    bool is_current(int serial);

    // The helpers below expect `mutex` to be held.
    bool apply(ModeEvent event);
    void post(Event event);
    // Bumps the serial and asks the demuxer to move; the mode becomes Seeking.
    void start_seek(int64_t target_us, SeekKind kind, ModeEvent finish);
    // Same target again from further back (the first frame came after the target).
    void widen_seek();
    // A stage has shown the seek's frame at `position`.
    void finish_seek(int64_t position);
    // Play reached the end of the range or medium (for the serial the caller worked on).
    void reached_end(int for_serial);
    // Whether the sound device paces play (normal speed, rate control on, sound open).
    bool audio_is_master() const;
    // How far before a seek target the demuxer starts reading; widened (x4) while the first
    // decoded frame still comes after the target.
    static constexpr int64_t initial_seek_margin_us = 1000000;
    static constexpr int64_t max_seek_margin_us = 64000000;
};

} // namespace media
