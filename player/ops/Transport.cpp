#include "ops/Transport.h"

#include "core/CommandChannel.h"
#include "core/DeviceHandling.h"
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
    beep_on_failure(send_command(nullptr, nullptr, "play xyzmpeg repeat"));
    panel_look.position_knob_pressed = false;
    panel_look.volume_knob_pressed = false;
    state.playing = true;
    apply_layout();
    apply_audio();
    refresh_panel();
}

void stop() {
    send_command(nullptr, nullptr, "stop xyzmpeg wait");
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
    beep_on_failure(send_command(nullptr, nullptr, "pause xyzmpeg"));
}

void resume_play() {
    state.playing = true;
    state.unpaused = true;
    beep_on_failure(send_command(nullptr, nullptr, "resume xyzmpeg"));
}

void toggle_pause() {
    if (state.unpaused)
        pause_play();
    else
        resume_play();
}

void seek_to(std::int32_t time) {
    beep_on_failure(send_command(nullptr, nullptr, "seek xyzmpeg to %d wait", time));
}

void seek_start_and_play() {
    beep_on_failure(send_command(nullptr, nullptr, "seek xyzmpeg to start wait"));
    state.position_ms = 0;
    play();
}

void seek_end() {
    beep_on_failure(send_command(nullptr, nullptr, "seek xyzmpeg to end wait"));
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
        send_command(nullptr, nullptr, "stop xyzmpeg wait");
    }
    beep_on_failure(send_command(nullptr, nullptr, "step xyzmpeg by 1 wait"));
}

void fast_play() {
    state.playing = false;
    beep_on_failure(send_command(nullptr, nullptr, "play xyzmpeg fast"));
}

void slow_play() {
    state.playing = false;
    beep_on_failure(send_command(nullptr, nullptr, "play xyzmpeg slow"));
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
    beep_on_failure(send_command(nullptr, nullptr, "stop xyzmpeg wait"));
    beep_on_failure(send_command(nullptr, nullptr, "configure xyzmpeg"));
}

std::int32_t query_position() {
    beep_on_failure(send_command(nullptr, nullptr, "set xyzmpeg time format milliseconds wait"));
    send_command(reply_buffer, nullptr, "status xyzmpeg position wait");
    return parse_int(reply_buffer);
}

void close_media() {
    if (state.media_open && state.playing)
        stop();
    state.playing = false;
    state.media_open = false;
    state.position_ms = 0;
    state.length_ms = 1;
    send_command(nullptr, nullptr, "close xyzmpeg wait");
    set_menu_entry(configure_menu_id, "&Configure ...", false);
}

} // namespace player
