#pragma once
// Decodes a file from its start with plain FFmpeg calls, frame by frame, to tell what frame N of
// a medium looks like independently of the engine.

#include <cstdint>
#include <optional>
#include <string>
#include <span>
#include <vector>

namespace media::test {

struct ReferenceFrame {
    int64_t index = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgra;
};

// Frame `index` (counted in decode output order from 0) converted to BGRA the way the engine
// converts it; nullopt when the file has fewer frames.
std::optional<ReferenceFrame> reference_frame(const std::string& path, int64_t index);

// Mean absolute difference per byte between two pictures of the same size (1e9 when the sizes differ).
// Neighbouring frames of the test patterns differ by about 0.4; the same frame decoded and
// converted the same way differs by nothing.
constexpr double same_picture = 0.01;

double picture_difference(std::span<const uint8_t> a, std::span<const uint8_t> b);

} // namespace media::test
