// Transport and audio control: every operation that starts, stops, pauses, moves or reshapes
// playback of the one device open under the alias, and the audio channel and volume controls.
// Each is a short fixed sequence of MCI command strings plus changes to PlayerState; they are
// quoted as send_to_device takes them, without the alias.
// MCI failures are answered by the default beep where noted, never by a message box or an early
// return. GUI thread only.
#pragma once

#include "host/user32.h"

#include <cstdint>

namespace player {

// Id and period of the window timer that runs player_tick while nothing plays.
constexpr UINT_PTR stop_timer_id = 9;
constexpr UINT stop_timer_period_ms = 1000;

// "play (or ^p)": kills the stop timer, sends "play repeat" (beep), sets the slider
// knobs to their normal images, sets `playing` whatever the result, then apply_layout,
// apply_audio and a full panel refresh.
void play();

// Sends "stop wait", starts the stop timer when none runs, restores the normal layout
// (keeping full_size), clears `playing` and refreshes the panel when a medium is open.
void stop();

// "play, or stop playing toggle" (SPACE): stop when playing, else play.
void toggle_play();

// Panel stop button and right mouse button: stop, but only while playing.
void stop_if_playing();

// Pause ("pause") and resume ("resume"), each with a beep on failure, and the
// "pause or resume toggle" that picks one by `unpaused`.
void pause_play();
void resume_play();
void toggle_pause();

// "seek to %d wait" with `time` in the device's time format; beep on failure.
void seek_to(std::int32_t time);

// "go to start, and play": "seek to start wait", position 0, play.
void seek_start_and_play();
// "go to end, and play": "seek to end wait" only; play is not called.
void seek_end();
// Relative seeks by time_step_ms, held to 0..length_ms, then play.
void seek_forward();
void seek_back();
// "seek to i/10 of total time" for tenth 1..9: seek_to(length_ms * tenth / 10), then play.
void seek_tenth(int tenth);

// "time step in sec": digit 1..9 sets 1000..9000 ms, digit 0 sets 25000 ms.
void set_time_step(int digit);

// "step play": stops normal play first, then "step by 1 wait" (beep).
void step_forward();
// "fast play" and "slow play": clear `playing`, send "play fast" / "play slow".
void fast_play();
void slow_play();

// "fast view toggle": inverts fast_view.
void toggle_fast_view();
// The fast-view jump player_tick applies while playing with fast_view set, after reading
// position_ms: of every half minute only the first time_step_ms / 1000 seconds are played.
void fast_view_jump();

// "normal or full size toggle": inverts full_size, apply_layout, play.
void toggle_full_size();

// Full-screen or normal layout for an open medium with a video window, then a full refresh.
void apply_layout();

// The normal layout without touching full_size: the panel with the picture under it, or with
// the backdrop when there is no video window. Sets window_x and window_y.
void restore_normal_layout();

// "audio control": increments audio_mode_counter and applies it.
void audio_control();
// Shows the audio mode's text and sends the two setaudio channel commands (unreported).
void apply_audio();
// The panel text of the audio mode selected by `counter` (modulo 4), 21 characters.
char const* audio_mode_text(std::int32_t counter);

// "volume +" / "volume -": volume +/- 100, applied at once only while a medium is open.
void volume_up();
void volume_down();
// Clamps volume to 0..1000, sends "setaudio volume to %d wait" (unreported), refreshes
// the panel and applies the audio mode.
void apply_volume();

// "&Configure Device": "stop wait" then "configure", each with a beep.
void configure_device();

// The position in milliseconds: sets the time format to milliseconds (beep) and reads
// "status position wait".
std::int32_t query_position();

// Stops play when playing, clears the medium fields, sends "close wait" and grays the
// configure entry of the menu.
void close_media();

} // namespace player
