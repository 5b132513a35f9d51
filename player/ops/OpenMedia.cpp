#include "ops/OpenMedia.h"

#include "core/CommandChannel.h"
#include "core/DeviceHandling.h"
#include "core/Menus.h"
#include "core/PanelBitmaps.h"
#include "core/PlayList.h"
#include "core/Player.h"
#include "ops/Transport.h"

#include "host/user32_dialogs.h"

#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace player {

namespace {

// The disc open commands, from the fullest to the plainest; the first that succeeds ends the
// chain. "==CDI" is the element by which the VideoCD device selects the disc in the drive; the
// last two open the device by its type name alone, for devices that take no element.
struct DiscOpen {
    bool with_element;
    OpenForm form;
};
constexpr std::array<DiscOpen, 5> disc_open_chain{{
    {true, OpenForm::with_parent},
    {true, OpenForm::popup},
    {true, OpenForm::wait},
    {false, OpenForm::wait},
    {false, OpenForm::plain},
}};
constexpr char disc_in_drive[] = "==CDI";

// The disc in the drive ("==CDI") falls back to the device without an element; a disc image
// only to plainer forms of its own open, since the device alone would play the drive instead.
bool open_disc_device(char const* disc) {
    const bool drive = std::strcmp(disc, disc_in_drive) == 0;
    char element[command_buffer_size];
    std::snprintf(element, sizeof element, "%s type %s", disc, state.device_type);
    for (DiscOpen const& open : disc_open_chain) {
        if (!open.with_element && !drive)
            break;
        if (send_open(open.with_element ? element : state.device_type, open.form) == 0)
            return true;
    }
    return false;
}

void upper_case(char* text) {
    for (; *text; ++text)
        *text = static_cast<char>(std::toupper(static_cast<unsigned char>(*text)));
}

void enable_open_entries() {
    set_menu_entry(configure_menu_id, true);
    set_menu_entry(speed_test_menu_id, true);
}

// " Playing VCD" padded to 32 characters, the track indicator from character 15 on (ending the
// text there), all upper-cased: " PLAYING VCD    01/01".
void build_disc_status_text() {
    constexpr int indicator_column = 15;
    constexpr int padded_width = 32;
    std::snprintf(state.status_text, sizeof state.status_text, "%-*s", padded_width, " Playing VCD");
    std::snprintf(state.status_text + indicator_column, sizeof state.status_text - indicator_column,
                  " %2.2d/%2.2d", state.item_index, state.item_count);
    upper_case(state.status_text);
}

void open_selected_files() {
    choose_files();
    if (state.selected_files[0] == '\0')
        return; // cancelled or failed: the current medium stays open, stopped
    play_selection();
}

void open_disc(char const* element) {
    reset_medium_state();
    close_media();
    apply_panel_only_layout();
    if (!open_disc_device(element)) {
        MessageBeep(0xFFFFFFFF);
        if (std::strcmp(element, disc_in_drive) == 0)
            std::snprintf(command_buffer, sizeof command_buffer, "Error: open %s device", state.device_type);
        else
            std::snprintf(command_buffer, sizeof command_buffer, "Error: open %s device with %s", state.device_type,
                          element);
        MessageBoxA(windows.main_window, command_buffer, "WARNING", MB_ICONERROR);
        return;
    }
    // The reply is received and not used: a disc is played whole, as one item.
    send_to_device(aux_reply_buffer, nullptr, "status number of tracks wait");
    enable_open_entries();
    setup_medium();
    build_disc_status_text();
}

} // namespace

void reset_medium_readouts() {
    state.video_window = nullptr;
    state.status_text[0] = '\0';
    state.position_ms = 0;
    state.mark_begin_ms = 0;
    state.mark_end_ms = 0;
    state.length_ms = 1;
}

void reset_medium_state() {
    state.media_open = false;
    state.playing = false;
    state.full_size = false;
    state.item_count = 1;
    state.item_index = 1;
    reset_medium_readouts();
}

void apply_panel_only_layout() {
    state.window_x = (state.screen_width - bitmaps.panel_width) / 2;
    state.window_y = (state.screen_height - (bitmaps.panel_height + bitmaps.backdrop_height)) / 2;
    MoveWindow(windows.main_window, state.window_x, state.window_y, bitmaps.panel_width,
               bitmaps.panel_height + bitmaps.backdrop_height, TRUE);
}

void play_selection() {
    reset_medium_state();
    close_media();
    apply_panel_only_layout();
    upper_case(state.selected_files);
    enable_open_entries();
    count_items();
    next_item();
}

void play_disc_image(char const* path) {
    copy_text(state.device_type, sizeof state.device_type, "VCDVideo");
    state.file_mode = false;
    char element[path_size];
    copy_text(element, sizeof element, path);
    upper_case(element);
    open_disc(element);
}

void open_media() {
    if (state.playing)
        stop();
    if (state.file_mode)
        open_selected_files();
    else
        open_disc(disc_in_drive);
}

void open_files_for_play() {
    copy_text(state.device_type, sizeof state.device_type, "MPEGMovie");
    state.file_mode = true;
    open_media(); // stops play first
}

void play_video_cd() {
    copy_text(state.device_type, sizeof state.device_type, "VCDVideo");
    state.file_mode = false;
    open_media();
}

} // namespace player
