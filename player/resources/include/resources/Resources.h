// The resources the player carries inside its own binary (compiled in through Qt's resource
// system): the three panel bitmaps by numeric id, the two class icons and the accelerator table by
// name. Every loader returns an empty result for a name or id the program does not carry.
// GUI thread only, like all of the player.
#pragma once

#include "resources/Accelerators.h"

#include <QImage>

#include <string_view>

namespace player {

// Bitmap resource ids.
constexpr int panel_bitmap_id = 554;
constexpr int sprite_sheet_id = 555;
constexpr int backdrop_bitmap_id = 1206;

// Icon and accelerator resource names.
constexpr std::string_view player_icon_name = "MPEGIcon";
constexpr std::string_view help_icon_name = "HELPIcon";
constexpr std::string_view accelerator_table_name = "MPEGACCE";

// A bitmap as an 8-bit indexed image with its colour table; null for an unknown id. Its size is
// the bitmap's size, which all layout arithmetic uses.
QImage load_bitmap(int id);

// An icon image (32 x 32); null for an unknown name.
QImage load_icon(std::string_view name);

// The accelerator table; an unknown name gives an empty table with an error text.
AcceleratorTable load_accelerators(std::string_view name);

} // namespace player
