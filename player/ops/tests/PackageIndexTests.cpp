// The package index: its 181-byte layout, the DES cipher over its first 176 bytes, and the checks
// that keep a damaged or forged index from installing anything.
#include "ops/PackageIndex.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using player::PackageIndex;
using player::PackageIndexBytes;

std::uint32_t word_at(PackageIndexBytes const& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// A sound index of a bundle of `image` bytes followed by five files of the given sizes.
PackageIndex sound_index(std::uint32_t image = 4000) {
    PackageIndex index = player::bare_index();
    const std::uint32_t sizes[] = {image, 3000, 1024, 2500, 113, 0};
    std::uint32_t offset = 0;
    for (int i = 0; i < player::package_entry_count; ++i) {
        index.sizes[i] = sizes[i];
        index.offsets[i] = offset;
        offset += sizes[i];
    }
    return index;
}

std::uint64_t bundle_size(PackageIndex const& index) {
    return std::uint64_t{index.offsets[5]} + index.sizes[5] + player::package_index_size;
}

TEST(PackageIndex, is_laid_out_in_181_bytes_with_little_endian_words) {
    PackageIndex index = sound_index(0x01020304);
    index.reserved[2] = 0xA1B2C3D4;
    const PackageIndexBytes bytes = player::index_bytes(index);
    EXPECT_EQ(std::string(reinterpret_cast<char const*>(bytes.data()), 9), std::string("REELPACK\0", 9));
    EXPECT_EQ(std::string(reinterpret_cast<char const*>(bytes.data()) + 12), "reel32.exe");
    EXPECT_EQ(std::string(reinterpret_cast<char const*>(bytes.data()) + 12 + 5 * 16), "cddisp.dll");
    EXPECT_EQ(word_at(bytes, 108 + 2 * 4), 0xA1B2C3D4u);
    EXPECT_EQ(bytes[132], 0x04);
    EXPECT_EQ(word_at(bytes, 132), 0x01020304u);
    EXPECT_EQ(word_at(bytes, 156 + 4), 0x01020304u); // entry 1 right after the image
    EXPECT_EQ(bytes[180], 6);

    const PackageIndex back = player::index_from_bytes(bytes);
    EXPECT_EQ(player::index_bytes(back), bytes);
}

TEST(PackageIndex, the_bare_index_names_the_six_entries_and_carries_the_signature) {
    const PackageIndex index = player::bare_index();
    EXPECT_TRUE(player::has_signature(index));
    EXPECT_EQ(index.count, 6);
    const char* names[] = {"reel32.exe",  "cddriver.drv", "cdaudio.dll",
                           "cdvideo.dll", "cdvideo.ini",  "cddisp.dll"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(index.names[i], names[i]);
        EXPECT_EQ(index.sizes[i], 0u);
        EXPECT_EQ(index.offsets[i], 0u);
    }
    EXPECT_FALSE(player::has_signature(PackageIndex{}));
}

TEST(PackageIndex, des_in_ecb_mode_enciphers_the_first_176_bytes_and_leaves_the_last_five) {
    PackageIndex index = sound_index();
    // Two names that fill the same 8-byte blocks of their slots alike.
    std::strcpy(index.names[1], "abcdefghabcdefg");
    std::strcpy(index.names[2], "abcdefghabcdefg");
    const PackageIndexBytes plain = player::index_bytes(index);
    PackageIndexBytes stored = plain;
    player::encipher_index(stored);

    EXPECT_EQ(std::memcmp(stored.data() + 176, plain.data() + 176, 5), 0);
    for (std::size_t block = 0; block < 22; ++block)
        EXPECT_NE(std::memcmp(stored.data() + block * 8, plain.data() + block * 8, 8), 0) << block;
    // Electronic code book: equal plain blocks give equal enciphered blocks. The names lie at 28
    // and 44, so the blocks at 32 and 48 both hold bytes 4 to 11 of the same name.
    ASSERT_EQ(std::memcmp(plain.data() + 32, plain.data() + 48, 8), 0);
    EXPECT_EQ(std::memcmp(stored.data() + 32, stored.data() + 48, 8), 0);
    EXPECT_FALSE(player::has_signature(player::index_from_bytes(stored)));

    player::decipher_index(stored);
    EXPECT_EQ(stored, plain);
}

TEST(PackageIndex, a_sound_index_ends_where_the_index_begins) {
    const PackageIndex index = sound_index();
    EXPECT_TRUE(player::index_is_sound(index, bundle_size(index)));
    EXPECT_FALSE(player::index_is_sound(index, bundle_size(index) + 1));
    EXPECT_FALSE(player::index_is_sound(index, bundle_size(index) - 1));
    EXPECT_FALSE(player::index_is_sound(index, 100));
}

struct DamagedIndex {
    char const* what;
    void (*damage)(PackageIndex&);
};

class DamagedIndexes : public ::testing::TestWithParam<DamagedIndex> {};

TEST_P(DamagedIndexes, are_not_sound) {
    PackageIndex index = sound_index();
    const std::uint64_t size = bundle_size(index);
    GetParam().damage(index);
    EXPECT_FALSE(player::index_is_sound(index, size));
}

void rename_entry(PackageIndex& index, int entry, char const* name) {
    std::memset(index.names[entry], 0, sizeof index.names[entry]);
    std::memcpy(index.names[entry], name,
                std::min<std::size_t>(std::strlen(name), sizeof index.names[entry]));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedIndexes,
    ::testing::Values(
        DamagedIndex{"count_5", [](PackageIndex& i) { i.count = 5; }},
        DamagedIndex{"count_7", [](PackageIndex& i) { i.count = 7; }},
        DamagedIndex{"backslash", [](PackageIndex& i) { rename_entry(i, 3, "..\\win.ini"); }},
        DamagedIndex{"backslash_inside", [](PackageIndex& i) { rename_entry(i, 3, "sub\\cd.dll"); }},
        DamagedIndex{"slash", [](PackageIndex& i) { rename_entry(i, 2, "a/cdaudio.dll"); }},
        DamagedIndex{"drive_colon", [](PackageIndex& i) { rename_entry(i, 1, "c:autoexec.bat"); }},
        DamagedIndex{"dot_dot", [](PackageIndex& i) { rename_entry(i, 4, ".."); }},
        DamagedIndex{"dot_dot_inside", [](PackageIndex& i) { rename_entry(i, 4, "a..b"); }},
        DamagedIndex{"wildcard", [](PackageIndex& i) { rename_entry(i, 5, "*.dll"); }},
        DamagedIndex{"empty_name", [](PackageIndex& i) { rename_entry(i, 5, ""); }},
        DamagedIndex{"unterminated_name", [](PackageIndex& i) { rename_entry(i, 1, "cddriver.drv.xxxx"); }},
        DamagedIndex{"image_not_first", [](PackageIndex& i) { i.offsets[0] = 1; }},
        DamagedIndex{"gap", [](PackageIndex& i) { i.offsets[3] += 1; }},
        DamagedIndex{"overlap", [](PackageIndex& i) { i.offsets[3] -= 1; }},
        DamagedIndex{"size_past_the_end", [](PackageIndex& i) { i.sizes[5] += 1; }},
        DamagedIndex{"offset_past_the_end", [](PackageIndex& i) { i.offsets[5] = 0x7FFFFFF0; }},
        // Sizes whose 32-bit sum wraps around to the right total.
        DamagedIndex{"wrapping_sizes",
                     [](PackageIndex& i) {
                         i.sizes[1] += 0x80000000u;
                         i.offsets[2] += 0x80000000u;
                         i.sizes[2] += 0x80000000u;
                     }}),
    [](auto const& info) { return std::string(info.param.what); });

} // namespace
