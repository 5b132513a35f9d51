#include "core/CreationSteps.h"

#include "core/CommandChannel.h"
#include "core/DeviceHandling.h"
#include "core/PanelToolTips.h"
#include "core/Player.h"
#include "resources/ArtLayout.h"

#include "host/user32_dialogs.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace player {

namespace {

// Only the first installed devices are examined: the submenu has room for this many.
constexpr std::int32_t examined_devices = max_other_devices;

// True when a capability reply says yes: it contains "1" or "true" anywhere.
bool says_yes(char const* reply) {
    return std::strstr(reply, "1") || std::strstr(reply, "true");
}

// Opens the installed device `name` under the alias and fills `entry` from its answers; true
// when it has video and so counts. The alias is closed again in every case.
bool examine_device(char const* name, OtherDevice& entry) {
    if (send_open(name, OpenForm::wait) != 0)
        return false;
    copy_text(entry.name, sizeof entry.name, name);
    send_to_device(aux_reply_buffer, nullptr, "info product wait");
    copy_text(entry.product, sizeof entry.product, aux_reply_buffer);

    send_to_device(aux_reply_buffer, nullptr, "capability compound device wait");
    entry.compound = says_yes(aux_reply_buffer) ? 1 : 0;
    if (entry.compound) {
        const std::size_t length = std::strlen(entry.product);
        copy_text(entry.product + length, sizeof entry.product - length, " ...");
    }

    send_to_device(aux_reply_buffer, nullptr, "capability has video wait");
    const bool has_video = says_yes(aux_reply_buffer);
    send_to_device(nullptr, nullptr, "close");
    return has_video;
}

} // namespace

void enumerate_other_devices() {
    state.other_device_count = 0;
    if (send_command(reply_buffer, nullptr, "sysinfo all quantity wait") != 0) {
        MessageBoxA(nullptr, "No MCI Driver Installed !\n Program will Exit !", "WARNING", MB_ICONERROR);
        DestroyWindow(windows.main_window);
        return;
    }
    const std::int32_t installed = parse_int(reply_buffer);
    for (std::int32_t i = 1; i <= installed && i <= examined_devices; ++i) {
        if (send_command(reply_buffer, nullptr, "sysinfo all name %d wait", i) != 0)
            continue;
        // The player's own types are reached through the open and VideoCD commands.
        if (std::strcmp(reply_buffer, "MpegMovie") == 0 || std::strcmp(reply_buffer, "VCDVideo") == 0)
            continue;
        OtherDevice& entry = state.other_devices[state.other_device_count];
        entry = OtherDevice{};
        if (examine_device(reply_buffer, entry))
            ++state.other_device_count;
    }
}

// install_driver_package, carries_package_index, build_package and register_mci_drivers are
// in ops/ (DriverInstall.cpp, PackageBuild.cpp, DriverRegistration.cpp).

void create_panel_buttons() {
    std::array<HWND, art::button_count> buttons{};
    for (int i = 0; i < art::button_count; ++i) {
        const art::PanelPoint at = art::button_positions[static_cast<std::size_t>(i)];
        const auto id = static_cast<UINT_PTR>(art::first_button_id + i);
        buttons[static_cast<std::size_t>(i)] = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, at.x, at.y, art::button_width,
                        art::button_height, windows.main_window, reinterpret_cast<HMENU>(id),
                        windows.instance, nullptr);
    }
    add_panel_tool_tips(buttons);
}

// build_main_menu, with the menu's entries, is in Menus.cpp.
void destroy_main_menu() {
    if (windows.device_menu)
        DestroyMenu(windows.device_menu);
    if (windows.main_menu)
        DestroyMenu(windows.main_menu);
    windows.device_menu = nullptr;
    windows.main_menu = nullptr;
}

} // namespace player
