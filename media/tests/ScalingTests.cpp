// Pictures scaled by the engine for the window's size look as FFmpeg's own scaler draws them:
// larger, smaller and of another aspect, for sizes of any width.
#include "MediaFixtures.h"
#include "ReferenceDecoder.h"
#include "TestSupport.h"

extern "C" {
#include <libswscale/swscale.h>
}

#include <cmath>
#include <span>
#include <vector>

namespace media::test {
namespace {

// The reference frame scaled by libswscale's bicubic filter, the finest it offers.
std::vector<uint8_t> scaled_reference(ReferenceFrame const& frame, int width, int height) {
    std::vector<uint8_t> out(static_cast<size_t>(width) * 4 * height);
    SwsContext* scaler = sws_getContext(frame.width, frame.height, AV_PIX_FMT_BGRA, width, height, AV_PIX_FMT_BGRA,
                                        SWS_BICUBIC, nullptr, nullptr, nullptr);
    const uint8_t* source[4] = {frame.bgra.data(), nullptr, nullptr, nullptr};
    const int source_strides[4] = {frame.width * 4, 0, 0, 0};
    uint8_t* target[4] = {out.data(), nullptr, nullptr, nullptr};
    const int target_strides[4] = {width * 4, 0, 0, 0};
    sws_scale(scaler, source, source_strides, 0, frame.height, target, target_strides);
    sws_freeContext(scaler);
    return out;
}

// Peak signal-to-noise ratio of `picture` against `reference` (BGRA, alpha left out), in dB.
double psnr(std::span<const uint8_t> picture, std::vector<uint8_t> const& reference) {
    if (picture.size() < reference.size())
        return 0;
    double squared = 0;
    size_t count = 0;
    for (size_t i = 0; i < reference.size(); ++i) {
        if (i % 4 == 3)
            continue;
        const double error = double(picture[i]) - double(reference[i]);
        squared += error * error;
        ++count;
    }
    return squared == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 * double(count) / squared);
}

TEST(MediaScaling, scaled_pictures_match_ffmpegs_bicubic_scaling_of_the_frame) {
    const std::string path = vcd_mpeg();
    const int64_t index = 25; // one second in
    auto reference = reference_frame(path, index);
    ASSERT_TRUE(reference);
    const struct {
        int width, height;
    } sizes[] = {{1024, 768}, {704, 576}, {176, 144}, {1001, 333}, {37, 29}};
    auto movie = open_silent(path);
    ASSERT_TRUE(movie);
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
        auto shown = frame_at_size(*movie, size.width, size.height, index * 40 * ms);
        ASSERT_TRUE(shown);
        ASSERT_EQ(shown->width, size.width);
        ASSERT_EQ(shown->height, size.height);
        ASSERT_EQ(shown->stride, size.width * 4);
        // Bilinear against bicubic, and the colour conversion before or after the scaling, leave
        // the pictures about 30 dB apart; a shifted, flipped or misread picture is under 20.
        EXPECT_GT(psnr(shown->pixels, scaled_reference(*reference, size.width, size.height)), 27.0);
    }
}

} // namespace
} // namespace media::test
