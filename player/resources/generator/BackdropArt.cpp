// The backdrop under the panel: a steel frame 7 pixels wide (whose strips also frame the video)
// around a night-blue screen with a faint film reel, dark enough for the help texts in cyan.
#include "Artwork.h"

#include "resources/ArtLayout.h"

#include <array>

namespace player::art {

namespace {

void draw_frame(Canvas& backdrop) {
    Noise noise(0xBAC4D209u);
    const int w = backdrop_width;
    const int h = backdrop_height;
    backdrop.brushed(0, 0, w, h, 46, 32, noise);
    backdrop.bevel(0, 0, w, h, steel(4), steel(4));
    backdrop.bevel(1, 1, w - 2, h - 2, steel(62), steel(14));
    backdrop.bevel(2, 2, w - 4, h - 4, steel(52), steel(24));
    backdrop.bevel(frame_width - 2, frame_width - 2, w - 2 * frame_width + 4, h - 2 * frame_width + 4,
                   steel(20), steel(56));
    backdrop.bevel(frame_width - 1, frame_width - 1, w - 2 * frame_width + 2, h - 2 * frame_width + 2,
                   steel(6), steel(6));
}

void draw_screen(Canvas& backdrop) {
    const int inner_width = backdrop_width - 2 * frame_width;
    const int inner_height = backdrop_height - 2 * frame_width;
    for (int row = 0; row < inner_height; ++row) {
        // Brighter at the top, and every other line a shade darker, as on a tube.
        const int level = 7 - 6 * row / inner_height - (row % 2);
        backdrop.hline(frame_width, frame_width + row, inner_width, night(level));
    }
}

void draw_reel(Canvas& backdrop) {
    const int cx = backdrop_width / 2;
    const int cy = backdrop_height / 2;
    // Five spoke holes at 72 degree steps, 60 pixels from the hub.
    constexpr std::array<std::array<int, 2>, 5> holes{{{0, -60}, {57, -19}, {35, 49}, {-35, 49}, {-57, -19}}};
    backdrop.ring(cx, cy, 104, 4, night(10));
    backdrop.ring(cx, cy, 98, 1, night(8));
    for (const auto& hole : holes)
        backdrop.ring(cx + hole[0], cy + hole[1], 26, 2, night(9));
    backdrop.disc(cx, cy, 12, night(9));
    backdrop.disc(cx, cy, 5, night(3));
}

} // namespace

Canvas draw_backdrop() {
    Canvas backdrop(backdrop_width, backdrop_height, steel(40));
    draw_frame(backdrop);
    draw_screen(backdrop);
    draw_reel(backdrop);
    return backdrop;
}

} // namespace player::art
