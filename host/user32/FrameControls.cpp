// DrawFrameControl and DrawCaption: the caption buttons, push buttons and caption of the
// Windows 95 frame, for the host's windows and, through the primitives, for any frame.
#include "gdi32/Gdi.h"
#include "Resources.h"
#include "Window.h"
#include "WindowWidget.h"

namespace host::user32 {
namespace {

QColor system_colour(int index) {
    return to_qcolor(GetSysColor(index));
}

// One ring of a 3D edge: `top_left` on the top and left edges, `bottom_right` on the bottom and
// right ones (with the top-right and bottom-left corners); shrinks the rectangle by one.
void ring(QPainter& painter, QRect& rect, int top_left, int bottom_right) {
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    QColor const light = system_colour(top_left);
    QColor const dark = system_colour(bottom_right);
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width() - 1, 1), light);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height() - 1), light);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), dark);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), dark);
    rect.adjust(1, 1, -1, -1);
}

// The raised double edge (EDGE_RAISED), shrinking the rectangle by two.
void raised_rings(QPainter& painter, QRect& rect) {
    ring(painter, rect, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
    ring(painter, rect, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
}

// The glyph of a caption button, `size` pixels high (7 on a full-size button), from `origin`.
void caption_glyph(QPainter& painter, UINT kind, QPoint origin, int size, QColor colour) {
    int const x = origin.x();
    int const y = origin.y();
    switch (kind) {
    case DFCS_CAPTIONCLOSE:
        for (int i = 0; i < size; ++i) {
            painter.fillRect(QRect(x + i, y + i, 2, 1), colour);
            painter.fillRect(QRect(x + size - 1 - i, y + i, 2, 1), colour);
        }
        break;
    case DFCS_CAPTIONMIN:
        painter.fillRect(QRect(x, y + size - 2, 6, 2), colour);
        break;
    case DFCS_CAPTIONMAX:
        painter.fillRect(QRect(x, y, 9, 2), colour);
        painter.fillRect(QRect(x, y, 1, size + 1), colour);
        painter.fillRect(QRect(x + 8, y, 1, size + 1), colour);
        painter.fillRect(QRect(x, y + size, 9, 1), colour);
        break;
    case DFCS_CAPTIONRESTORE:
        // Two overlapping windows: the back one up and right, the front one down and left.
        painter.fillRect(QRect(x + 2, y, 6, 2), colour);
        painter.fillRect(QRect(x + 7, y, 1, 5), colour);
        painter.fillRect(QRect(x + 2, y, 1, 3), colour);
        painter.fillRect(QRect(x, y + 3, 6, 2), colour);
        painter.fillRect(QRect(x, y + 3, 1, 5), colour);
        painter.fillRect(QRect(x + 5, y + 3, 1, 5), colour);
        painter.fillRect(QRect(x, y + 7, 6, 1), colour);
        break;
    case DFCS_CAPTIONHELP: {
        // A question mark.
        painter.fillRect(QRect(x + 2, y, 4, 1), colour);
        painter.fillRect(QRect(x + 1, y + 1, 2, 2), colour);
        painter.fillRect(QRect(x + 5, y + 1, 2, 2), colour);
        painter.fillRect(QRect(x + 4, y + 3, 2, 1), colour);
        painter.fillRect(QRect(x + 3, y + 4, 2, 1), colour);
        painter.fillRect(QRect(x + 3, y + 6, 2, 2), colour);
        break;
    }
    default:
        break;
    }
}

} // namespace
} // namespace host::user32

using namespace host::user32;

namespace host {

bool draw_frame_control(QPainter& painter, QRect const& rect, UINT type, UINT state) {
    bool const caption = type == DFC_CAPTION && (state & 0xFF) <= DFCS_CAPTIONHELP;
    bool const push = type == DFC_BUTTON && (state & DFCS_BUTTONPUSH);
    if (!caption && !push)
        return false;
    QRect face = rect;
    bool const pushed = state & DFCS_PUSHED;
    if (pushed) {
        ring(painter, face, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT);
        ring(painter, face, COLOR_BTNSHADOW, COLOR_3DLIGHT);
    } else if (caption) {
        raised_rings(painter, face);
    } else {
        ring(painter, face, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW);
        ring(painter, face, COLOR_3DLIGHT, COLOR_BTNSHADOW);
    }
    if (face.isValid())
        painter.fillRect(face, system_colour(COLOR_BTNFACE));
    if (!caption)
        return true;
    // The glyph sits in the middle of the button, one pixel down and right when pushed.
    int const size = std::clamp(rect.height() - 7, 3, 7);
    QPoint const origin = QPoint(rect.left() + (rect.width() - size - 1) / 2, rect.top() + (rect.height() - size) / 2) +
                          (pushed ? QPoint(1, 1) : QPoint(0, 0));
    UINT const kind = state & 0xFF;
    if (state & DFCS_INACTIVE) {
        caption_glyph(painter, kind, origin + QPoint(1, 1), size, system_colour(COLOR_BTNHIGHLIGHT));
        caption_glyph(painter, kind, origin, size, system_colour(COLOR_BTNSHADOW));
    } else {
        caption_glyph(painter, kind, origin, size, system_colour(COLOR_BTNTEXT));
    }
    return true;
}

void draw_caption(QPainter& painter, QRect const& rect, UINT flags, QImage const& icon, QString const& text) {
    bool const active = flags & DC_ACTIVE;
    painter.fillRect(rect, system_colour(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    int left = rect.left() + 2;
    if ((flags & DC_ICON) && !icon.isNull()) {
        int const width = GetSystemMetrics(SM_CXSMICON);
        int const height = GetSystemMetrics(SM_CYSMICON);
        QRect const place(left, rect.top() + (rect.height() - height) / 2, width, height);
        painter.drawImage(place, icon.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        left = place.right() + 3;
    }
    if (flags & DC_TEXT) {
        QFont const font = caption_font(flags & DC_SMALLCAP);
        painter.setFont(font);
        painter.setPen(system_colour(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        QRect const box(left, rect.top(), std::max(0, rect.right() - left + 1), rect.height());
        QString const shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, box.width());
        painter.drawText(box, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, shown);
    }
}

void draw_raised_edge(QPainter& painter, QRect const& rect) {
    QRect edge = rect;
    raised_rings(painter, edge);
}

BOOL draw_caption_on(HDC hdc, RECT const& rect, UINT flags, QImage const& icon, QString const& text) {
    QRect const area(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
    if (!area.isValid())
        return find_dc(hdc) ? TRUE : FALSE;
    return paint_on_dc(hdc, [&](QPainter& painter) { draw_caption(painter, area, flags, icon, text); });
}

} // namespace host

extern "C" {

BOOL DrawFrameControl(HDC hdc, RECT* rect, UINT type, UINT state) {
    if (!rect || !find_dc(hdc))
        return FALSE;
    QRect const area(QPoint(rect->left, rect->top), QPoint(rect->right - 1, rect->bottom - 1));
    if (!area.isValid())
        return TRUE;
    bool drawn = false;
    paint_on(hdc, area, [&](QPainter& painter) { drawn = host::draw_frame_control(painter, area, type, state); });
    return drawn ? TRUE : FALSE;
}

BOOL DrawCaption(HWND hwnd, HDC hdc, const RECT* rect, UINT flags) {
    Window* window = find_window(hwnd);
    if (!window || !rect)
        return FALSE;
    QImage const icon = window->window_class ? icon_image(window->window_class->icon) : QImage();
    QString const text = window->widget ? window->widget->windowTitle() : QString();
    return host::draw_caption_on(hdc, *rect, flags, icon, text);
}
}
