// The command table against everything that reaches it: every key of the accelerator table, every
// entry of the pop-up menu and every panel button finds a row that acts, unless its operation is
// not built yet; every row is reached; and each id has one row.
#include "DispatchFixture.h"

#include "core/CommandTable.h"
#include "resources/ArtLayout.h"
#include "resources/Resources.h"

#include <algorithm>
#include <array>
#include <set>

namespace {

using namespace player_test;
using player::Command;

// The commands whose operations are not built yet: their rows carry the menu texts and key-help
// phrases, but no action. Every operation is built now.
constexpr std::array<WORD, 0> not_built_yet{};

// Panel buttons that run nothing: 1007 never does.
constexpr int buttons_running_nothing[] = {1007};

template <typename List, typename Value> bool listed(List const& list, Value value) {
    return std::ranges::find(list, value) != std::ranges::end(list);
}

// A row covers the id and runs an operation for it.
bool acts(WORD id) {
    Command const* command = player::find_command(id);
    return command && command->action;
}

std::vector<WORD> accelerator_ids() {
    const player::AcceleratorTable keys = player::load_accelerators(player::accelerator_table_name);
    EXPECT_TRUE(keys.ok()) << keys.error;
    std::vector<WORD> ids;
    for (player::AcceleratorEntry const& entry : keys.entries)
        ids.push_back(entry.command);
    return ids;
}

TEST(CommandTable, every_accelerator_id_has_a_row_that_acts_unless_its_operation_is_not_built_yet) {
    const std::vector<WORD> ids = accelerator_ids();
    ASSERT_FALSE(ids.empty());
    for (WORD id : ids)
        EXPECT_TRUE(acts(id) || listed(not_built_yet, id)) << id;
}

TEST(CommandTable, the_ids_not_built_yet_have_rows_for_their_texts_but_no_action) {
    for (WORD id : not_built_yet) {
        Command const* command = player::find_command(id);
        ASSERT_NE(command, nullptr) << id;
        EXPECT_EQ(command->action, nullptr) << id << " acts now: take it off the list";
        EXPECT_TRUE(command->menu_text || command->phrase) << id;
    }
}

TEST(CommandTable, every_panel_button_runs_a_command_or_its_own_action_unless_listed) {
    for (int button = player::art::first_button_id;
         button < player::art::first_button_id + player::art::button_count; ++button) {
        SCOPED_TRACE(button);
        Command const* command = player::find_button_command(button);
        const auto own = player::buttons_without_command();
        const bool has_own_action = std::ranges::any_of(
            own, [button](player::ButtonAction const& action) { return action.panel_button == button; });
        const bool runs_command = command && command->action;
        EXPECT_FALSE(command && has_own_action) << "a command and an action of its own";
        if (listed(buttons_running_nothing, button)) {
            EXPECT_FALSE(runs_command || has_own_action) << "acts now: take it off the list";
        } else {
            EXPECT_TRUE(runs_command || has_own_action || listed(not_built_yet, command ? command->id : 0));
        }
    }
}

TEST(CommandTable, each_id_has_one_row_and_each_key_help_line_a_key_and_a_phrase) {
    std::set<WORD> seen;
    std::set<int> buttons;
    for (Command const& command : player::command_table()) {
        SCOPED_TRACE(command.name);
        ASSERT_LE(command.id, command.last());
        for (int id = command.id; id <= command.last(); ++id)
            EXPECT_TRUE(seen.insert(static_cast<WORD>(id)).second) << id << " has two rows";
        EXPECT_EQ(command.help_key == nullptr, command.phrase == nullptr);
        EXPECT_TRUE(command.menu_text || !command.later_menu_text);
        EXPECT_TRUE(command.panel_button == 0 || buttons.insert(command.panel_button).second)
            << command.panel_button << " runs two commands";
    }
}

class CommandTableReach : public DispatchFixture {
  protected:
    std::vector<host::MenuItemView> menu_items() {
        command(502);
        EXPECT_EQ(menus_shown.size(), 1u);
        return menus_shown.empty() ? std::vector<host::MenuItemView>{} : menus_shown[0].items;
    }
};

TEST_F(CommandTableReach, every_menu_id_has_a_row_that_acts_unless_its_operation_is_not_built_yet) {
    const auto items = menu_items();
    ASSERT_FALSE(items.empty());
    for (host::MenuItemView const& item : items) {
        if (item.id == 0)
            continue; // the "other device" submenu, whose ids the dispatch tests before the table
        const auto id = static_cast<WORD>(item.id);
        EXPECT_TRUE(acts(id) || listed(not_built_yet, id)) << id;
        ASSERT_NE(player::find_command(id), nullptr) << id;
        EXPECT_NE(player::find_command(id)->menu_text, nullptr) << id;
    }
}

TEST_F(CommandTableReach, every_row_is_reached_by_a_key_or_a_menu_entry) {
    std::set<UINT> reached;
    for (WORD id : accelerator_ids())
        reached.insert(id);
    for (host::MenuItemView const& item : menu_items())
        reached.insert(item.id);
    for (Command const& command : player::command_table())
        for (int id = command.id; id <= command.last(); ++id)
            EXPECT_TRUE(reached.contains(static_cast<UINT>(id))) << command.name << " " << id;
}

} // namespace
