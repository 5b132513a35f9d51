#include "VideoWindow.h"

#include "host/gdi32.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <map>

namespace mcivideo {

namespace {

constexpr char window_class_name[] = "MCIVideoWindow";

// The own windows alive, for the window procedure (GUI thread).
std::map<HWND, VideoWindow*>& live_windows() {
    static std::map<HWND, VideoWindow*> windows;
    return windows;
}

bool register_window_class(WNDPROC procedure) {
    static bool registered = false;
    if (registered)
        return true;
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.lpszClassName = window_class_name;
    registered = RegisterClassA(&window_class) != 0;
    return registered;
}

Rect full(int width, int height) {
    return {0, 0, width, height};
}

// The frame as an image that owns its pixels, so that it can become the window's backing image
// without a copy. Opaque (RGB32), so that drawing it on the screen copies instead of blending.
QImage image_of(media::VideoFrame frame) {
    if (frame.pixels.empty() || frame.width <= 0 || frame.height <= 0)
        return {};
    if (frame.pixels.size() < static_cast<size_t>(frame.stride) * static_cast<size_t>(frame.height))
        return {};
    auto* pixels = new media::PixelBuffer(std::move(frame.pixels));
    return QImage(
        pixels->data(), frame.width, frame.height, frame.stride, QImage::Format_RGB32,
        [](void* owned) { delete static_cast<media::PixelBuffer*>(owned); }, pixels);
}

} // namespace

std::unique_ptr<VideoWindow> VideoWindow::create(DWORD style, HWND parent, int source_width,
                                                 int source_height, const std::string& title) {
    if (!register_window_class(&VideoWindow::procedure))
        return nullptr;
    int x = (style & WS_CHILD) ? 0 : CW_USEDEFAULT;
    HWND hwnd = CreateWindowExA(0, window_class_name, title.c_str(), style & ~WS_VISIBLE, x, x, source_width,
                                source_height, parent, nullptr, nullptr, nullptr);
    if (!hwnd)
        return nullptr;
    std::unique_ptr<VideoWindow> window(new VideoWindow(hwnd, source_width, source_height));
    live_windows()[hwnd] = window.get();
    return window;
}

VideoWindow::VideoWindow(HWND own, int source_width, int source_height)
    : m_own(own), m_source_width(source_width), m_source_height(source_height) {}

VideoWindow::~VideoWindow() {
    // A device still open at process exit outlives the program's QApplication and its widgets.
    if (!m_own || !QCoreApplication::instance())
        return;
    live_windows().erase(m_own);
    DestroyWindow(m_own);
}

LRESULT VideoWindow::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto found = live_windows().find(hwnd);
    VideoWindow* window = found == live_windows().end() ? nullptr : found->second;
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the picture covers the client area; erasing would only make it flicker
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        if (window)
            window->present();
        return 0;
    }
    case WM_SIZE:
        if (window && !window->m_redirect) {
            if (window->m_on_resize)
                window->m_on_resize();
            window->present();
        }
        return 0;
    case WM_CLOSE:
        // As MCIAVI: closing the video window hides it; the device stays open.
        ShowWindow(hwnd, SW_HIDE);
        return 0;
    case WM_DESTROY:
        if (window) {
            window->m_own = nullptr;
            live_windows().erase(found);
        }
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

bool VideoWindow::redirect(HWND window) {
    if (window && !host::window_widget(window))
        return false;
    m_redirect = window == m_own ? nullptr : window;
    if (m_on_resize)
        m_on_resize();
    present();
    return true;
}

void VideoWindow::show_frame(media::VideoFrame frame) {
    m_picture = image_of(std::move(frame));
    present();
}

QImage VideoWindow::picture() const {
    const QImage& image = m_picture;
    if (image.isNull())
        return {};
    Rect crop = source();
    if (crop == full(m_source_width, m_source_height) || m_source_width <= 0 || m_source_height <= 0)
        return image;
    // The frame may have been scaled from the source: crop in its own pixels.
    double sx = double(image.width()) / m_source_width;
    double sy = double(image.height()) / m_source_height;
    return image.copy(int(crop.left * sx), int(crop.top * sy), int(crop.width * sx), int(crop.height * sy));
}

void VideoWindow::present() {
    HWND hwnd = target();
    QImage image = picture();
    if (!hwnd || image.isNull())
        return;
    Rect client = client_rect();
    Rect place = destination();
    if (place == client) {
        host::present_frame(hwnd, image);
        return;
    }
    if (client.width <= 0 || client.height <= 0)
        return;
    QImage canvas(client.width, client.height, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(place.left, place.top, place.width, place.height), image);
    }
    host::present_frame(hwnd, canvas);
}

Rect VideoWindow::client_rect() const {
    QWidget* widget = host::window_widget(target());
    return widget ? full(widget->width(), widget->height()) : Rect{};
}

Rect VideoWindow::source() const {
    return m_source.value_or(full(m_source_width, m_source_height));
}

bool VideoWindow::set_source(std::optional<Rect> rect) {
    if (rect && (rect->left < 0 || rect->top < 0 || rect->width <= 0 || rect->height <= 0 ||
                 rect->left + rect->width > m_source_width || rect->top + rect->height > m_source_height))
        return false;
    m_source = rect;
    present();
    return true;
}

Rect VideoWindow::destination() const {
    return m_destination.value_or(client_rect());
}

bool VideoWindow::set_destination(std::optional<Rect> rect) {
    if (rect && (rect->width <= 0 || rect->height <= 0))
        return false;
    m_destination = rect;
    present();
    return true;
}

QSize VideoWindow::wanted_frame_size() const {
    // A cropped source is scaled by the painter; the engine then delivers the whole source.
    if (source() != full(m_source_width, m_source_height))
        return {0, 0};
    Rect place = destination();
    if (place.width <= 0 || place.height <= 0)
        return {0, 0};
    return {place.width, place.height};
}

std::optional<Rect> VideoWindow::window_rect() const {
    QWidget* widget = host::window_widget(m_own);
    if (!widget)
        return std::nullopt;
    QRect geometry = widget->geometry();
    return Rect{geometry.x(), geometry.y(), geometry.width(), geometry.height()};
}

bool VideoWindow::move(Rect rect) {
    return m_own && MoveWindow(m_own, rect.left, rect.top, rect.width, rect.height, TRUE);
}

bool VideoWindow::show(int state) {
    if (!m_own)
        return false;
    ShowWindow(m_own, state);
    return true;
}

bool VideoWindow::visible() const {
    QWidget* widget = host::window_widget(m_own);
    return widget && widget->isVisible();
}

bool VideoWindow::minimized() const {
    QWidget* widget = host::window_widget(m_own);
    return widget && widget->isMinimized();
}

bool VideoWindow::maximized() const {
    QWidget* widget = host::window_widget(m_own);
    return widget && widget->isMaximized();
}

std::string VideoWindow::text() const {
    QWidget* widget = host::window_widget(m_own);
    return widget ? widget->windowTitle().toStdString() : std::string();
}

bool VideoWindow::set_text(const std::string& text) {
    QWidget* widget = host::window_widget(m_own);
    if (!widget)
        return false;
    widget->setWindowTitle(QString::fromStdString(text));
    return true;
}

} // namespace mcivideo
