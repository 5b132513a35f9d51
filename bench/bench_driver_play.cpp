// bench_driver_play: unpaced play through the MPEG driver package against ffmpeg's decoding of
// the same clip.
//
//   bench_driver_play [FILE]
//
// The package (bin/drivers beside this program) is installed into a temporary prefix as the
// player installs it, and an MPEGMovie device gets the player's speed-test commands:
// "ratecontrol m off", "set m time format frames", then "play m from 0 to 600 wait", which is
// timed. ffmpeg decodes the same 601 video frames with one thread; its own -benchmark figure
// (rtime: the decoding loop, without starting the process) is the peer's time. Without FILE a
// 40-second PAL VideoCD clip is made with ffmpeg. Prints frames per second of both and the ratio
// ours/ffmpeg (above 1: faster than ffmpeg decodes).

#include "BenchSupport.h"

#include "host/kernel32.h"
#include "host/winmm.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int last_frame = 600;

fs::path own_folder() {
    return fs::canonical("/proc/self/exe").parent_path();
}

bool send(const std::string& command, std::string* reply = nullptr) {
    char buffer[256] = "";
    MCIERROR error = mciSendStringA(command.c_str(), buffer, sizeof buffer, nullptr);
    if (reply)
        *reply = buffer;
    if (error != 0) {
        char text[256] = "";
        mciGetErrorStringA(error, text, sizeof text);
        std::fprintf(stderr, "bench_driver_play: %s: %s\n", command.c_str(), text);
    }
    return error == 0;
}

// A fresh prefix with the package installed and the clip as C:\CLIP.MPG.
bool install(const fs::path& prefix, const std::string& clip) {
    setenv("DOSPREFIX", prefix.c_str(), 1);
    if (!send("sysinfo all quantity wait")) // creates and seeds the prefix
        return false;
    std::error_code error;
    fs::path system = prefix / "drive_c" / "WINDOWS" / "SYSTEM";
    for (const char* file : {"cddriver.drv", "cdaudio.dll", "cdvideo.dll", "cdvideo.ini", "cddisp.dll"})
        fs::copy_file(own_folder() / "drivers" / file, system / file, fs::copy_options::overwrite_existing,
                      error);
    fs::copy_file(clip, prefix / "drive_c" / "CLIP.MPG", error);
    return !error && WritePrivateProfileStringA("mci", "VCDVideo", "CDDRIVER.DRV", "SYSTEM.INI") &&
           WritePrivateProfileStringA("mci", "MpegMovie", "CDDRIVER.DRV", "SYSTEM.INI");
}

// Seconds of one unpaced play from frame 0 to 600, or a negative number on failure.
double timed_play() {
    std::string position;
    if (!send("open C:\\CLIP.MPG type MPEGMovie alias m wait") || !send("ratecontrol m off wait") ||
        !send("set m time format frames wait"))
        return -1;
    double start = bench::now_seconds();
    bool played = send("play m from 0 to " + std::to_string(last_frame) + " wait");
    double seconds = bench::now_seconds() - start;
    send("status m position wait", &position);
    send("close m wait");
    if (!played || position != std::to_string(last_frame)) {
        std::fprintf(stderr, "bench_driver_play: play ended at frame %s\n", position.c_str());
        return -1;
    }
    return seconds;
}

// ffmpeg's real time of decoding the first 601 frames (its -benchmark "rtime"), or negative.
double ffmpeg_decode(const std::string& clip) {
    bench::Timing timing;
    std::string errors;
    if (!bench::run_timed({"ffmpeg", "-hide_banner", "-nostats", "-benchmark", "-threads", "1", "-i", clip,
                           "-frames:v", std::to_string(last_frame + 1), "-an", "-f", "null", "-"},
                          timing, &errors))
        return -1;
    std::size_t at = errors.find("rtime=");
    return at == std::string::npos ? -1 : std::atof(errors.c_str() + at + 6);
}

} // namespace

int main(int argc, char** argv) {
    std::string clip = bench::clip_of(argc, argv, 40);
    if (clip.empty())
        return 1;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    fs::path prefix = fs::temp_directory_path() / ("bench-driver-" + std::to_string(::getpid()));
    if (!install(prefix, clip)) {
        std::fprintf(stderr, "bench_driver_play: cannot install the package into %s\n", prefix.c_str());
        return 1;
    }
    // The best of five of each, the first pass also bringing the file into the page cache.
    double ours = 1e9, theirs = 1e9;
    for (int run = 0; run < 5; ++run) {
        double play = timed_play();
        double decode = ffmpeg_decode(clip);
        if (play < 0 || decode < 0) {
            std::fprintf(stderr, "bench_driver_play: a run failed\n");
            return 1;
        }
        ours = std::min(ours, play);
        theirs = std::min(theirs, decode);
    }
    std::printf("clip                                 %s\n", clip.c_str());
    std::printf("play from 0 to %d, rate control off: %.3f s, %.0f frames/s\n", last_frame, ours,
                (last_frame + 1) / ours);
    std::printf("ffmpeg decoding %d frames:          %.3f s, %.0f frames/s\n", last_frame + 1, theirs,
                (last_frame + 1) / theirs);
    std::printf("ratio (ours / ffmpeg)                %.2f\n", theirs / ours);
    fs::remove_all(prefix);
    if (argc <= 1)
        fs::remove_all(fs::path(clip).parent_path());
    return 0;
}
