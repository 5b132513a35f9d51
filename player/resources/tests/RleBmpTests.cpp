// The RLE8 writer against Qt's BMP reader (an independent decoder) and against a strict reading
// of the format's rules, which a lenient decoder would not enforce.
#include "Rle8Bmp.h"

#include <gtest/gtest.h>

#include <QImage>

#include <functional>
#include <ostream>
#include <string>

namespace {

using player::art::encode_rle8;
using player::art::write_rle8_bmp;

QImage indexed_image(int width, int height, const std::function<int(int, int)>& pixel) {
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> colors;
    for (int i = 0; i < 256; ++i)
        colors.append(qRgb(i, 255 - i, (i * 7) & 0xFF));
    image.setColorTable(colors);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.scanLine(y)[x] = static_cast<uchar>(pixel(x, y));
    return image;
}

// Walks an RLE8 stream by the rules: absolute runs of at least 3 pixels padded to even length, no
// row overrun, one end-of-line per row but the last, end-of-bitmap last, nothing after it.
std::string strict_check(const QByteArray& data, int width, int height) {
    int row = 0;
    int x = 0;
    int at = 0;
    auto byte = [&](int i) { return static_cast<unsigned char>(data[i]); };
    while (at + 1 < data.size()) {
        const int first = byte(at);
        const int second = byte(at + 1);
        at += 2;
        if (first > 0) {
            x += first;
        } else if (second == 0 || second == 1) {
            if (x != width)
                return "row " + std::to_string(row) + " ends at " + std::to_string(x);
            ++row;
            x = 0;
            if (second == 1)
                return row == height && at == data.size() ? "" : "end of bitmap misplaced";
        } else if (second == 2) {
            return "delta escape not expected";
        } else {
            if (second < 3)
                return "absolute run shorter than 3";
            x += second;
            at += second + (second % 2);
        }
        if (x > width)
            return "row " + std::to_string(row) + " overruns";
    }
    return "no end of bitmap";
}

struct RoundTripCase {
    const char* name;
    int width;
    int height;
    std::function<int(int, int)> pixel;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

class RleRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(RleRoundTrip, qt_decodes_the_same_pixels_and_stream_follows_the_rules) {
    const RoundTripCase& c = GetParam();
    const QImage source = indexed_image(c.width, c.height, c.pixel);
    EXPECT_EQ(strict_check(encode_rle8(source), c.width, c.height), "");

    const QByteArray file = write_rle8_bmp(source);
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(static_cast<unsigned char>(file[30]), 1) << "compression must be BI_RLE8";
    EXPECT_EQ(static_cast<unsigned char>(file[28]), 8) << "8 bits per pixel";
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(file, "BMP"));
    ASSERT_EQ(decoded.size(), source.size());
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            ASSERT_EQ(decoded.pixel(x, y), source.pixel(x, y)) << "at " << x << "," << y;
}

std::uint32_t scramble(int x, int y) {
    std::uint32_t v = static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u;
    v ^= v >> 13;
    return v * 2654435761u;
}

INSTANTIATE_TEST_SUITE_P(
    Images, RleRoundTrip,
    testing::Values(
        RoundTripCase{"single_pixel", 1, 1, [](int, int) { return 7; }},
        RoundTripCase{"one_colour_rows_longer_than_a_run", 600, 3, [](int, int) { return 200; }},
        RoundTripCase{"all_different_odd_width", 301, 2, [](int x, int y) { return (x + y) % 256; }},
        RoundTripCase{"literals_of_one_to_five_between_runs", 64, 5,
                      [](int x, int y) { return x % (y + 6) <= y ? (x * 31) % 256 : 9; }},
        RoundTripCase{"pairs_alternating", 40, 2, [](int x, int) { return (x / 2) % 2 ? 1 : 2; }},
        RoundTripCase{"run_of_exactly_255_then_one", 256, 1, [](int x, int) { return x < 255 ? 4 : 5; }},
        RoundTripCase{"noise", 97, 31, [](int x, int y) { return static_cast<int>(scramble(x, y) % 256); }},
        RoundTripCase{"sparse_noise_on_flat", 368, 70,
                      [](int x, int y) {
                          return scramble(x, y) % 11 == 0 ? static_cast<int>(scramble(y, x) % 256) : 40;
                      }},
        RoundTripCase{"index_zero_everywhere", 33, 4, [](int, int) { return 0; }}),
    [](const testing::TestParamInfo<RoundTripCase>& info) { return std::string(info.param.name); });

TEST(RleBmp, refuses_images_that_are_not_8_bit_indexed) {
    EXPECT_TRUE(write_rle8_bmp(QImage(4, 4, QImage::Format_RGB32)).isEmpty());
    EXPECT_TRUE(write_rle8_bmp(QImage()).isEmpty());
}

TEST(RleBmp, flat_image_compresses_to_a_few_bytes_a_row) {
    const QImage flat = indexed_image(368, 70, [](int, int) { return 3; });
    // Two runs (255 + 113) and an end marker per row.
    EXPECT_EQ(encode_rle8(flat).size(), 70 * 6);
}

} // namespace
