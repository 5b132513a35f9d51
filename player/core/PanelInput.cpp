#include "core/PanelInput.h"

#include "core/PanelLayout.h"
#include "core/PanelPainter.h"
#include "core/Player.h"
#include "ops/Transport.h"
#include "resources/ArtLayout.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace player {

SliderDrag slider_drag;
PanelPress panel_press;

namespace {

constexpr int position_span = art::position_track_width; // 119 pixels from 0 to the length
constexpr int volume_span = art::volume_track_width;     // 31 pixels from 0 to full volume
constexpr int full_volume = 1000;
constexpr int pressed_full_volume = 999; // a press reaches 999 at the right end, a drag 1000

constexpr unsigned position_left = art::position_track_at.x;
constexpr unsigned volume_left = art::volume_track_at.x;

// (x - left) * scale / span, truncating toward zero. The product is taken in 64 bits: a 32-bit
// product would wrap for media longer than about five hours.
std::int64_t scaled(unsigned x, unsigned left, std::int64_t scale, int span) {
    return (static_cast<std::int64_t>(x) - left) * scale / span;
}

std::int32_t held(std::int64_t value, std::int32_t high) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 0, high));
}

void press(unsigned x, unsigned y) {
    slider_drag = {};
    panel_press = {};
    const bool on_slider = position_box.contains(x, y) || volume_box.contains(x, y);
    if (!on_slider)
        panel_press = {true, x, y};
    if (!state.media_open)
        return;
    if (position_box.contains(x, y)) {
        state.position_ms = position_at(x, state.length_ms);
        panel_look.position_knob_pressed = true;
        slider_drag.position = true;
        if (state.playing)
            stop();
        redraw_panel(state.status_text, panel_part::position_bar);
        return;
    }
    if (volume_box.contains(x, y)) {
        state.volume = volume_pressed_at(x);
        panel_look.volume_knob_pressed = true;
        slider_drag.volume = true;
        if (state.playing)
            stop();
        redraw_panel(state.status_text, panel_part::volume_bar);
        return;
    }
}

bool beyond_drag_distance(unsigned x, unsigned y) {
    const int dx = static_cast<int>(static_cast<short>(x)) - static_cast<int>(static_cast<short>(panel_press.x));
    const int dy = static_cast<int>(static_cast<short>(y)) - static_cast<int>(static_cast<short>(panel_press.y));
    return std::abs(dx) > drag_distance || std::abs(dy) > drag_distance;
}

// The window follows the pointer from here until the button comes up, as a drag on a caption
// moves a window.
void drag_window() {
    panel_press = {};
    SendMessageA(windows.main_window, WM_SYSCOMMAND, SC_MOVE | 2 /* by the caption, with the mouse */, 0);
}

// The picture follows the knob while it is dragged.
void move(WPARAM keys, unsigned x, unsigned y) {
    if (panel_press.held && (keys & MK_LBUTTON) && beyond_drag_distance(x, y)) {
        drag_window();
        return;
    }
    if (!state.media_open || keys != MK_LBUTTON)
        return;
    if (slider_drag.position) {
        state.position_ms = position_at(x, state.length_ms);
        panel_look.position_knob_pressed = true;
        redraw_panel(state.status_text, panel_part::position_bar);
        seek_to(state.position_ms);
    }
    if (slider_drag.volume) {
        state.volume = volume_dragged_at(x);
        panel_look.volume_knob_pressed = true;
        redraw_panel(state.status_text, panel_part::volume_bar);
        apply_volume();
    }
}

void release(unsigned x) {
    if (std::exchange(panel_press, {}).held && state.media_open)
        play();
    if (state.media_open && slider_drag.position) {
        state.position_ms = position_at(x, state.length_ms);
        panel_look.position_knob_pressed = false;
        seek_to(state.position_ms);
        redraw_panel(state.status_text, panel_part::position_bar);
        play();
    }
    if (state.media_open && slider_drag.volume) {
        state.volume = volume_dragged_at(x);
        panel_look.volume_knob_pressed = false;
        apply_volume();
        redraw_panel(state.status_text, panel_part::volume_bar);
        play();
    }
    slider_drag = {};
}

} // namespace

std::int32_t position_at(unsigned x, std::int32_t length_ms) {
    return held(scaled(x, position_left, length_ms, position_span), length_ms);
}

std::int32_t volume_pressed_at(unsigned x) {
    return held(scaled(x, volume_left, pressed_full_volume, volume_span), pressed_full_volume);
}

std::int32_t volume_dragged_at(unsigned x) {
    return held(scaled(x, volume_left, full_volume, volume_span), full_volume);
}

void handle_panel_mouse(UINT message, WPARAM wparam, LPARAM lparam) {
    const unsigned x = LOWORD(lparam);
    const unsigned y = HIWORD(lparam);
    switch (message) {
    case WM_LBUTTONDOWN:
        press(x, y);
        break;
    case WM_MOUSEMOVE:
        move(wparam, x, y);
        break;
    case WM_LBUTTONUP:
        release(x);
        break;
    case WM_RBUTTONDOWN:
        if (state.media_open && state.playing)
            stop();
        break;
    default:
        break;
    }
}

} // namespace player
