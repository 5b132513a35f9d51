// Cue sheets of VideoCD images and the MPEG track spans they give.

#include "CdDevice.h"

#include "media/CueSheet.h"

#include <gtest/gtest.h>
#include <ostream>

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
