// gdi32: rectangular regions and the clipping region of a device context.
#include "Gdi.h"

namespace host::user32 {
namespace {

int kind_of(QRegion const& region) {
    return region.isEmpty() ? NULLREGION : region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

GdiObject* find_region(HRGN region) {
    GdiObject* object = find_gdi_object(region);
    return object && object->kind == GdiObject::Kind::region ? object : nullptr;
}

} // namespace
} // namespace host::user32

using namespace host::user32;

namespace host {

std::optional<QRegion> region_area(HRGN region) {
    if (GdiObject* object = find_region(region))
        return object->region;
    return std::nullopt;
}

} // namespace host

extern "C" {

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto region = std::make_unique<GdiObject>();
    region->kind = GdiObject::Kind::region;
    const QRect area(QPoint(std::min(left, right), std::min(top, bottom)),
                     QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
    if (area.isValid())
        region->region = QRegion(area);
    return static_cast<HRGN>(add_gdi_object(std::move(region)));
}

int SelectClipRgn(HDC hdc, HRGN region) {
    DeviceContext* dc = find_dc(hdc);
    if (!dc)
        return ERROR;
    if (!region) {
        dc->user_clip.reset();
        return SIMPLEREGION;
    }
    GdiObject* object = find_region(region);
    if (!object)
        return ERROR;
    dc->user_clip = object->region;
    return kind_of(object->region);
}

int GetClipRgn(HDC hdc, HRGN region) {
    DeviceContext* dc = find_dc(hdc);
    GdiObject* object = find_region(region);
    if (!dc || !object)
        return -1;
    if (!dc->user_clip)
        return 0;
    object->region = *dc->user_clip;
    return 1;
}

int OffsetClipRgn(HDC hdc, int x, int y) {
    DeviceContext* dc = find_dc(hdc);
    if (!dc)
        return ERROR;
    if (!dc->user_clip)
        return SIMPLEREGION;
    dc->user_clip->translate(x, y);
    return kind_of(*dc->user_clip);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = find_dc(hdc);
    QImage* target = dc ? target_image(*dc) : nullptr;
    if (!dc || !target)
        return ERROR;
    // Without a clipping region the context clips to all it draws into.
    QRegion clip = dc->user_clip ? *dc->user_clip : QRegion(target->rect());
    if (right > left && bottom > top)
        clip -= QRegion(left, top, right - left, bottom - top);
    dc->user_clip = clip;
    return kind_of(clip);
}
}
