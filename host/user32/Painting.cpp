// WM_PAINT and the device contexts of windows: BeginPaint, EndPaint, GetDC, ReleaseDC, and
// DrawTextA in the context's font, with end ellipsis and ampersand prefixes.
#include "gdi32/Gdi.h"
#include "host/AnsiCodePage.h"
#include "host/GuiThread.h"
#include "MessageQueue.h"
#include "SharedPixels.h"
#include "Window.h"
#include "WindowWidget.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <atomic>

#include <cstring>

namespace host::user32 {
namespace {

QRect to_qrect(RECT const& rect) {
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

Qt::Alignment alignment_of(UINT format) {
    Qt::Alignment alignment = (format & DT_CENTER)  ? Qt::AlignHCenter
                              : (format & DT_RIGHT) ? Qt::AlignRight
                                                    : Qt::AlignLeft;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        alignment |= Qt::AlignVCenter;
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        alignment |= Qt::AlignBottom;
    else
        alignment |= Qt::AlignTop;
    return alignment;
}

// The lines of a text: broken at line feeds (a carriage return before one is dropped), or one
// line with DT_SINGLELINE.
QStringList lines_of(QString const& text, UINT format) {
    if (format & DT_SINGLELINE) {
        QString line = text;
        line.remove(QLatin1Char('\r')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        return {line};
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

} // namespace

namespace {

// False only while no window that can be painted has an update region. Regions grow only
// through invalidate(), and hidden windows become paintable only through ShowWindow; both set it.
// A scan that finds no shown window with a region clears it, so a hidden window's region, which
// waits until the window is shown, does not make every message peek scan again.
std::atomic<bool> g_update_regions_may_be_pending{false};

} // namespace

void note_update_region_grown() {
    g_update_regions_may_be_pending = true;
}

std::optional<MSG> next_paint_message(MessageFilter const& filter) {
    if (!g_update_regions_may_be_pending)
        return std::nullopt;
    std::optional<MSG> found;
    bool any_pending = false;
    windows().for_each([&](HWND hwnd, Window const& window) {
        if (window.update_region.isEmpty() || window.destroying || !is_visible(window))
            return;
        any_pending = true;
        if (found)
            return;
        MSG paint = make_message(hwnd, WM_PAINT, 0, 0);
        if (filter.accepts(paint))
            found = paint;
    });
    g_update_regions_may_be_pending = any_pending;
    return found;
}

} // namespace host::user32

namespace host {

bool present_frame(HWND hwnd, QImage const& frame) {
    user32::Window* window = user32::find_window(hwnd);
    if (!window || frame.isNull())
        return false;
    const QRect client(0, 0, window->width(), window->height());
    if (frame.size() == client.size() &&
        (frame.format() == QImage::Format_RGB32 || frame.format() == window->backing.format())) {
        window->backing = frame; // shared, not copied: the next drawing into the window copies it
        // An opaque picture covers the whole window: Qt need not fill its background first.
        if (window->widget)
            window->widget->setAttribute(Qt::WA_OpaquePaintEvent, frame.format() == QImage::Format_RGB32);
        // A picture in memory the X server shares goes to the screen from there, without Qt.
        if (window->widget && user32::put_shared_picture(*window->widget, frame))
            return true;
    } else {
        QPainter painter(&window->backing);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(client, frame);
    }
    user32::show_backing(*window, client);
    return true;
}

} // namespace host

using namespace host::user32;

extern "C" {

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    Window* window = find_window(hwnd);
    if (!window || !paint)
        return nullptr;
    const QRegion region = window->update_region;
    const bool erase = window->erase_pending;
    window->update_region = QRegion();
    window->erase_pending = false;
    const HDC hdc = create_window_dc(hwnd, region);
    std::memset(paint, 0, sizeof *paint);
    paint->hdc = hdc;
    const QRect bounds = region.boundingRect();
    paint->rcPaint = {bounds.left(), bounds.top(), bounds.left() + bounds.width(),
                      bounds.top() + bounds.height()};
    paint->fErase =
        erase ? (call_procedure(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) == 0) : FALSE;
    return hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
    if (paint)
        delete_window_dc(paint->hdc);
    return TRUE;
}

HDC GetDC(HWND hwnd) {
    if (!find_window(hwnd))
        return nullptr;
    return create_window_dc(hwnd, std::nullopt);
}

int ReleaseDC(HWND, HDC hdc) {
    DeviceContext* dc = find_dc(hdc);
    if (!dc || !dc->window)
        return 0;
    delete_window_dc(hdc);
    return 1;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    return rect && fill_rect(hdc, *rect, brush) ? 1 : 0;
}

int DrawTextA(HDC hdc, LPCSTR text, int count, RECT* rect, UINT format) {
    DeviceContext* dc = find_dc(hdc);
    // Fonts need the application object, also for a program that has made no window yet.
    if (!dc || !text || !rect || !ensure_application())
        return 0;
    // A count longer than the text stops at its terminator.
    const int length = count < 0 ? static_cast<int>(std::strlen(text))
                                 : static_cast<int>(strnlen(text, static_cast<std::size_t>(count)));
    bool symbol = false;
    const QFont font = dc_font(*dc, &symbol);
    QString unicode = host::from_ansi(std::string_view(text, static_cast<std::size_t>(length)));
    if (symbol)
        unicode = symbol_text(unicode);
    const QStringList lines = lines_of(unicode, format);
    const QFontMetrics metrics(font);
    const int line_height = metrics.height();
    const QRect box = to_qrect(*rect);
    const int height = line_height * static_cast<int>(lines.size());
    const QColor text_color = to_qcolor(dc->text_color);
    const QColor background = to_qcolor(dc->background_color);
    const bool opaque = dc->background_mode == OPAQUE;

    paint_on(hdc, box, [&](QPainter& painter) {
        if (!(format & DT_NOCLIP))
            painter.setClipRect(box, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        painter.setFont(font);
        painter.setPen(text_color);
        const Qt::Alignment alignment = alignment_of(format);
        // An ampersand underlines the next character and a doubled one shows one, unless
        // DT_NOPREFIX.
        const int flags = static_cast<int>(alignment) | ((format & DT_NOPREFIX) ? 0 : Qt::TextShowMnemonic) |
                          ((format & DT_NOCLIP) ? Qt::TextDontClip : 0);
        if (format & DT_RTLREADING)
            painter.setLayoutDirection(Qt::RightToLeft);
        for (int i = 0; i < lines.size(); ++i) {
            QRect line_box(box.left(), box.top() + i * line_height, box.width(), line_height);
            if (lines.size() == 1)
                line_box = box;
            QString line = lines[i];
            if (format & DT_END_ELLIPSIS)
                line = metrics.elidedText(line, Qt::ElideRight, line_box.width(), flags & Qt::TextShowMnemonic);
            const QRect used = painter.boundingRect(line_box, flags, line);
            if (opaque && !line.isEmpty())
                painter.fillRect(used, background);
            painter.drawText(line_box, flags, line);
        }
    });
    return height;
}
}
