#include "ScreenSaver.h"

#include "Window.h"
#include "WindowWidget.h"

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>

namespace host::user32 {
namespace {

struct Inhibition {
    HWND asked = nullptr;  // the window being asked right now
    bool allowed = false;  // its answer
    HWND holder = nullptr; // the window the inhibition is held for
    WId native_window = 0;
};

Inhibition& inhibition() {
    static Inhibition state;
    return state;
}

// xdg-screensaver suspends the screen saver for as long as a native window exists or until
// resumed; only an X11 window has an id it understands.
void run_xdg_screensaver(char const* verb, WId native_window) {
    if (!native_window || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-screensaver"));
    if (!program.isEmpty())
        QProcess::startDetached(program, {QString::fromLatin1(verb), QString::number(native_window)});
}

void release() {
    auto& state = inhibition();
    if (!state.holder)
        return;
    run_xdg_screensaver("resume", state.native_window);
    state.holder = nullptr;
    state.native_window = 0;
}

} // namespace

void screen_saver_allowed_by(HWND hwnd) {
    if (inhibition().asked == hwnd)
        inhibition().allowed = true;
}

void screen_saver_follow_activation(HWND hwnd) {
    auto& state = inhibition();
    if (hwnd == state.holder)
        return;
    release();
    Window* window = find_window(hwnd);
    if (!window)
        return;
    state.asked = hwnd;
    state.allowed = false;
    call_procedure(hwnd, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    state.asked = nullptr;
    if (state.allowed || !find_window(hwnd))
        return;
    state.holder = hwnd;
    state.native_window = window->widget ? window->widget->winId() : 0;
    run_xdg_screensaver("suspend", state.native_window);
}

} // namespace host::user32

namespace host {

HWND screen_saver_blocker() {
    return user32::inhibition().holder;
}

} // namespace host
