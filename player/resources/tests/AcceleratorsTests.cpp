// The key bindings as the program carries them, and the reading of the table text.
#include "resources/Resources.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using player::accel_alt;
using player::accel_control;
using player::accel_shift;
using player::accel_virtkey;
using player::AcceleratorEntry;
using player::parse_accelerators;

class PlayerKeys : public testing::Test {
  protected:
    void SetUp() override {
        table = player::load_accelerators(player::accelerator_table_name);
        ASSERT_TRUE(table.ok()) << table.error;
    }
    // The command a key sends, or 0 when it is unbound.
    int command_for(std::uint8_t flags, std::uint16_t key) const {
        for (const AcceleratorEntry& entry : table.entries)
            if (entry.flags == flags && entry.key == key)
                return entry.command;
        return 0;
    }
    player::AcceleratorTable table;
};

TEST_F(PlayerKeys, table_holds_all_fifty_bindings_in_order) {
    ASSERT_EQ(table.entries.size(), 50u);
    EXPECT_EQ(table.entries.front(), (AcceleratorEntry{accel_virtkey, 0x70, 515})); // F1
    EXPECT_EQ(table.entries.back(), (AcceleratorEntry{accel_virtkey | accel_control, '9', 1309}));
}

TEST_F(PlayerKeys, known_keys_send_their_commands) {
    struct Case {
        const char* key;
        std::uint8_t flags;
        std::uint16_t code;
        int command;
    };
    const Case cases[] = {
        {"F1", accel_virtkey, 0x70, 515},
        {"F2", accel_virtkey, 0x71, 529},
        {"F12", accel_virtkey, 0x7B, 528},
        {"SPACE", accel_virtkey, 0x20, 526},
        {"ESCAPE", accel_virtkey, 0x1B, 507},
        {"TAB", accel_virtkey, 0x09, 551},
        {"PgUp", accel_virtkey, 0x21, 509},
        {"PgDn", accel_virtkey, 0x22, 508},
        {"keypad +", accel_virtkey, 0x6B, 556},
        {"keypad -", accel_virtkey, 0x6D, 557},
        {"DOWN", accel_virtkey, 0x28, 503},
        {"PAUSE", accel_virtkey, 0x13, 505},
        {"Ctrl+P", 0, 0x10, 503},
        {"Ctrl+O", 0, 0x0F, 506},
        {"Ctrl+V", 0, 0x16, 558},
        {"Ctrl+D", 0, 0x04, 502},
        {"Ctrl+B", 0, 0x02, 549},
        {"Alt+1", accel_virtkey | accel_alt, '1', 533},
        {"Alt+9", accel_virtkey | accel_alt, '9', 541},
        {"Alt+0", accel_virtkey | accel_alt, '0', 542},
        {"Ctrl+1", accel_virtkey | accel_control, '1', 1301},
        {"Ctrl+5", accel_virtkey | accel_control, '5', 1305},
    };
    for (const Case& c : cases)
        EXPECT_EQ(command_for(c.flags, c.code), c.command) << c.key;
}

TEST_F(PlayerKeys, ctrl_0_and_ctrl_u_stay_unbound_and_no_key_is_bound_twice) {
    EXPECT_EQ(command_for(accel_virtkey | accel_control, '0'), 0);
    EXPECT_EQ(command_for(0, 0x15), 0);
    EXPECT_EQ(command_for(accel_virtkey | accel_control, 'U'), 0);
    std::set<std::pair<int, int>> seen;
    for (const AcceleratorEntry& entry : table.entries)
        EXPECT_TRUE(seen.insert({entry.flags, entry.key}).second) << "key " << entry.key << " bound twice";
}

TEST(AcceleratorText, comments_blank_lines_and_combined_modifiers_are_read) {
    const auto table =
        parse_accelerators("# heading\n\n  VK_F5  CONTROL+SHIFT  42   # note\nA ALT 7\n^Z - 9\n");
    ASSERT_TRUE(table.ok()) << table.error;
    ASSERT_EQ(table.entries.size(), 3u);
    EXPECT_EQ(table.entries[0], (AcceleratorEntry{accel_virtkey | accel_control | accel_shift, 0x74, 42}));
    EXPECT_EQ(table.entries[1], (AcceleratorEntry{accel_virtkey | accel_alt, 'A', 7}));
    EXPECT_EQ(table.entries[2], (AcceleratorEntry{0, 0x1A, 9}));
}

TEST(AcceleratorText, a_faulty_line_rejects_the_table_and_names_the_line) {
    struct Case {
        const char* line;
        const char* why;
    };
    const Case cases[] = {
        {"VK_F13 - 1", "unknown key"},
        {"f1 - 1", "key names are upper case"},
        {"VK_F1 CTRL 1", "unknown modifier"},
        {"VK_F1 ALT+ 1", "trailing plus"},
        {"VK_F1 ALT+ALT 1", "modifier twice"},
        {"^P CONTROL 1", "character entry with a modifier"},
        {"VK_F1 - 0", "command 0"},
        {"VK_F1 - 65536", "command beyond 16 bits"},
        {"VK_F1 - 12a", "command not a number"},
        {"VK_F1 - -3", "negative command"},
        {"VK_F1 515", "missing column"},
        {"VK_F1 - 515 516", "extra column"},
        {"^p - 1", "lower-case control letter"},
    };
    for (const Case& c : cases) {
        const auto table = parse_accelerators(std::string("VK_F2 - 529\n") + c.line + "\n");
        EXPECT_FALSE(table.ok()) << c.why;
        EXPECT_TRUE(table.entries.empty()) << c.why;
        EXPECT_EQ(table.error.rfind("line 2:", 0), 0u) << c.why << ": " << table.error;
    }
}

} // namespace
