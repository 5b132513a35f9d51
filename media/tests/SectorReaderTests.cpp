// Stripping raw CD sector framing: only the 2324 payload bytes of each sector come through.

#include "MediaFixtures.h"
#include "media/SectorReader.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace media;

namespace {

// Writes `sectors` raw sectors after `header` bytes: framing bytes are 0xEE, payload byte i of
// sector s is (s * 7 + i) % 251, and the 4 trailing bytes 0xDD.
std::string write_sectors(const std::string& name, int header, int sectors, int trailing_bytes = 0) {
    auto path = test::fixture_folder() + "/" + name + "-" + std::to_string(::getpid());
    std::ofstream out(path, std::ios::binary);
    out << std::string(size_t(header), 'H');
    for (int s = 0; s < sectors; ++s) {
        out << std::string(sector_payload_offset, char(0xEE));
        for (int i = 0; i < sector_payload_size; ++i)
            out.put(char((s * 7 + i) % 251));
        out << std::string(raw_sector_size - sector_payload_offset - sector_payload_size, char(0xDD));
    }
    out << std::string(size_t(trailing_bytes), char(0xEE));
    return path;
}

uint8_t expected_byte(int64_t sector, int64_t within) {
    return uint8_t((sector * 7 + within) % 251);
}

} // namespace

TEST(MediaSectorReader, concatenates_payloads_across_sector_and_block_boundaries) {
    auto path = write_sectors("raw", cdxa_header_size, 70);
    auto reader = SectorReader::open(path, cdxa_header_size, 2, 66);
    ASSERT_TRUE(reader);
    EXPECT_EQ((*reader)->size(), 66 * sector_payload_size);
    // Reads of awkward sizes at awkward places, including across the 32-sector cache block.
    for (int64_t offset : {int64_t(0), int64_t(2323), int64_t(31 * 2324 - 5), int64_t(65 * 2324 + 2000)}) {
        std::vector<uint8_t> buffer(5000);
        auto count = (*reader)->read(offset, buffer.data(), int64_t(buffer.size()));
        auto expected_count = std::min<int64_t>(5000, (*reader)->size() - offset);
        ASSERT_EQ(count, expected_count) << "at " << offset;
        for (int64_t i = 0; i < count; ++i) {
            int64_t position = offset + i;
            ASSERT_EQ(buffer[size_t(i)], expected_byte(2 + position / 2324, position % 2324))
                << "at " << position;
        }
    }
    uint8_t byte;
    EXPECT_EQ((*reader)->read((*reader)->size(), &byte, 1), 0);
    std::filesystem::remove(path);
}

TEST(MediaSectorReader, truncated_file_ends_at_last_whole_payload) {
    auto path = write_sectors("short", 0, 3, 100);    // 100 bytes of a fourth sector
    auto reader = SectorReader::open(path, 0, 0, 10); // the range claims ten sectors
    ASSERT_TRUE(reader);
    std::vector<uint8_t> buffer(10 * 2324);
    EXPECT_EQ((*reader)->read(0, buffer.data(), int64_t(buffer.size())), 3 * 2324);
    std::filesystem::remove(path);
}

TEST(MediaSectorReader, detects_cdxa_riff_header_only) {
    auto folder = test::fixture_folder();
    auto cdxa = folder + "/is-cdxa-" + std::to_string(::getpid());
    auto avi = folder + "/is-avi-" + std::to_string(::getpid());
    using namespace std::string_literals;
    std::ofstream(cdxa, std::ios::binary) << "RIFF\x10\0\0\0CDXAfmt "s;
    std::ofstream(avi, std::ios::binary) << "RIFF\x10\0\0\0AVI LIST"s;
    EXPECT_TRUE(is_cdxa_file(cdxa));
    EXPECT_FALSE(is_cdxa_file(avi));
    EXPECT_FALSE(is_cdxa_file(folder + "/does-not-exist"));
    std::filesystem::remove(cdxa);
    std::filesystem::remove(avi);
}

TEST(MediaSectorReader, missing_file_is_an_error) {
    auto reader = SectorReader::open("/nonexistent/vcd.bin", 0, 0, 1);
    ASSERT_FALSE(reader);
    EXPECT_EQ(reader.error().code, ErrorCode::FileNotFound);
}
