#pragma once
// media: the playback engine.
//
// A Movie is one open medium: an MPEG-1/2 system stream, a VideoCD `.DAT` track, the MPEG tracks
// of a raw VideoCD image (`.cue` + `.bin`) or of a mounted VideoCD (a folder holding
// `MPEGAV/*.DAT`) played as one medium with a track count, AVI, QuickTime or FLI/FLC.
// Inside, one demux thread feeds a video and an audio decode thread; SDL2 plays the sound and
// its clock is the master (the system clock when there is no sound). Shown frames are scaled to
// the owner's size and handed over through a FrameQueue; events are posted through a callback.
//
// Thread contract: every public member is called from one owner thread (the GUI thread) and
// returns at once, except open(), capture_bmp() and the explicit wait_*() calls. The engine never
// calls into the owner except through the EventCallback (see Events.h). Positions and times are
// media time in microseconds from the first frame; frame numbers count from 0. Destroying a
// Movie stops and joins its threads and closes its sound device (a short block). Opening sets
// FFmpeg's process-wide log level to errors only.

#include "media/AudioOutput.h"
#include "media/CueSheet.h"
#include "media/Events.h"
#include "media/FrameQueue.h"
#include "media/MediaInfo.h"
#include "media/Mode.h"
#include "media/Result.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace media {

struct OpenOptions {
    // Makes the sound device; null or a factory returning null plays without sound.
    AudioOutputFactory audio_output = make_sdl_audio_output;
    // Decoder threads per stream (FFmpeg's thread_count; 0 = automatic).
    int decode_threads = 1;
    size_t frame_queue_capacity = 3;
    EventCallback events; // may also be set later with set_event_callback
    // Format of the sound output: 0 keeps the stream's sample rate or channel count; 1 channel
    // plays both channels mixed into one.
    int audio_sample_rate = 0;
    int audio_channels = 0;
    // How a cue sheet's FILE lines find their image files; null keeps them within the cue
    // sheet's folder (resolve_in_cue_folder).
    CueFileResolver cue_files;
    // open() returns once the first frame is decoded (up to 10 s); without it open() returns as
    // soon as the medium is probed and the first frame follows (mode Seeking until then).
    bool wait_for_first_frame = true;
    // Where the pixels of presented frames come from; null takes them from the heap.
    PixelSource pixel_source;
};

struct PlayOptions {
    std::optional<int64_t> from_us; // seek here first; none = from the current position
    std::optional<int64_t> to_us;   // last media time to show; none = to the end
    bool repeat = false;            // loop from `from_us` (or the start) until stopped
};

enum class Channel { Left, Right };

class Engine;

class Movie {
  public:
    // Opens the medium at a host path, reads its properties and shows its first frame.
    // Blocks while the file is probed.
    static Result<std::unique_ptr<Movie>> open(const std::string& path, OpenOptions options = {});
    ~Movie();
    Movie(const Movie&) = delete;
    Movie& operator=(const Movie&) = delete;

    const MediaInfo& info() const;
    // The callback is called on engine threads; it must only post (Events.h).
    void set_event_callback(EventCallback callback);
    // Shown frames, for the owner to drain.
    FrameQueue& frames();
    // Size of the frames handed over; 0, 0 restores the source size. A size beyond the engine's
    // bound (no side above 8192, no more than 4096 x 4096 pixels) gets frames of the same aspect
    // within it, for the owner to stretch.
    void set_target_size(int width, int height);

    // The mode as the owner sees it: the seek that starts a play reads as Playing, a step's (or a
    // paused play's) as Paused; Seeking is a seek asked for as such. A stop takes effect at once.
    Mode mode() const;
    // The frame on screen (or the sound being heard); while a seek runs, where it goes.
    int64_t position_us() const;
    int64_t position_frames() const;

    Status play(const PlayOptions& options = {});
    Status stop();
    Status pause();
    Status resume();
    // Exact: the frame shown is the first whose time is at or after the target.
    Status seek(int64_t position_us);
    Status seek_to_frame(int64_t frame);
    Status seek_to_start();
    Status seek_to_end();        // the last frame
    Status step(int64_t frames); // forward (or back when negative) from the frame on screen
    Status step_to_next_key();   // the next key frame after the frame on screen

    // Speed of play: 1.0 normal, 2.0 fast, 0.5 slow. Sound is silent away from 1.0.
    Status set_rate(double rate);
    double rate() const;
    // Rate control off: play as fast as the decoder goes (sound silent).
    void set_paced(bool paced);
    bool paced() const;

    void set_volume(int volume); // 0..1000, clamped
    int volume() const;
    void set_channel(Channel channel, bool on);
    bool channel(Channel channel) const;

    // Wait until a seek or step has its frame on screen; false on timeout.
    bool wait_seek_done(std::chrono::milliseconds timeout);
    // Wait until play has ended or was stopped or paused; false on timeout.
    bool wait_play_done(std::chrono::milliseconds timeout);

    // Writes the frame on screen, at the source size, as a BMP file (libavcodec's encoder).
    // The file appears complete or not at all.
    Status capture_bmp(const std::string& path);

    // Frames the video decoder reported as damaged since open.
    int decode_errors() const;

  private:
    explicit Movie(std::unique_ptr<Engine> engine);
    std::unique_ptr<Engine> m_engine;
};

} // namespace media
