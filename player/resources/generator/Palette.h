// The one 256-colour palette all three panel bitmaps share. Colours are named by the role they
// play in the art; ramps are indexed from dark to light.
#pragma once

#include <QList>
#include <QRgb>

#include <cstdint>

namespace player::art {

using ColorIndex = std::uint8_t;

// Brushed steel, 64 levels from near black to near white with a faint blue cast.
constexpr int steel_levels = 64;
constexpr ColorIndex steel(int level) {
    return static_cast<ColorIndex>(level < 0 ? 0 : level >= steel_levels ? steel_levels - 1 : level);
}

// Liquid-crystal read-outs: background, unlit segments, and a 12-step glow ramp.
constexpr ColorIndex lcd_background = 64;
constexpr ColorIndex lcd_unlit = 65;
constexpr int glow_levels = 12;
constexpr ColorIndex glow(int level) {
    return static_cast<ColorIndex>(66 + (level < 0 ? 0 : level >= glow_levels ? glow_levels - 1 : level));
}
constexpr ColorIndex lcd_text = glow(glow_levels - 2);

// Warning colours: a red ramp for stop and exit, an amber ramp for marks.
constexpr int accent_levels = 12;
constexpr ColorIndex red(int level) {
    return static_cast<ColorIndex>(80 + (level < 0 ? 0 : level >= accent_levels ? accent_levels - 1 : level));
}
constexpr ColorIndex amber(int level) {
    return static_cast<ColorIndex>(92 + (level < 0 ? 0 : level >= accent_levels ? accent_levels - 1 : level));
}

// The backdrop's night-blue ramp, 32 levels.
constexpr int night_levels = 32;
constexpr ColorIndex night(int level) {
    return static_cast<ColorIndex>(104 + (level < 0 ? 0 : level >= night_levels ? night_levels - 1 : level));
}

constexpr ColorIndex black = steel(0);

// The palette as BMP colour table entries; unused entries are black.
QList<QRgb> panel_palette();

} // namespace player::art
