#include "core/Menus.h"

#include "core/CreationSteps.h"
#include "core/Player.h"
#include "ops/Transport.h"
#include "resources/ArtLayout.h"

#include <array>

namespace player {

namespace {

// One entry of the main menu, in menu order; a null id stands for the "other device" submenu.
struct MenuEntry {
    UINT id;
    bool grayed; // at creation
};

constexpr std::array<MenuEntry, 8> main_menu_entries{{
    {open_menu_id, false},
    {video_cd_menu_id, false},
    {0, false}, // grayed without other devices
    {speed_test_menu_id, true},
    {configure_menu_id, true},
    {mpeg_info_menu_id, true},
    {about_menu_id, false},
    {exit_menu_id, false},
}};

HMENU build_device_menu() {
    const HMENU menu = CreatePopupMenu();
    for (int i = 0; i < state.other_device_count; ++i)
        AppendMenuA(menu, MF_STRING, other_device_menu_base + static_cast<UINT>(i),
                    state.other_devices[i].product);
    return menu;
}

void append_entry(MenuEntry const& entry) {
    if (entry.id == 0) {
        const UINT state_flag = state.other_device_count > 0 ? MF_ENABLED : MF_GRAYED;
        AppendMenuA(windows.main_menu, MF_POPUP | state_flag, reinterpret_cast<UINT_PTR>(windows.device_menu),
                    other_device_menu_text);
        return;
    }
    AppendMenuA(windows.main_menu, MF_STRING | (entry.grayed ? MF_GRAYED : MF_ENABLED), entry.id,
                find_command(static_cast<WORD>(entry.id))->menu_text);
}

} // namespace

// The submenu is made first, since the main menu holds it.
void build_main_menu() {
    windows.device_menu = build_device_menu();
    windows.main_menu = CreatePopupMenu();
    for (MenuEntry const& entry : main_menu_entries)
        append_entry(entry);
}

void set_menu_entry(UINT id, bool enabled) {
    Command const* command = find_command(static_cast<WORD>(id));
    if (windows.main_menu && command)
        ModifyMenuA(windows.main_menu, id, MF_BYCOMMAND | MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id,
                    command->changed_menu_text());
}

void show_main_menu() {
    if (state.media_open && state.playing)
        stop();
    const art::PanelPoint button = art::button_positions[main_menu_button - art::first_button_id];
    POINT at{button.x + art::button_width, button.y};
    ClientToScreen(windows.main_window, &at);
    TrackPopupMenu(windows.main_menu, TPM_LEFTBUTTON, at.x, at.y, 0, windows.main_window, nullptr);
}

} // namespace player
