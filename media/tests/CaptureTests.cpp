// Capturing the frame on screen as a BMP file.

#include "MediaFixtures.h"
#include "ReferenceDecoder.h"
#include "TestSupport.h"

#include <filesystem>
#include <fstream>

using namespace media;
using namespace media::test;

namespace {

struct BmpHeader {
    bool magic = false;
    int32_t width = 0, height = 0;
    int bits = 0;
    uint32_t file_size = 0, data_offset = 0;
};

BmpHeader read_bmp_header(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    BmpHeader header;
    if (bytes.size() < 54)
        return header;
    auto u32 = [&](size_t at) {
        return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
               uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
    };
    header.magic = bytes[0] == 'B' && bytes[1] == 'M';
    header.file_size = u32(2);
    header.data_offset = u32(10);
    header.width = int32_t(u32(18));
    header.height = int32_t(u32(22));
    header.bits = uint8_t(bytes[28]) | uint8_t(bytes[29]) << 8;
    return header;
}

} // namespace

TEST(MediaCapture, writes_bmp_of_source_size_whatever_the_display_size) {
    auto path = vcd_mpeg();
    auto movie = open_silent(path);
    ASSERT_TRUE(movie);
    movie->set_target_size(100, 80);
    ASSERT_TRUE(movie->seek(2000 * ms));
    ASSERT_TRUE(movie->wait_seek_done(settle));
    auto out = fixture_folder() + "/capture-" + std::to_string(::getpid()) + ".bmp";
    ASSERT_TRUE(movie->capture_bmp(out));
    std::string bytes;
    auto header = read_bmp_header(out, bytes);
    EXPECT_TRUE(header.magic);
    EXPECT_EQ(header.width, 352);
    EXPECT_EQ(std::abs(header.height), 288);
    EXPECT_EQ(header.bits, 24);
    EXPECT_EQ(header.file_size, bytes.size());
    EXPECT_EQ(bytes.size(), header.data_offset + size_t(352 * 3) * 288);

    // The picture is frame 50: compare one row of the bottom-up BMP with the reference decode.
    auto reference = reference_frame(path, 50);
    ASSERT_TRUE(reference);
    double difference = 0;
    int row = 100;
    size_t bmp_row = header.data_offset + size_t(288 - 1 - row) * 352 * 3;
    for (int x = 0; x < 352; ++x)
        for (int c = 0; c < 3; ++c)
            difference += std::abs(int(uint8_t(bytes[bmp_row + x * 3 + c])) -
                                   int(reference->bgra[(row * 352 + x) * 4 + c]));
    EXPECT_LT(difference / (352 * 3), 8.0);
    std::filesystem::remove(out);
    EXPECT_FALSE(std::filesystem::exists(out + ".partial"));
}

TEST(MediaCapture, unwritable_target_fails_and_leaves_nothing) {
    auto movie = open_silent(avi_clip());
    ASSERT_TRUE(movie);
    auto result = movie->capture_bmp("/nonexistent-folder/x.bmp");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().code, ErrorCode::Io);
}

TEST(MediaCapture, captures_flc_animation_frame) {
    auto movie = open_silent(flc_animation(10));
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->seek_to_frame(3));
    ASSERT_TRUE(movie->wait_seek_done(settle));
    auto out = fixture_folder() + "/flc-" + std::to_string(::getpid()) + ".bmp";
    ASSERT_TRUE(movie->capture_bmp(out));
    std::string bytes;
    auto header = read_bmp_header(out, bytes);
    EXPECT_EQ(header.width, 64);
    EXPECT_EQ(std::abs(header.height), 48);
    // Frame 3 is filled with palette colour 70 = (70, 185, 35) in R, G, B; BMP stores B, G, R.
    ASSERT_GT(bytes.size(), header.data_offset + 3);
    EXPECT_EQ(uint8_t(bytes[header.data_offset]), 35);
    EXPECT_EQ(uint8_t(bytes[header.data_offset + 1]), 185);
    EXPECT_EQ(uint8_t(bytes[header.data_offset + 2]), 70);
    std::filesystem::remove(out);
}
