// The steps of the main window's creation and destruction, in the order WM_CREATE runs them:
// the other-device enumeration (/d only), the driver-package checks, the panel buttons and the
// menus. GUI thread only.
#pragma once

namespace player {

// With /d: finds the other MCI video devices for the "other device" submenu. Ends the program
// (destroys the main window) when the system has no MCI device list.
void enumerate_other_devices();

// The driver package: installs missing driver files into the Windows system folder, builds the
// bundle when the program carries no package index, registers the MCI device types.
void install_driver_package();
bool carries_package_index();
void build_package();
void register_mci_drivers();

// Creates the 14 owner-drawn panel buttons at their panel positions, and the tooltips of the
// buttons and the sliders.
void create_panel_buttons();

// Builds the pop-up menu and its other-device submenu; destroys both.
void build_main_menu();
void destroy_main_menu();

} // namespace player
