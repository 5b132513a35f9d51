#include "Preview.h"

#include "resources/ArtLayout.h"

#include <string_view>

namespace player::art {

namespace {

void put(Canvas& target, const Canvas& sheet, const SpriteRect& sprite, int x, int y, int width = -1) {
    target.copy_from(sheet, sprite.x, sprite.y, width < 0 ? sprite.width : width, sprite.height, x, y);
}

void put_text(Canvas& target, const Canvas& sheet, PanelPoint at, std::string_view text) {
    for (int i = 0; i < static_cast<int>(text.size()); ++i)
        if (const int g = glyph_index(text[i]); g >= 0)
            put(target, sheet, glyph(g), at.x + cell_width * i, at.y);
}

} // namespace

Canvas compose_panel_in_use(const Canvas& panel, const Canvas& sheet, const Canvas& backdrop) {
    constexpr int picture_height = 120;
    Canvas view(panel_width, panel_height + picture_height + 2 * frame_width + 1, black);
    view.copy_from(panel, 0, 0, panel_width, panel_height, 0, 0);
    // The frame strips around a picture area, as the main window paints them.
    view.copy_from(backdrop, 0, 0, backdrop_width, frame_width, 0, panel_height);
    view.copy_from(backdrop, 0, frame_width, frame_width, picture_height + 1, 0, panel_height + frame_width);
    view.copy_from(backdrop, backdrop_width - frame_width, frame_width, frame_width, picture_height + 1,
                   backdrop_width - frame_width, panel_height + frame_width);
    view.copy_from(backdrop, 0, backdrop_height - frame_width, backdrop_width, frame_width, 0,
                   panel_height + picture_height + frame_width + 1);
    // Playing at 45 of 90 s with marks at 20 and 60 s, volume half way, a 74-minute disc.
    put(view, sheet, position_track, position_track_at.x, position_track_at.y);
    put(view, sheet, marked_fill, position_track_at.x + 20, position_track_at.y, 40 + 29);
    put(view, sheet, position_knob_normal, position_track_at.x + 45, position_knob_y);
    put(view, sheet, volume_track, volume_track_at.x, volume_track_at.y);
    put(view, sheet, volume_knob_pressed, volume_track_at.x + 9, volume_knob_y);
    put(view, sheet, play_lamp_on, play_lamp_at.x, play_lamp_at.y);
    put_text(view, sheet, text_field_at, " ES\\CLIP01.MPG  01/03");
    put_text(view, sheet, percentage_at, "50%");
    put(view, sheet, blink_lamp_a, blink_lamp_at.x, blink_lamp_at.y);
    put(view, sheet, digit(7), minute_digits_at[0].x, minute_digits_at[0].y);
    put(view, sheet, digit(4), minute_digits_at[1].x, minute_digits_at[1].y);
    put(view, sheet, colon, colon_at.x, colon_at.y);
    put(view, sheet, digit(0), second_digits_at[0].x, second_digits_at[0].y);
    put(view, sheet, digit(0), second_digits_at[1].x, second_digits_at[1].y);
    put(view, sheet, button_pressed(1001), button_positions[1].x, button_positions[1].y);
    return view;
}

bool save_preview(const QImage& image, const QString& path, int scale) {
    return image.convertToFormat(QImage::Format_RGB32)
        .scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .save(path, "PNG");
}

} // namespace player::art
