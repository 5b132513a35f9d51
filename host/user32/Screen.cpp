// GetSystemMetrics: the screen size, which a test may set.
#include "host/GuiThread.h"
#include "host/user32.h"

#include <QGuiApplication>
#include <QScreen>

namespace host::user32 {
namespace {

QSize& screen_override() {
    static QSize size;
    return size;
}

} // namespace
} // namespace host::user32

namespace host {

void set_screen_size_override(int width, int height) {
    user32::screen_override() = QSize(width, height);
}

} // namespace host

extern "C" int GetSystemMetrics(int index) {
    using namespace host::user32;
    if (index != SM_CXSCREEN && index != SM_CYSCREEN)
        return 0;
    QSize size = screen_override();
    if (size.isEmpty() && ensure_application())
        if (QScreen* screen = QGuiApplication::primaryScreen())
            size = screen->geometry().size();
    return index == SM_CXSCREEN ? size.width() : size.height();
}
