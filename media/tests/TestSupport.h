#pragma once
// Small helpers shared by the engine's tests.

#include "media/Movie.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
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

} // namespace media::test
