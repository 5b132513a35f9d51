// The tooltips of the panel: each panel button and both sliders name what they do with the
// phrase of their command in the key help and its key, as "play (or ^p) (DOWN)". The texts come
// from the command table. GUI thread only.
#pragma once

#include "host/user32.h"

#include <span>
#include <string>

namespace player {

// The tooltip text of a panel button (control id 1000 to 1013); empty for the button that does
// nothing.
std::string button_tip(int control_id);

// The tooltip texts of the position slider and of the volume slider.
std::string position_slider_tip();
std::string volume_slider_tip();

// Makes the tooltip control of the main window and adds to it the panel buttons (their windows
// in control id order, from 1000) and the sliders. Called once from the main window's creation.
void add_panel_tool_tips(std::span<HWND const> buttons);

} // namespace player
