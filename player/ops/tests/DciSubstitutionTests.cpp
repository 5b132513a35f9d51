// The DCI driver's name written over the placeholders of the video module, one 1024-byte block
// at a time, never past the block.
#include "ops/DciSubstitution.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Block = std::vector<std::uint8_t>;

constexpr char placeholder[] = "tdci9680";

Block block_with(std::vector<std::pair<std::size_t, std::string>> const& texts, std::size_t size = 1024) {
    Block block(size, 0xEE);
    for (auto const& [at, text] : texts)
        std::memcpy(block.data() + at, text.data(), text.size());
    return block;
}

std::string text_at(Block const& block, std::size_t at, std::size_t length) {
    return std::string(reinterpret_cast<char const*>(block.data()) + at, length);
}

// The three slots as the video module carries them.
Block shipped_slots() {
    return block_with({{64, std::string(placeholder) + '\0'},
                       {80, std::string("\\SYSTEM\\") + placeholder + ".drv" + '\0'},
                       {112, std::string(placeholder) + '\0'}});
}

TEST(DciSubstitution, without_a_dci_entry_the_block_stays_byte_for_byte) {
    for (char const* value : {"", static_cast<char const*>(nullptr)}) {
        const player::DciNames names = player::dci_names(value);
        EXPECT_FALSE(names.substitute);
        Block block = shipped_slots();
        std::int32_t found = 0;
        player::substitute_dci(block, names, found);
        EXPECT_EQ(block, shipped_slots());
        EXPECT_EQ(found, 0);
    }
}

TEST(DciSubstitution, vgadci_drv_gives_the_short_the_long_and_the_short_name) {
    const player::DciNames names = player::dci_names("vgadci.drv");
    EXPECT_STREQ(names.short_name, "vgadci");
    EXPECT_STREQ(names.long_name, "vgadci.drv");
    Block block = shipped_slots();
    std::int32_t found = 0;
    player::substitute_dci(block, names, found);
    EXPECT_EQ(found, 3);
    EXPECT_EQ(text_at(block, 64, 9), std::string("vgadci\0"
                                                 "0\0",
                                                 9)); // the rest of the slot stays
    EXPECT_EQ(text_at(block, 80, 21), std::string("\\SYSTEM\\vgadci.drv\0v\0", 21));
    EXPECT_EQ(text_at(block, 112, 7), std::string("vgadci\0", 7));
    EXPECT_EQ(block[121], 0xEE);
}

TEST(DciSubstitution, the_count_runs_over_blocks_and_later_placeholders_stay) {
    const player::DciNames names = player::dci_names("s3dci.drv");
    std::int32_t found = 0;
    Block first = block_with({{10, placeholder}, {500, placeholder}});
    player::substitute_dci(first, names, found);
    Block second = block_with({{0, placeholder}, {30, placeholder}});
    player::substitute_dci(second, names, found);
    EXPECT_EQ(found, 4);
    EXPECT_EQ(text_at(first, 10, 6), std::string("s3dci\0", 6));
    EXPECT_EQ(text_at(first, 500, 10), std::string("s3dci.drv\0", 10));
    EXPECT_EQ(text_at(second, 0, 6), std::string("s3dci\0", 6));
    EXPECT_EQ(text_at(second, 30, 8), placeholder);
}

struct BoundCase {
    char const* what;
    char const* value;
    std::size_t at;      // where the one placeholder of the block lies
    std::int32_t before; // placeholders already counted (0: short name next, 1: long name next)
    bool replaced;
};

class DciBounds : public ::testing::TestWithParam<BoundCase> {};

TEST_P(DciBounds, nothing_is_written_past_the_block_or_past_a_slot) {
    const BoundCase c = GetParam();
    const Block original = block_with({{c.at, placeholder}});
    Block block = original;
    std::int32_t found = c.before;
    player::substitute_dci(block, player::dci_names(c.value), found);
    ASSERT_EQ(block.size(), 1024u);
    if (c.replaced) {
        EXPECT_NE(block, original);
    } else {
        EXPECT_EQ(block, original);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DciBounds,
    ::testing::Values(BoundCase{"last_start_position_1015", "vgadci.drv", 1015, 0, true},
                      // A placeholder ending on the block's last byte is not looked at.
                      BoundCase{"start_1016_is_not_searched", "vgadci.drv", 1016, 0, false},
                      // "abcdefgh" and its zero byte end on the block's last byte.
                      BoundCase{"short_name_ending_on_the_last_byte", "abcdefgh.drv", 1015, 0, true},
                      BoundCase{"long_name_running_past_the_block", "vgadci.drv", 1014, 1, false},
                      BoundCase{"long_name_fitting_the_block", "vgadci.drv", 1013, 1, true},
                      BoundCase{"short_name_longer_than_its_slot", "abcdefghi.drv", 100, 0, false},
                      BoundCase{"long_name_longer_than_its_slot", "abcdefgh.drv3", 100, 1, false},
                      BoundCase{"long_name_filling_its_slot", "abcdefgh.drv", 100, 1, true},
                      BoundCase{"fourth_placeholder", "vgadci.drv", 100, 3, false}),
    [](auto const& info) { return std::string(info.param.what); });

} // namespace
