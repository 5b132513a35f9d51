#include "core/DeviceHandling.h"

#include "core/CommandChannel.h"
#include "core/Menus.h"
#include "core/PanelBitmaps.h"
#include "core/Player.h"
#include "ops/OpenMedia.h"
#include "ops/Transport.h"

#include "host/user32_dialogs.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace player {

namespace {

struct ExtensionType {
    char const* extension;
    char const* type;
};

// Searched anywhere in the upper-cased path, in this order; the first hit wins.
constexpr std::array<ExtensionType, 4> extension_types{{
    {".AVI", "avivideo"},
    {".MOV", "QTWVideo"},
    {".FLI", "Animation1"},
    {".FLC", "Animation1"},
}};

// The open commands of a file, from the fullest to the plainest; the first that succeeds ends
// the chain.
constexpr std::array<OpenForm, 4> open_chain{OpenForm::with_parent, OpenForm::popup, OpenForm::wait,
                                             OpenForm::plain};

void upper_case(char* text) {
    for (; *text; ++text)
        *text = static_cast<char>(std::toupper(static_cast<unsigned char>(*text)));
}

// "status <item> wait", used on success: the field keeps its value when the query fails.
void query_into(char const* item, std::int32_t& field) {
    if (send_to_device(reply_buffer, nullptr, "status %s wait", item) == 0)
        field = parse_int(reply_buffer);
}

// Reads up to `count` decimal integers separated by white space, as a " %d %d %d %d " scan
// does: stops at the first text that is not a number, leaving the rest of `fields` untouched.
void scan_integers(char const* text, std::int32_t* const* fields, int count) {
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        const long long value = std::strtoll(text, &end, 10);
        if (end == text)
            return;
        *fields[i] = static_cast<std::int32_t>(std::clamp<long long>(
            value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
        text = end;
    }
}

// Places the picture under the panel and starts it; `width` x `height` is the current screen.
void place_picture(int width, int height) {
    state.window_x = (width - bitmaps.panel_width) / 2;
    state.window_y = (height - bitmaps.panel_height - 14 - state.video_height) / 2;
    MoveWindow(windows.main_window, state.window_x, state.window_y, bitmaps.panel_width,
               bitmaps.panel_height + state.video_height + 14, TRUE);
    state.video_y += bitmaps.panel_height / 2;
    // WS_CHILD alone strips the device window's caption and frame.
    SetWindowLongA(state.video_window, GWL_STYLE, static_cast<LONG>(WS_CHILD));
    apply_layout();
    play();
    apply_volume();
}

// No picture (sound only): only the panel remains, and play is not started.
void place_panel_only(int width, int height) {
    state.video_window = nullptr;
    state.window_x = (width - bitmaps.panel_width) / 2;
    state.window_y = (height - bitmaps.panel_height) / 2;
    MoveWindow(windows.main_window, state.window_x, state.window_y, bitmaps.panel_width, bitmaps.panel_height,
               TRUE);
}

// The device's video window, its source rectangle and the layout that follows from them. A
// device that reports no window handle leaves the window as it was.
void set_up_video_window() {
    if (send_to_device(reply_buffer, nullptr, "status window handle wait") != 0)
        return;
    state.video_window = parse_handle(reply_buffer);
    send_to_device(reply_buffer, nullptr, "where source wait");
    std::int32_t* const rectangle[] = {&state.video_x, &state.video_y, &state.video_width,
                                       &state.video_height};
    scan_integers(reply_buffer, rectangle, 4);

    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    state.video_x = (width - state.video_width) / 2;
    state.video_y = (height - state.video_height) / 2;
    state.stream_info.source_width = state.video_width;
    state.stream_info.source_height = state.video_height;
    if (state.video_width != 0)
        place_picture(width, height);
    else
        place_panel_only(width, height);
}

} // namespace

MCIERROR send_open(char const* device, OpenForm form) {
    switch (form) {
    case OpenForm::with_parent: {
        const auto parent = static_cast<int>(reinterpret_cast<std::uintptr_t>(windows.main_window));
        return send_command(nullptr, nullptr, "open %s alias %s parent %d style popup wait", device,
                            device_alias, parent);
    }
    case OpenForm::popup:
        return send_command(nullptr, nullptr, "open %s alias %s style popup wait", device, device_alias);
    case OpenForm::wait:
        return send_command(nullptr, nullptr, "open %s alias %s wait", device, device_alias);
    case OpenForm::plain:
        break;
    }
    return send_command(nullptr, nullptr, "open %s alias %s", device, device_alias);
}

char const* device_type_for(char const* upper_path) {
    for (ExtensionType const& entry : extension_types)
        if (std::strstr(upper_path, entry.extension))
            return entry.type;
    return state.device_type;
}

bool open_file(char* path) {
    send_to_device(nullptr, nullptr, "close wait");
    upper_case(path);
    copy_text(state.current_path, sizeof state.current_path, path);
    char const* type = device_type_for(state.current_path);

    char device[command_buffer_size];
    std::snprintf(device, sizeof device, "%s type %s", state.current_path, type);
    bool opened = false;
    for (OpenForm form : open_chain)
        if (send_open(device, form) == 0) {
            opened = true;
            break;
        }
    if (!opened) {
        std::snprintf(command_buffer, sizeof command_buffer, "Error: open %s device with %s", type,
                      state.current_path);
        MessageBoxA(nullptr, command_buffer, "error", MB_ICONERROR);
        MessageBeep(0xFFFFFFFF);
        return false;
    }
    build_status_text(state.current_path);
    set_menu_entry(configure_menu_id, true);
    setup_medium();
    return true;
}

void build_status_text(char const* path) {
    constexpr std::size_t shown = 13;
    constexpr int indicator_column = 15;
    constexpr int padded_width = 32;
    const std::size_t length = std::strlen(path);
    char const* tail = length > shown ? path + length - shown : path;
    std::snprintf(state.status_text, sizeof state.status_text, " %-*s", padded_width - 1, tail);
    std::snprintf(state.status_text + indicator_column, sizeof state.status_text - indicator_column,
                  " %2.2d/%2.2d", state.item_index, state.item_count);
    upper_case(state.status_text);
}

void setup_medium() {
    state.video_x = 0;
    state.video_y = 0;
    state.video_width = 0;
    state.video_height = 0;
    state.video_window = nullptr;
    state.media_open = true;
    state.stream_info = StreamInfo{};

    query_into("audio bitrate", state.stream_info.audio_bitrate);
    query_into("bitrate", state.stream_info.system_bitrate);
    query_into("video bitrate", state.stream_info.video_bitrate);
    query_into("nominal frame rate", state.stream_info.nominal_frame_rate);
    beep_on_failure(send_to_device(nullptr, nullptr, "set time format milliseconds wait"));
    query_into("length", state.length_ms);
    set_up_video_window();

    // A device that cannot tell its length (VideoCD tracks, some streams) gets 74 minutes.
    if (state.length_ms <= 0)
        state.length_ms = 4440000;
    state.position_ms = 0;
    state.mark_begin_ms = 0;
    state.mark_end_ms = 0;
    set_menu_entry(mpeg_info_menu_id, true);
    request_position_signal();
}

void request_position_signal() {
    send_to_device(nullptr, windows.main_window, "signal return position every 1000");
}

void select_other_device(int index) {
    if (index < 0 || index >= state.other_device_count)
        return;
    OtherDevice const& device = state.other_devices[index];
    set_menu_entry(configure_menu_id, true);
    copy_text(state.device_type, sizeof state.device_type, device.name);
    state.file_mode = device.compound != 0;
    open_media();
}

} // namespace player
