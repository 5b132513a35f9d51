#include "core/Startup.h"

#include "core/CommandLine.h"
#include "core/HelpWindow.h"
#include "core/MainWindow.h"
#include "core/MessageLoop.h"
#include "core/OutputFolder.h"
#include "core/PanelBitmaps.h"
#include "core/Player.h"
#include "core/ProgramResources.h"
#include "ops/CommandLineFiles.h"
#include "resources/Resources.h"

#include <cstring>
#include <string>

namespace player {

PlayerState state;
PlayerWindows windows;

namespace {

void set_start_values() {
    std::strcpy(state.status_text, banner_text);
    set_output_folder();
    state.mark_begin_ms = 0;
    state.mark_end_ms = 0;
    state.position_ms = 0;
    state.length_ms = 1;
}

bool register_class(HINSTANCE instance, char const* name, WNDPROC procedure, std::string_view icon) {
    WNDCLASSA window_class{};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, std::string(icon).c_str());
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    window_class.lpszClassName = name;
    return RegisterClassA(&window_class) != 0;
}

} // namespace

bool register_classes(HINSTANCE instance) {
    register_program_resources();
    if (!register_class(instance, main_class_name, main_window_procedure, player_icon_name) ||
        !register_class(instance, help_class_name, help_window_procedure, help_icon_name))
        return false;
    windows.accelerators = LoadAcceleratorsA(instance, std::string(accelerator_table_name).c_str());
    return true;
}

MainWindowGeometry main_window_geometry(int screen_width, int screen_height, int panel_width,
                                        int panel_height, int backdrop_height) {
    return {(screen_width - panel_width) / 2, (screen_height - panel_height - backdrop_height) / 2,
            panel_width, panel_height + backdrop_height};
}

bool create_main_window(HINSTANCE instance, int show) {
    windows.instance = instance;
    if (!load_panel_bitmaps())
        return false;
    state.screen_width = GetSystemMetrics(SM_CXSCREEN);
    state.screen_height = GetSystemMetrics(SM_CYSCREEN);
    const MainWindowGeometry geometry =
        main_window_geometry(state.screen_width, state.screen_height, bitmaps.panel_width,
                             bitmaps.panel_height, bitmaps.backdrop_height);
    state.window_x = geometry.x;
    state.window_y = geometry.y;
    const HWND hwnd = CreateWindowExA(0, main_class_name, main_window_title, WS_POPUP, geometry.x, geometry.y,
                                      geometry.width, geometry.height, nullptr, nullptr, instance, nullptr);
    if (!hwnd) {
        delete_panel_bitmaps();
        return false;
    }
    windows.main_window = hwnd;
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    return true;
}

int player_entry(HINSTANCE instance, std::span<std::string const> arguments, int show) {
    set_start_values();
    const CommandLineOptions options = read_command_line(arguments);
    state.use_other_devices = options.use_other_devices;
    if (options.show_usage) {
        show_usage_box();
        return 0;
    }
    if (!register_classes(instance) || !create_main_window(instance, show))
        return 0;
    open_command_line_files(options.files);
    return run_message_loop();
}

} // namespace player
