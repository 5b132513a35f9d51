// GDI objects and device contexts behind the gdi32 handles. GUI thread only.
#pragma once

#include "host/FrameDrawing.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRegion>

#include <memory>
#include <optional>

namespace host::user32 {

struct GdiObject {
    enum class Kind { bitmap, brush, pen, font, region };
    Kind kind = Kind::bitmap;
    QImage image;       // bitmap pixels (RGB32)
    QColor color;       // brush or pen colour; invalid for the null brush and the null pen
    int pen_width = 1;
    QFont font;
    bool symbol_font = false; // "Wingdings": characters stand for pictures (symbol_text)
    QRegion region;
    bool stock = false; // stock objects are never deleted
    HDC selected_into = nullptr;
};

struct DeviceContext {
    HWND window = nullptr;    // a window's device context draws into its backing image
    HGDIOBJ bitmap = nullptr; // a memory device context draws into its selected bitmap
    QImage* image = nullptr;  // an image context draws into its caller's image
    HGDIOBJ brush = nullptr;
    HGDIOBJ pen = nullptr;
    HGDIOBJ font = nullptr; // nullptr: the system font
    COLORREF text_color = RGB(0, 0, 0);
    COLORREF background_color = RGB(255, 255, 255);
    int background_mode = OPAQUE;
    std::optional<QRegion> clip;      // BeginPaint's update region
    std::optional<QRegion> user_clip; // SelectClipRgn's clipping region
};

GdiObject* find_gdi_object(HGDIOBJ object);
DeviceContext* find_dc(HDC hdc);

HBITMAP create_bitmap(QImage const& image);
// A device context for a window's client area (GetDC, BeginPaint); `clip` limits drawing.
HDC create_window_dc(HWND hwnd, std::optional<QRegion> clip);
void delete_window_dc(HDC hdc);

// The colour a brush paints with; nothing for the null brush or an unknown handle.
std::optional<QColor> brush_color(HBRUSH brush);
// A stock object by GetStockObject index; nullptr beyond them.
HGDIOBJ stock_object(int index);
// Adds an object to the table and returns its handle.
HGDIOBJ add_gdi_object(std::unique_ptr<GdiObject> object);
// The font text drawn on the context uses, and whether it is the symbol face.
QFont dc_font(DeviceContext const& dc, bool* symbol = nullptr);
// The system font, which a context uses until a font is selected.
QFont system_font();
// The Unicode text that draws the pictures of a "Wingdings" text.
QString symbol_text(QString const& text);
// The region a device context clips to (both the update and the selected region); nothing when
// it does not clip.
std::optional<QRegion> effective_clip(DeviceContext const& dc);
QColor to_qcolor(COLORREF color);

// Draws on what the context draws into, clipped as the context clips, and shows the window's
// changed pixels; false for an invalid context.
template <typename Painting> bool paint_on(HDC hdc, QRect const& changed, Painting&& painting);
bool paint_on_impl(HDC hdc, QRect const& changed, void (*painting)(QPainter&, void*), void* context);

template <typename Painting> bool paint_on(HDC hdc, QRect const& changed, Painting&& painting) {
    return paint_on_impl(
        hdc, changed,
        [](QPainter& painter, void* context) {
            (*static_cast<std::remove_reference_t<Painting>*>(context))(painter);
        },
        &painting);
}

// Fills a rectangle with a brush (FillRect without its public name); false for an invalid
// context or brush.
bool fill_rect(HDC hdc, RECT const& rect, HBRUSH brush);

// The image a device context draws into (nullptr for an invalid one).
QImage* target_image(DeviceContext const& dc);

} // namespace host::user32
