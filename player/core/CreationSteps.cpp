#include "core/CreationSteps.h"

#include "core/Player.h"
#include "resources/ArtLayout.h"

namespace player {

// Not yet built: the device enumeration behind the /d option. Without it the "other device"
// submenu stays empty.
void enumerate_other_devices() {}

// Not yet built: the driver-package installation and registration. Until then the MPEG device
// types exist only where the prefix's SYSTEM.INI already lists them.
void install_driver_package() {}
bool carries_package_index() {
    return true;
}
void build_package() {}
void register_mci_drivers() {}

void create_panel_buttons() {
    for (int i = 0; i < art::button_count; ++i) {
        const art::PanelPoint at = art::button_positions[static_cast<std::size_t>(i)];
        const auto id = static_cast<UINT_PTR>(art::first_button_id + i);
        CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, at.x, at.y, art::button_width,
                        art::button_height, windows.main_window, reinterpret_cast<HMENU>(id),
                        windows.instance, nullptr);
    }
}

// Not yet built: the pop-up menu's entries. destroy_main_menu already releases whatever
// build_main_menu leaves in windows.main_menu and windows.device_menu.
void build_main_menu() {}

void destroy_main_menu() {
    if (windows.device_menu)
        DestroyMenu(windows.device_menu);
    if (windows.main_menu)
        DestroyMenu(windows.main_menu);
    windows.device_menu = nullptr;
    windows.main_menu = nullptr;
}

} // namespace player
