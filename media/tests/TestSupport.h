#pragma once
// Small helpers shared by the engine's tests.

#include "ReferenceDecoder.h"
#include "media/Movie.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace media::test {

inline OpenOptions silent_options() {
    OpenOptions options;
    options.audio_output = nullptr;
    return options;
}

// Opens a medium without sound (the system clock paces play); fails the test when it cannot.
inline std::unique_ptr<Movie> open_silent(const std::string& path) {
    auto movie = Movie::open(path, silent_options());
    EXPECT_TRUE(movie) << (movie ? "" : movie.error().message);
    return movie ? std::move(*movie) : nullptr;
}

constexpr int64_t ms = 1000;
constexpr auto settle = std::chrono::seconds(10);

// The frame shown after a seek to `at_us` with pictures scaled to `width` x `height`; none (and a
// failed test) when the seek does not end.
inline std::optional<VideoFrame> frame_at_size(Movie& movie, int width, int height, int64_t at_us) {
    movie.set_target_size(width, height);
    EXPECT_TRUE(movie.seek(at_us)) << "at " << at_us;
    if (!movie.wait_seek_done(settle)) {
        ADD_FAILURE() << "the seek to " << at_us << " did not end";
        return std::nullopt;
    }
    return movie.frames().take_latest();
}

// Seeks to `at_us` and checks that the frame shown is frame `reference_index` of `reference`, as
// FFmpeg decodes it on its own.
inline void expect_frame(Movie& movie, const std::string& reference, int64_t reference_index, int64_t at_us) {
    ASSERT_TRUE(movie.seek(at_us)) << "at " << at_us;
    ASSERT_TRUE(movie.wait_seek_done(settle));
    auto shown = movie.frames().take_latest();
    ASSERT_TRUE(shown);
    auto expected = reference_frame(reference, reference_index);
    ASSERT_TRUE(expected);
    EXPECT_LT(picture_difference(shown->pixels, expected->bgra), same_picture) << "at " << at_us;
}

} // namespace media::test
