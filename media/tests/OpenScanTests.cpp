// Opening media with long empty tails (disc images and movies padded with zeros): what the engine
// reads to learn a medium's length stays bounded whatever the file's size, and the length and
// play are those of the data alone.

#include "MediaFixtures.h"
#include "MediaProbe.h"
#include "TestSupport.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <unistd.h>

using namespace media;
using namespace media::test;

namespace fs = std::filesystem;

namespace {

constexpr int64_t MiB = 1024 * 1024;

// `source`'s bytes (from `skip` on, `count` of them; -1: all), then `tail` zero bytes: a hole when
// `sparse` (taking no room on disk), else written out.
std::string padded_copy(const std::string& name, const std::string& source, int64_t skip, int64_t count,
                        int64_t tail, bool sparse) {
    auto path = fs::path(fixture_folder()) / name;
    if (fs::exists(path))
        return path.string();
    std::ifstream in(source, std::ios::binary);
    in.seekg(skip);
    std::string data((std::istreambuf_iterator<char>(in)), {});
    if (data.empty())
        return "";
    if (count >= 0)
        data.resize(size_t(count));
    auto temporary = path.string() + "." + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary);
        out << data;
        if (!sparse) {
            std::string zeros(MiB, '\0');
            for (int64_t written = 0; written < tail; written += MiB)
                out.write(zeros.data(), std::streamsize(std::min<int64_t>(MiB, tail - written)));
        }
    }
    if (sparse)
        fs::resize_file(temporary, data.size() + size_t(tail));
    fs::rename(temporary, path);
    return path.string();
}

// A one-track cue sheet beside `bin`.
std::string cue_for(const std::string& bin) {
    auto cue = fs::path(bin).replace_extension(".cue");
    if (!fs::exists(cue))
        std::ofstream(cue) << "FILE \"" << fs::path(bin).filename().string()
                           << "\" BINARY\n  TRACK 01 MODE2/2352\n    INDEX 01 00:00:00\n";
    return cue.string();
}

struct TailCase {
    const char* name;
    bool disc_image; // 60 movie sectors of a VideoCD image, else a VideoCD MPEG file
    int64_t tail;
    bool sparse;
    friend void PrintTo(const TailCase& c, std::ostream* os) { *os << c.name; }
};

class MediaEmptyTail : public ::testing::TestWithParam<TailCase> {};

std::string make_medium(const TailCase& c, int64_t tail) {
    std::string suffix = std::string(c.sparse ? "sparse-" : "written-") + std::to_string(tail);
    if (!c.disc_image)
        return padded_copy("tail-" + suffix + ".mpg", vcd_mpeg(), 0, -1, tail, c.sparse);
    auto image = vcd_image(false);
    if (image.empty())
        return "";
    // The movie track of the one-track image starts at 00:06:00 (sector 450).
    auto bin = fs::path(image).replace_extension(".bin").string();
    return cue_for(padded_copy("tail-" + suffix + ".bin", bin, 450 * 2352, 60 * 2352, tail, c.sparse));
}

} // namespace

TEST_P(MediaEmptyTail, open_reads_a_bounded_amount_and_finds_the_length_of_the_data) {
    const auto& c = GetParam();
    auto plain = make_medium(c, 0);
    auto padded = make_medium(c, c.tail);
    ASSERT_FALSE(plain.empty());
    ASSERT_FALSE(padded.empty());
    auto expected = probe_medium(*segments_of(plain));
    ASSERT_TRUE(expected) << expected.error().message;

    auto segments = segments_of(padded);
    ASSERT_TRUE(segments) << segments.error().message;
    auto probe = probe_medium(*segments);
    ASSERT_TRUE(probe) << probe.error().message;
    EXPECT_EQ(probe->info.length_us, expected->info.length_us);
    EXPECT_EQ(probe->info.length_frames, expected->info.length_frames);
    // FFmpeg's search for the last timestamps and the scans for packets may each read a little
    // past the data, never the whole tail.
    EXPECT_LT(probe->bytes_read, expected->bytes_read + 48 * MiB);
    RecordProperty("bytes_read", std::to_string(probe->bytes_read));
    RecordProperty("bytes_read_without_tail", std::to_string(expected->bytes_read));

    auto movie = open_silent(padded);
    ASSERT_TRUE(movie);
    movie->set_paced(false);
    ASSERT_TRUE(movie->play());
    ASSERT_TRUE(movie->wait_play_done(settle));
    EXPECT_EQ(movie->mode(), Mode::Ended);
}

INSTANTIATE_TEST_SUITE_P(Cases, MediaEmptyTail,
                         ::testing::Values(TailCase{"mpeg_1g_hole", false, 1024 * MiB, true},
                                           TailCase{"image_8g_hole", true, 8192 * MiB, true},
                                           TailCase{"mpeg_written_zeros", false, 96 * MiB, false},
                                           TailCase{"image_written_zeros", true, 96 * MiB, false}),
                         [](const auto& info) { return std::string(info.param.name); });
