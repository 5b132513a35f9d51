// gdi32: pens, solid brushes, compatible bitmaps, rectangles, polygons and single pixels.
#include "Gdi.h"

#include <QPainter>
#include <QPolygon>

namespace host::user32 {
namespace {

// The pen outlines draw with: cosmetic, square-ended, on the pixel grid; Qt::NoPen for the null
// pen.
QPen outline_pen(DeviceContext const& dc) {
    GdiObject const* pen = find_gdi_object(dc.pen);
    if (!pen || !pen->color.isValid())
        return Qt::NoPen;
    QPen result(pen->color);
    result.setWidth(pen->pen_width);
    result.setCapStyle(Qt::SquareCap);
    result.setJoinStyle(Qt::MiterJoin);
    return result;
}

QBrush fill_brush(DeviceContext const& dc) {
    const auto color = brush_color(static_cast<HBRUSH>(dc.brush));
    return color ? QBrush(*color) : QBrush(Qt::NoBrush);
}

} // namespace
} // namespace host::user32

using namespace host::user32;

extern "C" {

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    if ((hdc && !find_dc(hdc)) || width < 0 || height < 0)
        return nullptr;
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::black);
    return create_bitmap(image);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto brush = std::make_unique<GdiObject>();
    brush->kind = GdiObject::Kind::brush;
    brush->color = to_qcolor(color);
    return static_cast<HBRUSH>(add_gdi_object(std::move(brush)));
}

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style != PS_SOLID && style != PS_NULL)
        return nullptr;
    auto pen = std::make_unique<GdiObject>();
    pen->kind = GdiObject::Kind::pen;
    pen->color = style == PS_NULL ? QColor() : to_qcolor(color);
    pen->pen_width = std::max(width, 1);
    return static_cast<HPEN>(add_gdi_object(std::move(pen)));
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = find_dc(hdc);
    if (!dc)
        return FALSE;
    if (right <= left || bottom <= top)
        return TRUE;
    const QRect area(left, top, right - left, bottom - top);
    const QPen pen = outline_pen(*dc);
    const QBrush brush = fill_brush(*dc);
    return paint_on(hdc, area, [&](QPainter& painter) {
        // The outline runs along the inside of the rectangle; the fill inside the outline.
        const bool outlined = pen.style() != Qt::NoPen;
        const QRect inside = outlined ? area.adjusted(1, 1, -1, -1) : area;
        if (brush.style() != Qt::NoBrush && inside.isValid())
            painter.fillRect(inside, brush);
        if (outlined) {
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(area.adjusted(0, 0, -1, -1));
        }
    });
}

BOOL Polygon(HDC hdc, const POINT* points, int count) {
    DeviceContext* dc = find_dc(hdc);
    if (!dc || !points || count < 2)
        return FALSE;
    QPolygon polygon;
    for (int i = 0; i < count; ++i)
        polygon << QPoint(points[i].x, points[i].y);
    const QPen pen = outline_pen(*dc);
    const QBrush brush = fill_brush(*dc);
    return paint_on(hdc, polygon.boundingRect(), [&](QPainter& painter) {
        painter.setPen(pen);
        painter.setBrush(brush);
        painter.drawPolygon(polygon, Qt::OddEvenFill);
    });
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = find_dc(hdc);
    QImage* image = dc ? target_image(*dc) : nullptr;
    if (!image || !image->rect().contains(x, y))
        return CLR_INVALID;
    const QRgb pixel = image->pixel(x, y);
    return RGB(static_cast<BYTE>(qRed(pixel)), static_cast<BYTE>(qGreen(pixel)), static_cast<BYTE>(qBlue(pixel)));
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = find_dc(hdc);
    QImage* image = dc ? target_image(*dc) : nullptr;
    if (!image || !image->rect().contains(x, y))
        return CLR_INVALID;
    const auto clip = effective_clip(*dc);
    if (clip && !clip->contains(QPoint(x, y)))
        return CLR_INVALID;
    paint_on(hdc, QRect(x, y, 1, 1), [&](QPainter& painter) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(QRect(x, y, 1, 1), to_qcolor(color));
    });
    return color & 0x00FFFFFF;
}
}
