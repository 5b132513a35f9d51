// Opening a medium of arbitrary bytes with the engine, and when it opens: a seek, a step and an
// unpaced play to the end, without sound. Checked: an open fails with a message or gives a
// medium whose properties make sense; nothing the engine does with it crashes or overruns (the
// sanitizers watch the engine's threads too). A hang shows as a time-out of the fuzzer.
//
// Input: one byte that picks the file name's extension (the engine and FFmpeg look at it),
// then the bytes of the file.
#include "FuzzTarget.h"

#include "media/Movie.h"

extern "C" {
#include <libavutil/log.h>
}

#include <chrono>

namespace {

constexpr const char* extensions[] = {".mpg", ".dat", ".avi", ".mov", ".flc", ".m1v", ".mp2", ".bin"};
// Generous: a tiny file plays in milliseconds; the fuzzer's own time-out catches a hang first.
constexpr std::chrono::seconds settle{120};

void check_info(const media::MediaInfo& info) {
    FUZZ_CHECK(info.width >= 0 && info.height >= 0);
    FUZZ_CHECK(info.has_video == (info.width > 0 && info.height > 0));
    FUZZ_CHECK(info.length_us >= 0 && info.length_frames >= 0);
    FUZZ_CHECK(info.track_count >= 1);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // FFmpeg's complaints about damaged input would bury the fuzzer's own output.
    av_log_set_callback([](void*, int, const char*, va_list) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    std::string path = (fuzz::scratch_folder() / (std::string("movie") + extensions[data[0] % std::size(extensions)])).string();
    fuzz::write_file(path, std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));

    media::OpenOptions options;
    options.audio_output = nullptr;
    auto opened = media::Movie::open(path, options);
    if (!opened) {
        FUZZ_CHECK(!opened.error().message.empty());
        return 0;
    }
    media::Movie& movie = **opened;
    check_info(movie.info());
    if (movie.info().has_video) {
        if (movie.seek_to_frame(movie.info().length_frames / 2))
            movie.wait_seek_done(settle);
        if (movie.step(1))
            movie.wait_seek_done(settle);
        movie.frames().clear();
    }
    movie.set_paced(false);
    if (movie.play())
        movie.wait_play_done(settle);
    movie.stop();
    return 0;
}
