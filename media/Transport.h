#pragma once
// The state the engine's stages share: mode, seek serial and request, play range, rate, clock
// and the position of the frame on screen. One mutex guards it all; `changed` is notified on
// every change so that waiting stages re-check. The stages (demuxer, video, audio) read and
// complete requests here; only the owner (Movie) starts them.
//
// Lock order of the engine, for every thread: a mutex further down this list may be taken while
// one above it is held, never the other way round.
//   1. Transport::mutex
//   2. PacketQueue::m_mutex, AudioRing::m_mutex (each alone: never two of them at once)
//   3. FrameQueue::m_mutex, VideoStage::m_screen_mutex (each taken with nothing else held)
// The sound device's thread (Engine::pull_audio) and the owner's thread follow it too.

#include "media/Clock.h"
#include "media/Events.h"
#include "media/Mode.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
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
    // Told of every new seek serial (and of quit), with `mutex` held: stages waiting elsewhere
    // than on `changed` look again whether their work is still wanted.
    std::function<void()> serial_changed;

    // Whether work of this serial is still wanted (no seek since); takes `mutex` itself.
    bool is_current(int serial);

    // The helpers below expect `mutex` to be held.
    bool apply(ModeEvent event);
    void post(Event event);
    // Bumps the serial and asks the demuxer to move; the mode becomes Seeking.
    void start_seek(int64_t target_us, SeekKind kind, ModeEvent finish);
    // Same target again from further back (the first frame came after the target).
    void widen_seek();
    // Wakes every stage that waits, on `changed` or elsewhere (serial_changed): a new serial or
    // quit may have made its work unwanted.
    void wake_stages();
    // A stage has shown the seek's frame at `position`.
    void finish_seek(int64_t position);
    // Play reached the end of the range or medium (for the serial the caller worked on).
    void reached_end(int for_serial);
    // Whether the sound device paces play (rate control on, or sound alone; sound open).
    bool audio_is_master() const;
    // With `mutex` held through `lock`: waits until the mode is Playing and `due_in_us()` (asked
    // with the lock held; real time) is no more than 0. False when the work of `serial` stops
    // being wanted first (a seek, or quit).
    bool wait_in_play(std::unique_lock<std::mutex>& lock, int serial,
                      const std::function<int64_t()>& due_in_us);
    // Real time until media time `media_us` comes on the clock at the current rate.
    int64_t real_us_until(int64_t media_us) const;
    // How far before a seek target the demuxer starts reading; widened (x4) while the first
    // decoded frame still comes after the target.
    static constexpr int64_t initial_seek_margin_us = 1000000;
    static constexpr int64_t max_seek_margin_us = 64000000;
    // Longest single wait for a time to come, so changes of the clock anchor are picked up.
    static constexpr int64_t max_wait_slice_us = 50000;
};

} // namespace media
