// bench_decode: unpaced decoding speed of the engine against ffmpeg on the same clip.
//
//   bench_decode [FILE]
//
// Without FILE, a 60-second PAL VideoCD clip is made with ffmpeg in a temporary folder. The
// engine plays the whole file with rate control off and without sound (as the player's speed
// test does); ffmpeg decodes the video the same way with one thread
// ("ffmpeg -threads 1 -i FILE -an -f null -"). Both are timed in this one run; the ratio
// engine/ffmpeg above 1 means the engine is faster. Last, the CPU the engine spends per second of
// real-time play is printed (a figure to hold against other players measured the same way).

#include "BenchSupport.h"

#include "media/Movie.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

using bench::now_seconds;
using bench::own_cpu_seconds;
using bench::run_timed;
using bench::Timing;

namespace {

bool engine_decode(const std::string& path, Timing& timing, int64_t& frames) {
    media::OpenOptions options;
    options.audio_output = nullptr;
    double cpu_start = own_cpu_seconds();
    double start = now_seconds();
    auto movie = media::Movie::open(path, options);
    if (!movie) {
        std::fprintf(stderr, "bench_decode: %s\n", movie.error().message.c_str());
        return false;
    }
    (*movie)->set_paced(false);
    if (!(*movie)->play({0, std::nullopt, false}) || !(*movie)->wait_play_done(std::chrono::minutes(30)))
        return false;
    timing.wall_seconds = now_seconds() - start;
    timing.cpu_seconds = own_cpu_seconds() - cpu_start;
    frames = (*movie)->position_frames() + 1;
    return true;
}

// Real-time play of the first `seconds` of the clip with sound through SDL (the dummy driver
// when SDL_AUDIODRIVER=dummy) and a stand-in GUI thread draining frames: CPU seconds per second.
bool engine_playback(const std::string& path, double seconds, Timing& timing) {
    auto movie = media::Movie::open(path);
    if (!movie)
        return false;
    std::atomic<bool> done{false};
    std::thread gui([&] {
        while (!done) {
            (*movie)->frames().take_latest();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    double cpu_start = own_cpu_seconds();
    double start = now_seconds();
    bool ok = (*movie)->play({0, int64_t(seconds * 1e6), false}) &&
              (*movie)->wait_play_done(std::chrono::seconds(int(seconds) + 30));
    timing.wall_seconds = now_seconds() - start;
    timing.cpu_seconds = own_cpu_seconds() - cpu_start;
    done = true;
    gui.join();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    std::string path = bench::clip_of(argc, argv, 60);
    if (path.empty())
        return 1;
    Timing warm, engine, ffmpeg;
    int64_t frames = 0;
    // A first pass brings the file into the page cache for both contenders.
    if (!engine_decode(path, warm, frames) || !engine_decode(path, engine, frames)) {
        std::fprintf(stderr, "bench_decode: the engine could not play %s\n", path.c_str());
        return 1;
    }
    if (!run_timed(
            {"ffmpeg", "-hide_banner", "-nostats", "-threads", "1", "-i", path, "-an", "-f", "null", "-"},
            ffmpeg)) {
        std::fprintf(stderr, "bench_decode: ffmpeg failed on %s\n", path.c_str());
        return 1;
    }
    double engine_fps = double(frames) / engine.wall_seconds;
    double ffmpeg_fps = double(frames) / ffmpeg.wall_seconds;
    std::printf("file            %s\n", path.c_str());
    std::printf("frames          %lld\n", static_cast<long long>(frames));
    std::printf("engine          %.0f frames/s  (%.3f s wall, %.3f s CPU)\n", engine_fps, engine.wall_seconds,
                engine.cpu_seconds);
    std::printf("ffmpeg          %.0f frames/s  (%.3f s wall, %.3f s CPU)\n", ffmpeg_fps, ffmpeg.wall_seconds,
                ffmpeg.cpu_seconds);
    std::printf("ratio (wall)    %.2f\n", engine_fps / ffmpeg_fps);
    std::printf("ratio (CPU)     %.2f\n", ffmpeg.cpu_seconds / engine.cpu_seconds);
    Timing playback;
    if (engine_playback(path, 10.0, playback))
        std::printf(
            "real-time play  %.3f CPU s per s  (10 s of the clip, sound through SDL, frames drained)\n",
            playback.cpu_seconds / playback.wall_seconds);
    if (argc <= 1)
        std::filesystem::remove_all(std::filesystem::path(path).parent_path());
    return 0;
}
