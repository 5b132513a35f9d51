// The drawing primitives behind DrawFrameControl, DrawCaption and the fonts of CreateFontIndirectA,
// for frames the host does not own: the form framework draws its forms' frames with them, so
// that a frame looks the same whoever draws it. Also device contexts over an image of the
// caller's. GUI thread.
#pragma once

#include "host/user32.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <functional>
#include <optional>

namespace host {

// The drawing primitives behind DrawFrameControl and DrawCaption, for frames the host does not
// own (the form framework draws its forms' frames with them).
bool draw_frame_control(QPainter& painter, QRect const& rect, UINT type, UINT state);
void draw_caption(QPainter& painter, QRect const& rect, UINT flags, QImage const& icon, QString const& text);
// The raised double edge of a window frame along the inside of `rect` (DrawEdge's EDGE_RAISED):
// light and highlight on the top and left, dark shadow and shadow on the bottom and right.
void draw_raised_edge(QPainter& painter, QRect const& rect);
// DrawCaption for a window whose small icon and text the caller holds.
BOOL draw_caption_on(HDC hdc, RECT const& rect, UINT flags, QImage const& icon, QString const& text);

// The font a LOGFONTA stands for, with the stand-in families of CreateFontIndirectA.
QFont logical_font(LOGFONTA const& font);
// The family that draws a classic face ("MS Sans Serif" to "Liberation Sans"...).
QString substitute_family(QString const& face);
// The caption font, or the small caption font, of the non-client metrics.
QFont caption_font(bool small);

// A device context that draws into `image`, which the caller keeps alive until DeleteDC; as a
// window context of a frame the host does not own. nullptr for a null image.
HDC create_image_dc(QImage* image);
// Draws with Qt on what the context draws into, clipped by the context's clipping region;
// false for an invalid context.
bool paint_on_dc(HDC hdc, std::function<void(QPainter&)> const& painting);
// The area of a region; nothing for a handle that is not a region.
std::optional<QRegion> region_area(HRGN region);

} // namespace host
