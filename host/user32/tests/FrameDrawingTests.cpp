// The frame's drawing functions on memory device contexts: metrics and colours, clipping
// regions, shapes, DrawTextA's ellipsis, prefixes and fonts, DrawFrameControl and DrawCaption.
#include "RecordingWindow.h"
#include "host/FrameDrawing.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstring>

namespace {

// A memory device context with a W x H bitmap filled with `fill`, released at the end.
class Canvas {
  public:
    Canvas(int w, int h, COLORREF fill = RGB(255, 255, 255))
        : dc(CreateCompatibleDC(nullptr)), bitmap(CreateCompatibleBitmap(nullptr, w, h)) {
        previous = SelectObject(dc, bitmap);
        HBRUSH const brush = CreateSolidBrush(fill);
        RECT const all{0, 0, w, h};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    // Pixels of `colour` in [left, right) x [top, bottom).
    int count(COLORREF colour, RECT area) const {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += GetPixel(dc, x, y) == colour;
        return n;
    }
    // The columns [first, last] that hold a pixel other than `background`.
    std::pair<int, int> inked_columns(COLORREF background, int w, int h) const {
        int first = w;
        int last = -1;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (GetPixel(dc, x, y) != background) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return {first, last};
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
};

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);

TEST(FrameDrawing, metrics_and_colours_are_the_windows_95_standard) {
    struct Metric {
        int index;
        int value;
    };
    for (Metric m : {Metric{SM_CXFRAME, 4}, Metric{SM_CYFRAME, 4}, Metric{SM_CXDLGFRAME, 3}, Metric{SM_CYDLGFRAME, 3},
                     Metric{SM_CYCAPTION, 19}, Metric{SM_CYSMCAPTION, 15}, Metric{SM_CXSMICON, 16},
                     Metric{SM_CXSMSIZE, 12}, Metric{SM_MIDEASTENABLED, 0}, Metric{9999, 0}})
        EXPECT_EQ(GetSystemMetrics(m.index), m.value) << m.index;
    EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION), RGB(0, 0, 128));
    EXPECT_EQ(GetSysColor(COLOR_INACTIVECAPTION), RGB(128, 128, 128));
    EXPECT_EQ(GetSysColor(COLOR_INACTIVECAPTIONTEXT), RGB(192, 192, 192));
    EXPECT_EQ(GetSysColor(25), 0u);

    NONCLIENTMETRICSA metrics{};
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0)) << "cbSize unset";
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0));
    EXPECT_STREQ(metrics.lfCaptionFont.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(metrics.lfCaptionFont.lfWeight, FW_BOLD);
    EXPECT_EQ(metrics.iCaptionHeight + 1, GetSystemMetrics(SM_CYCAPTION));
}

TEST(FrameDrawing, system_colour_change_reaches_windows_and_listeners) {
    register_recording_class("FD_Colours");
    HWND const window = CreateWindowExA(0, "FD_Colours", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
    int heard = 0;
    int const listener = host::add_system_colour_listener([&] { ++heard; });
    int const index = COLOR_ACTIVECAPTION;
    COLORREF const red = RGB(255, 0, 0);
    COLORREF const saved = GetSysColor(index);
    int const out_of_range = 25;
    EXPECT_FALSE(SetSysColors(1, &out_of_range, &red));
    EXPECT_EQ(heard, 0);
    EXPECT_TRUE(SetSysColors(1, &index, &red));
    EXPECT_EQ(GetSysColor(index), red);
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(Recorder::current().of(WM_SYSCOLORCHANGE).size(), 1u);
    SetSysColors(1, &index, &saved);
    host::remove_system_colour_listener(listener);
    DestroyWindow(window);
}

TEST(FrameDrawing, clipping_region_moves_and_loses_excluded_rectangles) {
    Canvas canvas(40, 20);
    HRGN const region = CreateRectRgn(10, 0, 30, 20);
    EXPECT_EQ(SelectClipRgn(canvas.dc, region), SIMPLEREGION);
    EXPECT_EQ(SelectClipRgn(canvas.dc, reinterpret_cast<HRGN>(1)), ERROR) << "1 is not a region";
    OffsetClipRgn(canvas.dc, -5, 0);            // 5..25
    ExcludeClipRect(canvas.dc, 10, 0, 15, 20); // 5..10 and 15..25
    HRGN const copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(canvas.dc, copy), 1);
    HBRUSH const brush = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RECT const all{0, 0, 40, 20};
    FillRect(canvas.dc, &all, brush);
    EXPECT_EQ(canvas.count(black, RECT{0, 0, 40, 1}), 15);
    EXPECT_EQ(GetPixel(canvas.dc, 5, 0), black);
    EXPECT_EQ(GetPixel(canvas.dc, 12, 0), white);
    EXPECT_EQ(GetPixel(canvas.dc, 25, 0), white);
    EXPECT_EQ(host::region_area(copy)->boundingRect(), QRect(5, 0, 20, 20));
    EXPECT_EQ(SelectClipRgn(canvas.dc, nullptr), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(canvas.dc, copy), 0);
    EXPECT_TRUE(DeleteObject(region));
    EXPECT_TRUE(DeleteObject(copy));
}

TEST(FrameDrawing, rectangles_and_polygons_use_the_selected_pen_and_brush) {
    Canvas canvas(20, 20);
    HPEN const red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ const old_pen = SelectObject(canvas.dc, red);
    HGDIOBJ const old_brush = SelectObject(canvas.dc, GetStockObject(BLACK_BRUSH));
    EXPECT_TRUE(Rectangle(canvas.dc, 2, 2, 8, 6));
    // Outline on the inside edge, right and bottom edges outside.
    EXPECT_EQ(GetPixel(canvas.dc, 2, 2), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(canvas.dc, 7, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(canvas.dc, 8, 6), white);
    EXPECT_EQ(GetPixel(canvas.dc, 4, 4), black);
    EXPECT_FALSE(DeleteObject(red)) << "still selected";
    SelectObject(canvas.dc, GetStockObject(NULL_PEN));
    POINT const triangle[] = {{10, 10}, {19, 10}, {10, 19}};
    EXPECT_TRUE(Polygon(canvas.dc, triangle, 3));
    EXPECT_EQ(GetPixel(canvas.dc, 12, 12), black);
    EXPECT_EQ(GetPixel(canvas.dc, 18, 18), white);
    SelectObject(canvas.dc, old_pen);
    SelectObject(canvas.dc, old_brush);
    EXPECT_TRUE(DeleteObject(red));
}

TEST(FrameDrawing, text_is_shortened_with_an_ellipsis_and_prefixes_underline) {
    LOGFONTA face{};
    face.lfHeight = -11;
    face.lfWeight = FW_BOLD;
    std::strcpy(face.lfFaceName, "MS Sans Serif");
    HFONT const font = CreateFontIndirectA(&face);
    struct Case {
        char const* text;
        UINT format;
        bool fits; // the text ends inside the box
    };
    Case const cases[] = {
        {"A caption far too long to fit in the box", DT_SINGLELINE | DT_END_ELLIPSIS, true},
        {"A caption far too long to fit in the box", DT_SINGLELINE, false},
    };
    for (Case const& c : cases) {
        Canvas canvas(120, 20);
        SelectObject(canvas.dc, font);
        SetBkMode(canvas.dc, TRANSPARENT);
        RECT box{0, 0, 60, 20};
        DrawTextA(canvas.dc, c.text, -1, &box, c.format | DT_NOCLIP);
        auto const [first, last] = canvas.inked_columns(white, 120, 20);
        EXPECT_EQ(last < 60, c.fits) << c.format << " ends at " << last;
    }
    // "&&" shows one ampersand; "&a" underlines the a and hides the ampersand.
    auto draw = [&](char const* text, UINT format) {
        auto canvas = std::make_unique<Canvas>(60, 20);
        SelectObject(canvas->dc, font);
        RECT box{0, 0, 60, 20};
        DrawTextA(canvas->dc, text, -1, &box, format | DT_SINGLELINE);
        return canvas;
    };
    auto prefixed = draw("&a", DT_LEFT);
    auto plain = draw("a", DT_LEFT);
    auto literal = draw("&a", DT_NOPREFIX);
    EXPECT_GT(prefixed->count(black, RECT{0, 0, 60, 20}), plain->count(black, RECT{0, 0, 60, 20}));
    EXPECT_GT(literal->inked_columns(white, 60, 20).second, prefixed->inked_columns(white, 60, 20).second);
    // Right alignment puts the text at the right end.
    auto right = draw("a", DT_RIGHT);
    EXPECT_GE(right->inked_columns(white, 60, 20).second, 55);
    // A font is deleted once no context holds it.
    EXPECT_FALSE(DeleteObject(font));
    for (auto* canvas : {&prefixed, &plain, &literal, &right})
        canvas->reset();
    EXPECT_TRUE(DeleteObject(font));
}

TEST(FrameDrawing, wingdings_characters_draw_their_pictures) {
    LOGFONTA face{};
    face.lfHeight = -14;
    face.lfCharSet = 2; // symbol
    std::strcpy(face.lfFaceName, "Wingdings");
    HFONT const font = CreateFontIndirectA(&face);
    EXPECT_EQ(host::logical_font(face).family(), QStringLiteral("Symbola"));
    for (unsigned char symbol : {0x2B, 0x30, 0x32, 0x4A, 0x4F, 0xE7, 0xE8, 0xE9, 0xEA}) {
        Canvas canvas(20, 20);
        SelectObject(canvas.dc, font);
        char const text[] = {static_cast<char>(symbol), 0};
        RECT box{0, 0, 20, 20};
        DrawTextA(canvas.dc, text, -1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        EXPECT_GT(canvas.count(black, RECT{0, 0, 20, 20}), 6) << std::hex << int(symbol);
    }
    // Two different pictures for two different characters.
    auto picture = [&](char symbol) {
        Canvas canvas(20, 20);
        SelectObject(canvas.dc, font);
        char const text[] = {symbol, 0};
        RECT box{0, 0, 20, 20};
        DrawTextA(canvas.dc, text, -1, &box, DT_SINGLELINE);
        QImage image(20, 20, QImage::Format_RGB32);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                image.setPixel(x, y, GetPixel(canvas.dc, x, y));
        return image;
    };
    EXPECT_NE(picture(static_cast<char>(0xE9)), picture(static_cast<char>(0xEA)));
    DeleteObject(font);
}

TEST(FrameDrawing, frame_controls_draw_raised_pushed_and_greyed) {
    COLORREF const face = GetSysColor(COLOR_BTNFACE);
    COLORREF const text = GetSysColor(COLOR_BTNTEXT);
    struct Case {
        UINT type;
        UINT state;
        COLORREF corner; // top-left pixel
        bool glyph;      // button text colour inside
    };
    Case const cases[] = {
        {DFC_CAPTION, DFCS_CAPTIONCLOSE, GetSysColor(COLOR_3DLIGHT), true},
        {DFC_CAPTION, DFCS_CAPTIONMIN | DFCS_PUSHED, GetSysColor(COLOR_3DDKSHADOW), true},
        {DFC_CAPTION, DFCS_CAPTIONMAX | DFCS_INACTIVE, GetSysColor(COLOR_3DLIGHT), false},
        {DFC_CAPTION, DFCS_CAPTIONRESTORE, GetSysColor(COLOR_3DLIGHT), true},
        {DFC_CAPTION, DFCS_CAPTIONHELP, GetSysColor(COLOR_3DLIGHT), true},
        {DFC_BUTTON, DFCS_BUTTONPUSH, GetSysColor(COLOR_BTNHIGHLIGHT), false},
        {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED, GetSysColor(COLOR_3DDKSHADOW), false},
    };
    for (Case const& c : cases) {
        Canvas canvas(16, 14, RGB(0, 255, 0));
        RECT rect{0, 0, 16, 14};
        EXPECT_TRUE(DrawFrameControl(canvas.dc, &rect, c.type, c.state));
        EXPECT_EQ(GetPixel(canvas.dc, 0, 0), c.corner) << c.state;
        EXPECT_EQ(GetPixel(canvas.dc, 2, 2), face) << c.state;
        EXPECT_EQ(canvas.count(text, RECT{2, 2, 14, 12}) > 0, c.glyph) << c.state;
        EXPECT_EQ(canvas.count(RGB(0, 255, 0), RECT{0, 0, 16, 14}), 0);
    }
    // Glyphs differ between the kinds.
    auto glyph = [](UINT state) {
        Canvas canvas(16, 14);
        RECT rect{0, 0, 16, 14};
        DrawFrameControl(canvas.dc, &rect, DFC_CAPTION, state);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 16; ++x)
                pixels.push_back(GetPixel(canvas.dc, x, y));
        return pixels;
    };
    std::vector<std::vector<COLORREF>> seen;
    for (UINT kind : {DFCS_CAPTIONCLOSE, DFCS_CAPTIONMIN, DFCS_CAPTIONMAX, DFCS_CAPTIONRESTORE, DFCS_CAPTIONHELP}) {
        auto const pixels = glyph(kind);
        EXPECT_EQ(std::find(seen.begin(), seen.end(), pixels), seen.end()) << kind;
        seen.push_back(pixels);
    }
    Canvas canvas(4, 4);
    RECT rect{0, 0, 4, 4};
    EXPECT_FALSE(DrawFrameControl(canvas.dc, &rect, 3, 0)) << "no other classes";
}

TEST(FrameDrawing, caption_icon_sits_two_pixels_in_on_the_inactive_caption_colour) {
    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(Qt::red);
    Canvas canvas(18, 18, RGB(0, 255, 0));
    RECT const rect{1, 0, 100, 18};
    EXPECT_TRUE(host::draw_caption_on(canvas.dc, rect, DC_ICON, icon, QStringLiteral("ignored")));
    EXPECT_EQ(GetPixel(canvas.dc, 0, 5), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(canvas.dc, 2, 5), GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(GetPixel(canvas.dc, 3, 0), GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(GetPixel(canvas.dc, 3, 1), RGB(255, 0, 0));
    EXPECT_EQ(canvas.count(RGB(255, 0, 0), RECT{0, 0, 18, 18}), 15 * 16);
}

} // namespace
