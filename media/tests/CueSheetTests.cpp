// Cue sheets of VideoCD images and the MPEG track spans they give.

#include "CdDevice.h"

#include "media/CueSheet.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <ostream>
#include <unistd.h>

using namespace media;

namespace {

constexpr const char* two_track_sheet = "FILE \"vcd.bin\" BINARY\r\n"
                                        "  TRACK 01 MODE2/2352\r\n"
                                        "    FLAGS DCP\r\n"
                                        "    INDEX 01 00:00:00\r\n"
                                        "  TRACK 02 MODE2/2352\r\n"
                                        "    INDEX 00 00:04:00\r\n"
                                        "    INDEX 01 00:06:00\r\n"
                                        "  TRACK 03 MODE2/2352\r\n"
                                        "    INDEX 00 00:10:73\r\n"
                                        "    INDEX 01 00:12:73\r\n";

} // namespace

TEST(MediaCueSheet, parses_tracks_and_indexes) {
    auto sheet = parse_cue_sheet(two_track_sheet);
    ASSERT_TRUE(sheet) << sheet.error().message;
    ASSERT_EQ(sheet->tracks.size(), 3u);
    EXPECT_EQ(sheet->tracks[1].number, 2);
    EXPECT_EQ(sheet->tracks[1].mode, "MODE2/2352");
    EXPECT_EQ(sheet->tracks[1].file, "vcd.bin");
    EXPECT_EQ(sheet->tracks[1].pregap_start, 300);
    EXPECT_EQ(sheet->tracks[1].start, 450);
    EXPECT_EQ(sheet->tracks[2].start, 12 * 75 + 73);
}

TEST(MediaCueSheet, mpeg_spans_skip_data_track_and_end_at_next_pregap) {
    auto sheet = parse_cue_sheet(two_track_sheet);
    ASSERT_TRUE(sheet);
    auto spans = mpeg_track_spans(*sheet, "/discs", [](const std::string&) { return int64_t(1654); });
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0].file, "/discs/vcd.bin");
    EXPECT_EQ(spans[0].first_sector, 450);
    EXPECT_EQ(spans[0].sector_count, 10 * 75 + 73 - 450);
    EXPECT_EQ(spans[1].first_sector, 973);
    EXPECT_EQ(spans[1].sector_count, 1654 - 973);
}

TEST(MediaCueSheet, truncated_image_gives_no_negative_span) {
    auto sheet = parse_cue_sheet(two_track_sheet);
    ASSERT_TRUE(sheet);
    auto spans = mpeg_track_spans(*sheet, "", [](const std::string&) { return int64_t(900); });
    ASSERT_EQ(spans.size(), 1u); // track 3 starts beyond the end of the file
    EXPECT_EQ(spans[0].file, "vcd.bin");
}

struct BadSheet {
    const char* name;
    const char* text;
    friend void PrintTo(const BadSheet& c, std::ostream* os) { *os << c.name; }
};

class MediaMalformedCueSheet : public ::testing::TestWithParam<BadSheet> {};

TEST_P(MediaMalformedCueSheet, is_an_error_not_a_crash) {
    auto sheet = parse_cue_sheet(GetParam().text);
    ASSERT_FALSE(sheet);
    EXPECT_EQ(sheet.error().code, ErrorCode::CorruptFile);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MediaMalformedCueSheet,
    ::testing::Values(BadSheet{"empty", ""},
                      BadSheet{"track_before_file", "TRACK 01 MODE2/2352\nINDEX 01 00:00:00\n"},
                      BadSheet{"no_index_01", "FILE a.bin BINARY\nTRACK 01 MODE2/2352\nINDEX 00 00:00:00\n"},
                      BadSheet{"bad_seconds", "FILE a.bin BINARY\nTRACK 01 MODE2/2352\nINDEX 01 00:61:00\n"},
                      BadSheet{"bad_frames", "FILE a.bin BINARY\nTRACK 01 MODE2/2352\nINDEX 01 00:01:75\n"},
                      BadSheet{"letters", "FILE a.bin BINARY\nTRACK 01 MODE2/2352\nINDEX 01 0a:01:00\n"},
                      BadSheet{"index_without_track", "FILE a.bin BINARY\nINDEX 01 00:00:00\n"},
                      BadSheet{"huge_number",
                               "FILE a.bin BINARY\nTRACK 01 MODE2/2352\nINDEX 01 99999999999:00:00\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MediaCueSheet, msf_addresses) {
    EXPECT_EQ(parse_msf("00:00:00"), 0);
    EXPECT_EQ(parse_msf("00:06:00"), 450);
    EXPECT_EQ(parse_msf("01:02:03"), (62 * 75) + 3);
    EXPECT_FALSE(parse_msf("00:06"));
    EXPECT_FALSE(parse_msf("00:06:00:00"));
    EXPECT_FALSE(parse_msf("::"));
}

// A disc in a drive: its table of contents gives the tracks; the MPEG tracks are the data tracks
// after the first, each ending where the next begins, the last at the lead-out.
TEST(MediaCueSheet, drive_table_of_contents_gives_the_mpeg_tracks) {
    std::vector<TocEntry> toc = {{1, true, 0}, {2, true, 1125}, {3, true, 4100}, {4, false, 9000}};
    auto spans = mpeg_track_spans(sheet_of_toc(toc, "/dev/sr0"), "",
                                  [](const std::string&) { return int64_t(12000); });
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0].file, "/dev/sr0");
    EXPECT_EQ(spans[0].first_sector, 1125);
    EXPECT_EQ(spans[0].sector_count, 4100 - 1125);
    EXPECT_EQ(spans[1].first_sector, 4100);
    EXPECT_EQ(spans[1].sector_count, 9000 - 4100); // the audio track that follows is not played
    std::vector<TocEntry> audio_only = {{1, false, 0}, {2, false, 20000}};
    EXPECT_TRUE(mpeg_track_spans(sheet_of_toc(audio_only, "/dev/sr0"), "", [](const std::string&) {
                    return int64_t(30000);
                }).empty());
}

TEST(MediaCueSheet, drive_addresses_of_sectors) {
    EXPECT_EQ(msf_of(0), (Msf{0, 2, 0})); // the first sector follows the two-second lead-in
    EXPECT_EQ(msf_of(74), (Msf{0, 2, 74}));
    EXPECT_EQ(msf_of(4350), (Msf{1, 0, 0}));
    EXPECT_EQ(msf_of(99 * 60 * 75 + 59 * 75 + 74 - 150), (Msf{99, 59, 74}));
    EXPECT_FALSE(msf_of(100 * 60 * 75 - 150)); // beyond any disc: would wrap in a byte
    EXPECT_FALSE(msf_of(-1));
}

// FILE lines are read as Windows reads them relative to the cue sheet's folder; nothing outside
// that folder is reached.
class MediaCueFileNames : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() / ("media-cue-names-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder / "Sub");
        std::ofstream(folder / "vcd.bin") << "x";
        std::ofstream(folder / "Sub" / "Movie.BIN") << "x";
        std::filesystem::create_symlink("/etc/hostname", folder / "out.bin");
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
};

TEST_F(MediaCueFileNames, resolve_within_the_folder_whatever_the_case_and_separator) {
    struct {
        const char* name;
        const char* expected; // relative to the folder; null: refused
    } cases[] = {
        {"vcd.bin", "vcd.bin"},
        {"VCD.BIN", "vcd.bin"},
        {"sub\\movie.bin", "Sub/Movie.BIN"},
        {"SUB/MOVIE.bin", "Sub/Movie.BIN"},
        {".\\Sub\\..\\vcd.bin", "vcd.bin"},
        {"missing.bin", "missing.bin"}, // left for the open to report missing
        {"/etc/hostname", nullptr},
        {"\\etc\\hostname", nullptr},
        {"C:\\vcd.bin", nullptr},
        {"c:vcd.bin", nullptr},
        {"../vcd.bin", nullptr},
        {"..\\vcd.bin", nullptr},
        {"Sub\\..\\..\\vcd.bin", nullptr},
        {"out.bin", nullptr}, // a link leading out of the folder
        {"", nullptr},
    };
    for (const auto& c : cases) {
        auto resolved = resolve_in_cue_folder(folder.string(), c.name);
        if (!c.expected) {
            EXPECT_FALSE(resolved) << c.name << " -> " << resolved.value_or("");
            continue;
        }
        ASSERT_TRUE(resolved) << c.name;
        EXPECT_EQ(*resolved, (folder / c.expected).string()) << c.name;
    }
}

TEST_F(MediaCueFileNames, a_refused_name_is_an_error_and_a_resolver_of_the_owner_is_used) {
    auto sheet = parse_cue_sheet("FILE \"/etc/hostname\" BINARY\nTRACK 01 MODE2/2352\nINDEX 01 00:00:00\n");
    ASSERT_TRUE(sheet);
    auto refused = *sheet;
    auto status = resolve_track_files(refused, folder.string(), nullptr);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().code, ErrorCode::FileNotFound);
    // The owner may map names its own way (a Windows drive onto a host folder, say).
    auto mapped = *sheet;
    ASSERT_TRUE(
        resolve_track_files(mapped, folder.string(), [](const std::string& in, const std::string& name) {
            return std::optional<std::string>(in + "/mapped" + name);
        }));
    EXPECT_EQ(mapped.tracks[0].file, folder.string() + "/mapped/etc/hostname");
}
