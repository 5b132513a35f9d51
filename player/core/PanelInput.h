// The mouse on the panel: the position and volume sliders (press, drag, release), a left click
// elsewhere on the panel that starts play, a drag from there that moves the window (the panel
// has no caption to drag), and the right button that stops play. The panel buttons are child
// windows and get their own clicks. GUI thread only.
#pragma once

#include "host/user32.h"
#include "resources/ArtLayout.h"

#include <cstdint>

namespace player {

// The drag state: set by a press on a slider, cleared by the next left-button press or release.
// The window does not capture the mouse, so a release outside it leaves the flag set until then.
struct SliderDrag {
    bool position = false;
    bool volume = false;
};

extern SliderDrag slider_drag;

// A left press on the panel away from the buttons and sliders: a click (play) when the button
// comes up where it went down, a move of the window once the pointer has gone further than the
// drag distance.
struct PanelPress {
    bool held = false;
    unsigned x = 0;
    unsigned y = 0;
};

extern PanelPress panel_press;

// How far the pointer goes with the button held before a press becomes a drag (Windows'
// SM_CXDRAG and SM_CYDRAG).
constexpr int drag_distance = 4;

// Hit boxes of the sliders in client coordinates, bounds included.
struct HitBox {
    unsigned left;
    unsigned top;
    unsigned right;
    unsigned bottom;

    bool contains(unsigned x, unsigned y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

constexpr HitBox position_box{art::position_track_at.x, 39,
                              art::position_track_at.x + art::position_track_width, 39 + 12};
constexpr HitBox volume_box{art::volume_track_at.x, 39, art::volume_track_at.x + art::volume_track_width,
                            39 + 10};

// The slider values for a pointer at client x (the unsigned low word of lParam): the position
// for a medium of `length_ms`, and the volume as a press gives it (0..999) and as a drag or
// release gives it (held to 0..1000). The position is held to 0..length_ms.
std::int32_t position_at(unsigned x, std::int32_t length_ms);
std::int32_t volume_pressed_at(unsigned x);
std::int32_t volume_dragged_at(unsigned x);

// WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP and WM_RBUTTONDOWN of the main window.
void handle_panel_mouse(UINT message, WPARAM wparam, LPARAM lparam);

} // namespace player
