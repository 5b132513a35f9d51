// GetSystemMetrics: the screen size, which a test may set, and the Windows 95 metrics of the
// frame at 96 pixels per inch.
#include "host/GuiThread.h"
#include "host/user32.h"

#include <QGuiApplication>
#include <QScreen>

#include <array>
#include <utility>

namespace host::user32 {
namespace {

QSize& screen_override() {
    static QSize size;
    return size;
}

// The Windows 95 standard metrics. Caption and menu heights include the one-pixel line below.
constexpr std::array<std::pair<int, int>, 20> frame_metrics{{
    {SM_CYCAPTION, 19},   {SM_CXBORDER, 1},     {SM_CYBORDER, 1},     {SM_CXDLGFRAME, 3},
    {SM_CYDLGFRAME, 3},   {SM_CXICON, 32},      {SM_CYICON, 32},      {SM_CYMENU, 19},
    {SM_CXSIZE, 18},      {SM_CYSIZE, 18},      {SM_CXFRAME, 4},      {SM_CYFRAME, 4},
    {SM_CXEDGE, 2},       {SM_CYEDGE, 2},       {SM_CXSMICON, 16},    {SM_CYSMICON, 16},
    {SM_CYSMCAPTION, 15}, {SM_CXSMSIZE, 12},    {SM_CYSMSIZE, 14},    {SM_MIDEASTENABLED, 0},
}};

} // namespace
} // namespace host::user32

namespace host {

void set_screen_size_override(int width, int height) {
    user32::screen_override() = QSize(width, height);
}

} // namespace host

extern "C" int GetSystemMetrics(int index) {
    using namespace host::user32;
    if (index != SM_CXSCREEN && index != SM_CYSCREEN) {
        for (auto const& [metric, value] : frame_metrics)
            if (metric == index)
                return value;
        return 0;
    }
    QSize size = screen_override();
    if (size.isEmpty() && ensure_application())
        if (QScreen* screen = QGuiApplication::primaryScreen())
            size = screen->geometry().size();
    return index == SM_CXSCREEN ? size.width() : size.height();
}
