// The audio channels and the volume: the audio control key cycles four channel modes, the
// volume keys and slider set 0..1000. The device's answers to these commands are not reported.
#include "ops/Transport.h"

#include "core/CommandChannel.h"
#include "core/PanelLayout.h"
#include "core/PanelPainter.h"
#include "core/Player.h"

#include <algorithm>
#include <array>
#include <limits>

namespace player {

namespace {

struct AudioMode {
    bool left_on;
    bool right_on;
    char const* text; // 21 characters for the panel's text field
};

// Indexed by audio_mode_counter modulo 4.
constexpr std::array<AudioMode, 4> audio_modes{{
    {true, true, "  AUDIO ALL ON       "},
    {false, true, "  AUDIO RIGHT ON     "},
    {true, false, "  AUDIO LEFT ON      "},
    {false, false, "  AUDIO ALL OFF      "},
}};

constexpr int volume_key_step = 100;
constexpr std::int32_t max_volume = 1000;

void change_volume(std::int32_t by) {
    // Saturating: with nothing open the keys may push the value far out before it is clamped.
    state.volume = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t(state.volume) + by, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
    if (state.media_open)
        apply_volume();
}

// Modulo of a value that only grows from 0; kept non-negative should it ever wrap.
AudioMode const& audio_mode(std::int32_t counter) {
    return audio_modes[static_cast<std::uint32_t>(counter) % audio_modes.size()];
}

} // namespace

char const* audio_mode_text(std::int32_t counter) {
    return audio_mode(counter).text;
}

void apply_audio() {
    AudioMode const& audio = audio_mode(state.audio_mode_counter);
    state.left_on = audio.left_on;
    state.right_on = audio.right_on;
    redraw_panel(audio.text, panel_part::text_field);
    send_to_device(nullptr, nullptr, "setaudio left %s wait", state.left_on ? "on" : "off");
    send_to_device(nullptr, nullptr, "setaudio right %s wait", state.right_on ? "on" : "off");
}

void audio_control() {
    state.audio_mode_counter =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(state.audio_mode_counter) + 1u);
    apply_audio();
}

void apply_volume() {
    state.volume = std::clamp(state.volume, 0, max_volume);
    send_to_device(nullptr, nullptr, "setaudio volume to %d wait", state.volume);
    redraw_panel(state.status_text, panel_part::all);
    apply_audio();
}

void volume_up() {
    change_volume(volume_key_step);
}

void volume_down() {
    change_volume(-volume_key_step);
}

} // namespace player
