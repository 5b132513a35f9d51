// Pictures written by the device, series of them at a fixed interval, and the marks.
#include "ops/Capture.h"

#include "core/CommandChannel.h"
#include "core/MessageLoop.h"
#include "core/PanelLayout.h"
#include "core/PanelPainter.h"
#include "core/Player.h"
#include "ops/Transport.h"

#include "host/user32_dialogs.h"

#include <cstdio>

namespace player {

namespace {

// One picture into the next free ".bmp" file. The player reserves the name by creating the file
// empty and exclusively; the device then writes the picture in its place. When the device
// refuses, the reservation is removed (the number stays used). False when no file could be
// created; that is reported here.
bool take_picture() {
    char name[path_size];
    HANDLE reserved = create_output_file(name, ".bmp");
    if (reserved == INVALID_HANDLE_VALUE) {
        MessageBeep(0xFFFFFFFF);
        char text[path_size + 64];
        std::snprintf(text, sizeof text, "Cannot create the picture file\n%s", name[0] ? name : state.output_folder);
        MessageBoxA(windows.main_window, text, "capture picture", MB_OK | MB_ICONERROR);
        return false;
    }
    CloseHandle(reserved);
    send_to_device(nullptr, nullptr, "step by 1 key wait");
    show_progress(name, 99, 100);
    if (beep_on_failure(send_to_device(reply_buffer, nullptr, "capture as %s wait", name)) != 0)
        DeleteFileA(name);
    return true;
}

} // namespace

void capture_picture() {
    take_picture();
}

void capture_picture_and_play() {
    capture_picture();
    play();
}

void capture_series() {
    if (state.mark_begin_ms >= state.mark_end_ms) {
        MessageBeep(0xFFFFFFFF);
        return;
    }
    stop();
    state.idle = false;
    // Compared as unsigned 32-bit values; a step that would wrap past the top ends the series.
    const auto end = static_cast<std::uint32_t>(state.mark_end_ms);
    for (auto t = static_cast<std::uint32_t>(state.mark_begin_ms); t < end;) {
        if (!take_picture())
            break;
        send_to_device(nullptr, nullptr, "seek to %d wait", static_cast<std::int32_t>(t));
        pump_one_message();
        if (state.idle)
            break;
        const auto step = static_cast<std::uint32_t>(state.time_step_ms);
        if (step == 0 || t + step < t)
            break;
        t += step;
    }
    MessageBeep(0xFFFFFFFF);
    state.idle = true;
}

void mark_begin() {
    state.mark_begin_ms = query_position();
    redraw_panel(state.status_text, panel_part::position_bar);
}

void mark_end() {
    state.mark_end_ms = query_position();
    redraw_panel(state.status_text, panel_part::position_bar);
}

void mark_start_as_begin() {
    state.mark_begin_ms = 0;
}

void mark_end_as_end() {
    state.mark_end_ms = state.length_ms;
}

} // namespace player
