// gdi32: device contexts, bitmaps, brushes and stock objects.
#include "Gdi.h"

#include "user32/HandleTable.h"
#include "user32/Window.h"

#include <QPainter>

#include <array>
#include <cstring>

namespace host::user32 {
namespace {

HandleTable<GdiObject, HGDIOBJ>& objects() {
    static HandleTable<GdiObject, HGDIOBJ> table(0x102);
    return table;
}

HandleTable<DeviceContext, HDC>& contexts() {
    static HandleTable<DeviceContext, HDC> table(0x103);
    return table;
}

HGDIOBJ make_stock(GdiObject::Kind kind, QColor color) {
    auto object = std::make_unique<GdiObject>();
    object->kind = kind;
    object->color = color;
    object->stock = true;
    return objects().add(std::move(object));
}

HGDIOBJ stock_brush(int index) {
    return stock_object(index);
}

// The 1 x 1 bitmap every memory device context starts with.
HGDIOBJ default_bitmap() {
    static const HGDIOBJ bitmap = [] {
        QImage pixel(1, 1, QImage::Format_RGB32);
        pixel.fill(Qt::black);
        auto object = std::make_unique<GdiObject>();
        object->image = pixel;
        object->stock = true;
        return objects().add(std::move(object));
    }();
    return bitmap;
}

void deselect_bitmap(DeviceContext& dc) {
    if (GdiObject* bitmap = find_gdi_object(dc.bitmap); bitmap && !bitmap->stock)
        bitmap->selected_into = nullptr;
    dc.bitmap = nullptr;
}

} // namespace

// Windows' stock brushes and pens, by index.
HGDIOBJ stock_object(int index) {
    using Kind = GdiObject::Kind;
    static const std::array<HGDIOBJ, 9> stock{
        make_stock(Kind::brush, QColor(255, 255, 255)), make_stock(Kind::brush, QColor(192, 192, 192)),
        make_stock(Kind::brush, QColor(128, 128, 128)), make_stock(Kind::brush, QColor(64, 64, 64)),
        make_stock(Kind::brush, QColor(0, 0, 0)),       make_stock(Kind::brush, QColor()),
        make_stock(Kind::pen, QColor(255, 255, 255)),   make_stock(Kind::pen, QColor(0, 0, 0)),
        make_stock(Kind::pen, QColor())};
    return index >= 0 && index < static_cast<int>(stock.size()) ? stock[static_cast<std::size_t>(index)]
                                                                : nullptr;
}

HGDIOBJ add_gdi_object(std::unique_ptr<GdiObject> object) {
    return objects().add(std::move(object));
}

std::optional<QRegion> effective_clip(DeviceContext const& dc) {
    if (dc.clip && dc.user_clip)
        return *dc.clip & *dc.user_clip;
    return dc.clip ? dc.clip : dc.user_clip;
}

GdiObject* find_gdi_object(HGDIOBJ object) {
    return object ? objects().find(object) : nullptr;
}
DeviceContext* find_dc(HDC hdc) {
    return hdc ? contexts().find(hdc) : nullptr;
}

QColor to_qcolor(COLORREF color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

std::optional<QColor> brush_color(HBRUSH brush) {
    GdiObject* object = find_gdi_object(brush);
    if (!object || object->kind != GdiObject::Kind::brush || !object->color.isValid())
        return std::nullopt;
    return object->color;
}

HBITMAP create_bitmap(QImage const& image) {
    auto object = std::make_unique<GdiObject>();
    object->image = image.convertToFormat(QImage::Format_RGB32);
    return static_cast<HBITMAP>(objects().add(std::move(object)));
}

HDC create_window_dc(HWND hwnd, std::optional<QRegion> clip) {
    auto dc = std::make_unique<DeviceContext>();
    dc->window = hwnd;
    dc->brush = stock_brush(WHITE_BRUSH);
    dc->pen = stock_object(BLACK_PEN);
    dc->clip = std::move(clip);
    return contexts().add(std::move(dc));
}

void delete_window_dc(HDC hdc) {
    if (DeviceContext* dc = find_dc(hdc); dc && dc->window)
        contexts().remove(hdc);
}

QImage* target_image(DeviceContext const& dc) {
    if (dc.image)
        return dc.image;
    if (dc.window) {
        Window* window = find_window(dc.window);
        return window ? &window->backing : nullptr;
    }
    GdiObject* bitmap = find_gdi_object(dc.bitmap);
    return bitmap ? &bitmap->image : nullptr;
}

bool paint_on_impl(HDC hdc, QRect const& changed, void (*painting)(QPainter&, void*), void* context) {
    DeviceContext* dc = find_dc(hdc);
    QImage* target = dc ? target_image(*dc) : nullptr;
    if (!target)
        return false;
    {
        QPainter painter(target);
        if (const auto clip = effective_clip(*dc))
            painter.setClipRegion(*clip);
        painting(painter, context);
    }
    if (dc->window)
        show_backing(*find_window(dc->window), changed);
    return true;
}

bool fill_rect(HDC hdc, RECT const& rect, HBRUSH brush) {
    const auto color = brush_color(brush);
    if (!color)
        return false;
    const QRect area(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
    return paint_on(hdc, area, [&](QPainter& painter) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(area, *color);
    });
}

} // namespace host::user32

using namespace host::user32;

namespace host {

HDC create_image_dc(QImage* image) {
    if (!image || image->isNull())
        return nullptr;
    auto dc = std::make_unique<DeviceContext>();
    dc->image = image;
    dc->brush = stock_brush(WHITE_BRUSH);
    dc->pen = stock_object(BLACK_PEN);
    return contexts().add(std::move(dc));
}

bool paint_on_dc(HDC hdc, std::function<void(QPainter&)> const& painting) {
    DeviceContext* dc = find_dc(hdc);
    QImage* target = dc ? target_image(*dc) : nullptr;
    if (!target)
        return false;
    return paint_on(hdc, target->rect(), [&](QPainter& painter) { painting(painter); });
}

} // namespace host

extern "C" {

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc && !find_dc(hdc))
        return nullptr;
    auto dc = std::make_unique<DeviceContext>();
    dc->bitmap = default_bitmap();
    dc->brush = stock_brush(WHITE_BRUSH);
    dc->pen = stock_object(BLACK_PEN);
    return contexts().add(std::move(dc));
}

BOOL DeleteDC(HDC hdc) {
    DeviceContext* dc = find_dc(hdc);
    if (!dc || dc->window)
        return FALSE;
    deselect_bitmap(*dc);
    contexts().remove(hdc);
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    DeviceContext* dc = find_dc(hdc);
    GdiObject* selected = find_gdi_object(object);
    if (!dc || !selected)
        return nullptr;
    switch (selected->kind) {
    case GdiObject::Kind::brush:
        return std::exchange(dc->brush, object);
    case GdiObject::Kind::pen:
        return std::exchange(dc->pen, object);
    case GdiObject::Kind::font:
        return std::exchange(dc->font, object);
    case GdiObject::Kind::region:
        return reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(SelectClipRgn(hdc, static_cast<HRGN>(object))));
    case GdiObject::Kind::bitmap:
        break;
    }
    // Bitmaps go into memory device contexts only, and into one at a time.
    if (dc->window || (selected->selected_into && selected->selected_into != hdc))
        return nullptr;
    const HGDIOBJ previous = dc->bitmap;
    deselect_bitmap(*dc);
    dc->bitmap = object;
    if (!selected->stock)
        selected->selected_into = hdc;
    return previous;
}

BOOL DeleteObject(HGDIOBJ object) {
    GdiObject* found = find_gdi_object(object);
    if (!found)
        return FALSE;
    if (found->stock)
        return TRUE;
    if (found->selected_into)
        return FALSE;
    // Pens, brushes and fonts selected into a context stay until the context lets them go.
    bool in_use = false;
    if (found->kind != GdiObject::Kind::bitmap && found->kind != GdiObject::Kind::region)
        contexts().for_each([&](HDC, DeviceContext const& dc) {
            in_use = in_use || dc.brush == object || dc.pen == object || dc.font == object;
        });
    if (in_use)
        return FALSE;
    objects().remove(object);
    return TRUE;
}

int GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
    GdiObject* found = find_gdi_object(object);
    if (!found || found->kind != GdiObject::Kind::bitmap)
        return 0;
    if (!buffer)
        return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP)))
        return 0;
    BITMAP description{};
    description.bmWidth = found->image.width();
    description.bmHeight = found->image.height();
    description.bmWidthBytes = found->image.width() * 4;
    description.bmPlanes = 1;
    description.bmBitsPixel = 32;
    std::memcpy(buffer, &description, sizeof description);
    return sizeof(BITMAP);
}

HGDIOBJ GetStockObject(int index) {
    return stock_object(index);
}

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int source_x, int source_y,
            DWORD rop) {
    DeviceContext* from = find_dc(source);
    QImage* source_image = from ? target_image(*from) : nullptr;
    if (rop != SRCCOPY || !source_image || !find_dc(destination))
        return FALSE;
    if (width <= 0 || height <= 0)
        return TRUE;
    // Only pixels that exist in the source are copied; a copy, so that a context may copy
    // within its own image.
    const QRect wanted(source_x, source_y, width, height);
    const QRect present = wanted & source_image->rect();
    if (present.isEmpty())
        return TRUE;
    const QImage pixels = source_image->copy(present).convertToFormat(QImage::Format_RGB32);
    const QRect area(QPoint(x, y) + (present.topLeft() - wanted.topLeft()), present.size());
    return paint_on(destination, area, [&](QPainter& painter) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(area.topLeft(), pixels);
    });
}

int SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = find_dc(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    return std::exchange(dc->background_mode, mode);
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = find_dc(hdc);
    if (!dc)
        return CLR_INVALID;
    return std::exchange(dc->text_color, color & 0x00FFFFFF);
}
}
