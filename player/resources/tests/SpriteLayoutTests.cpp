// The sprite sheet against the layout the panel painter copies by: every sprite inside the sheet,
// no two sprites sharing pixels, every glyph drawn and distinct, and knobs that leave no trail.
#include "resources/ArtLayout.h"
#include "resources/Resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace player::art;

struct NamedRect {
    std::string name;
    SpriteRect rect;
};

std::vector<NamedRect> all_sprites() {
    std::vector<NamedRect> sprites{
        {"marked fill", marked_fill},
        {"position track", position_track},
        {"position knob", position_knob_normal},
        {"position knob pressed", position_knob_pressed},
        {"volume knob", volume_knob_normal},
        {"volume knob pressed", volume_knob_pressed},
        {"play lamp on", play_lamp_on},
        {"play lamp off", play_lamp_off},
        {"colon", colon},
        {"blink A", blink_lamp_a},
        {"blink B", blink_lamp_b},
        {"blink stopped", blink_lamp_stopped},
    };
    for (int id = first_button_id; id < first_button_id + button_count; ++id) {
        sprites.push_back({"button " + std::to_string(id), button_normal(id)});
        sprites.push_back({"button pressed " + std::to_string(id), button_pressed(id)});
    }
    for (int g = 0; g < static_cast<int>(glyph_alphabet.size()); ++g)
        sprites.push_back({"glyph " + std::to_string(g), glyph(g)});
    for (int d = 0; d <= 9; ++d)
        sprites.push_back({"digit " + std::to_string(d), digit(d)});
    return sprites;
}

bool overlap(const SpriteRect& a, const SpriteRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

QImage region(const QImage& image, const SpriteRect& r) {
    return image.copy(r.x, r.y, r.width, r.height).convertToFormat(QImage::Format_RGB32);
}

class SpriteSheet : public testing::Test {
  protected:
    void SetUp() override {
        sheet = player::load_bitmap(player::sprite_sheet_id);
        panel = player::load_bitmap(player::panel_bitmap_id);
        ASSERT_FALSE(sheet.isNull());
        ASSERT_FALSE(panel.isNull());
    }
    QImage sheet;
    QImage panel;
};

TEST_F(SpriteSheet, every_sprite_lies_inside_the_sheet) {
    for (const NamedRect& sprite : all_sprites()) {
        const SpriteRect& r = sprite.rect;
        EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.width <= sheet.width() &&
                    r.y + r.height <= sheet.height())
            << sprite.name;
    }
    EXPECT_TRUE(volume_track.x == position_track.x && volume_track.width <= position_track.width);
}

TEST_F(SpriteSheet, no_two_sprites_share_pixels) {
    const std::vector<NamedRect> sprites = all_sprites();
    for (std::size_t i = 0; i < sprites.size(); ++i)
        for (std::size_t j = i + 1; j < sprites.size(); ++j)
            EXPECT_FALSE(overlap(sprites[i].rect, sprites[j].rect))
                << sprites[i].name << " / " << sprites[j].name;
}

// A cell counts as drawn when it has more than the two colours of an unlit cell.
int colour_count(const QImage& cell) {
    QList<QRgb> seen;
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            if (!seen.contains(cell.pixel(x, y)))
                seen.append(cell.pixel(x, y));
    return int(seen.size());
}

TEST_F(SpriteSheet, every_glyph_but_space_is_drawn_and_all_glyphs_differ) {
    std::vector<QImage> cells;
    for (int g = 0; g < static_cast<int>(glyph_alphabet.size()); ++g) {
        cells.push_back(region(sheet, glyph(g)));
        if (glyph_alphabet[g] == ' ')
            EXPECT_EQ(colour_count(cells.back()), 2) << "space shows only the unlit matrix";
        else
            EXPECT_GT(colour_count(cells.back()), 2) << "glyph '" << glyph_alphabet[g] << "' is empty";
    }
    for (std::size_t i = 0; i < cells.size(); ++i)
        for (std::size_t j = i + 1; j < cells.size(); ++j)
            EXPECT_NE(cells[i], cells[j]) << glyph_alphabet[i] << " looks like " << glyph_alphabet[j];
}

TEST_F(SpriteSheet, digit_row_matches_the_digit_glyphs) {
    for (int d = 0; d <= 9; ++d)
        EXPECT_EQ(region(sheet, digit(d)), region(sheet, glyph(glyph_index(static_cast<char>('0' + d)))))
            << d;
}

TEST_F(SpriteSheet, pressed_buttons_differ_from_normal_and_buttons_differ_from_each_other) {
    for (int id = first_button_id; id < first_button_id + button_count; ++id) {
        EXPECT_NE(region(sheet, button_normal(id)), region(sheet, button_pressed(id))) << id;
        for (int other = id + 1; other < first_button_id + button_count; ++other)
            EXPECT_NE(region(sheet, button_normal(id)), region(sheet, button_normal(other)))
                << id << " " << other;
    }
}

TEST_F(SpriteSheet, lamp_states_are_told_apart) {
    EXPECT_NE(region(sheet, play_lamp_on), region(sheet, play_lamp_off));
    EXPECT_NE(region(sheet, blink_lamp_a), region(sheet, blink_lamp_b));
    EXPECT_NE(region(sheet, blink_lamp_a), region(sheet, blink_lamp_stopped));
    EXPECT_NE(region(sheet, blink_lamp_b), region(sheet, blink_lamp_stopped));
}

// Cells the painter has not written yet (and characters without a glyph, which leave the cell as
// it was) must look like a written space, or the text field shows stale blocks.
TEST_F(SpriteSheet, panel_read_out_cells_match_a_drawn_space_before_anything_is_written) {
    const QImage space = region(sheet, glyph(glyph_index(' ')));
    std::vector<PanelPoint> cells{blink_lamp_at, colon_at};
    for (int i = 0; i < text_field_cells; ++i)
        cells.push_back({text_field_at.x + cell_width * i, text_field_at.y});
    for (int i = 0; i < percentage_cells; ++i)
        cells.push_back({percentage_at.x + cell_width * i, percentage_at.y});
    cells.insert(cells.end(), minute_digits_at.begin(), minute_digits_at.end());
    cells.insert(cells.end(), second_digits_at.begin(), second_digits_at.end());
    for (const PanelPoint& at : cells)
        EXPECT_EQ(region(panel, {at.x, at.y, cell_width, cell_height}), space) << at.x << "," << at.y;
}

// The painter redraws the track (10 rows) before the knob, so the knob rows below the track are
// never repainted: they must be the panel's own pixels there, wherever the knob stood.
TEST_F(SpriteSheet, knob_rows_below_the_track_match_the_panel_along_the_whole_travel) {
    struct KnobCase {
        SpriteRect knob;
        PanelPoint track_at;
        int knob_y;
        int travel;
    };
    const KnobCase cases[] = {
        {position_knob_normal, position_track_at, position_knob_y, position_knob_travel},
        {position_knob_pressed, position_track_at, position_knob_y, position_knob_travel},
        {volume_knob_normal, volume_track_at, volume_knob_y, volume_knob_travel},
        {volume_knob_pressed, volume_track_at, volume_knob_y, volume_knob_travel},
    };
    for (const KnobCase& c : cases) {
        const int first_hidden_row = c.track_at.y + track_height - c.knob_y;
        for (int row = first_hidden_row; row < c.knob.height; ++row)
            for (int offset = 0; offset <= c.travel; ++offset)
                for (int x = 0; x < c.knob.width; ++x)
                    ASSERT_EQ(sheet.pixel(c.knob.x + x, c.knob.y + row),
                              panel.pixel(c.track_at.x + offset + x, c.knob_y + row))
                        << "knob at sheet x " << c.knob.x << ", offset " << offset << ", row " << row;
    }
}

TEST(GlyphAlphabet, upper_case_digits_and_signs_have_glyphs_lower_case_does_not) {
    struct Case {
        char c;
        int index;
    };
    for (const Case& c :
         {Case{'A', 0}, Case{'Z', 25}, Case{':', 26}, Case{' ', 27}, Case{'0', 28}, Case{'9', 37},
          Case{'%', 43}, Case{'\\', 45}, Case{'~', 46}, Case{'a', -1}, Case{'-', -1}, Case{'\0', -1}})
        EXPECT_EQ(glyph_index(c.c), c.index) << c.c;
}

} // namespace
