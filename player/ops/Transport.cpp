#include "ops/Transport.h"

#include "core/CommandChannel.h"
#include "core/Menus.h"
#include "core/PanelLayout.h"
#include "core/PanelPainter.h"
#include "core/Player.h"

namespace player {

namespace {

void refresh_panel() {
    redraw_panel(state.status_text, panel_part::all);
}

} // namespace

void play() {
    if (state.stop_timer != 0) {
        KillTimer(windows.main_window, state.stop_timer);
        state.stop_timer = 0;
    }
    beep_on_failure(send_to_device(nullptr, nullptr, "play repeat"));
    panel_look.position_knob_pressed = false;
    panel_look.volume_knob_pressed = false;
    state.playing = true;
    apply_layout();
    apply_audio();
    refresh_panel();
}

void stop() {
    send_to_device(nullptr, nullptr, "stop wait");
    if (state.stop_timer == 0)
        state.stop_timer = SetTimer(windows.main_window, stop_timer_id, stop_timer_period_ms, nullptr);
    restore_normal_layout();
    state.playing = false;
    if (state.media_open)
        refresh_panel();
}

void toggle_play() {
    if (state.playing)
        stop();
    else
        play();
}

void stop_if_playing() {
    if (state.playing)
        stop();
}

void pause_play() {
    state.playing = false;
    state.unpaused = false;
    beep_on_failure(send_to_device(nullptr, nullptr, "pause"));
}

void resume_play() {
    state.playing = true;
    state.unpaused = true;
    beep_on_failure(send_to_device(nullptr, nullptr, "resume"));
}

void toggle_pause() {
    if (state.unpaused)
        pause_play();
    else
        resume_play();
}

void seek_to(std::int32_t time) {
    beep_on_failure(send_to_device(nullptr, nullptr, "seek to %d wait", time));
}

void seek_start_and_play() {
    beep_on_failure(send_to_device(nullptr, nullptr, "seek to start wait"));
    state.position_ms = 0;
    play();
}

void seek_end() {
    beep_on_failure(send_to_device(nullptr, nullptr, "seek to end wait"));
}

void seek_forward() {
    // Compared before adding, so that a long step near the end cannot overflow.
    if (state.position_ms > state.length_ms - state.time_step_ms)
        state.position_ms = state.length_ms;
    else
        state.position_ms += state.time_step_ms;
    seek_to(state.position_ms);
    play();
}

void seek_back() {
    if (state.position_ms < state.time_step_ms)
        state.position_ms = 0;
    else
        state.position_ms -= state.time_step_ms;
    seek_to(state.position_ms);
    play();
}

void seek_tenth(int tenth) {
    // Multiplied first and truncated, as in 32-bit arithmetic; done in 64 bits so that a length
    // beyond 66 hours cannot wrap into a negative time.
    seek_to(static_cast<std::int32_t>(std::int64_t(state.length_ms) * tenth / 10));
    play();
}

void set_time_step(int digit) {
    state.time_step_ms = digit == 0 ? 25000 : digit * 1000;
}

void step_forward() {
    if (state.playing) {
        state.playing = false;
        send_to_device(nullptr, nullptr, "stop wait");
    }
    beep_on_failure(send_to_device(nullptr, nullptr, "step by 1 wait"));
}

void fast_play() {
    state.playing = false;
    beep_on_failure(send_to_device(nullptr, nullptr, "play fast"));
}

void slow_play() {
    state.playing = false;
    beep_on_failure(send_to_device(nullptr, nullptr, "play slow"));
}

void toggle_fast_view() {
    state.fast_view = !state.fast_view;
}

void fast_view_jump() {
    const std::int32_t second = (state.position_ms / 1000) % 60;
    const std::int32_t step = state.time_step_ms / 1000;
    const bool skip = (step < second && second < 30) || (step + 30 < second && second < 60);
    if (!skip)
        return;
    state.position_ms += 30000 - state.time_step_ms;
    seek_to(state.position_ms);
    play();
}

void configure_device() {
    beep_on_failure(send_to_device(nullptr, nullptr, "stop wait"));
    beep_on_failure(send_to_device(nullptr, nullptr, "configure"));
}

std::int32_t query_position() {
    beep_on_failure(send_to_device(nullptr, nullptr, "set time format milliseconds wait"));
    send_to_device(reply_buffer, nullptr, "status position wait");
    return parse_int(reply_buffer);
}

void close_media() {
    if (state.media_open && state.playing)
        stop();
    state.playing = false;
    state.media_open = false;
    state.position_ms = 0;
    state.length_ms = 1;
    send_to_device(nullptr, nullptr, "close wait");
    set_menu_entry(configure_menu_id, false);
}

} // namespace player
