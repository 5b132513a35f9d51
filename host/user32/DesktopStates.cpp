// Minimising and maximising this program's own top-level widgets (see host/DesktopStates.h).
#include "host/DesktopStates.h"

#include "X11Desktop.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace host {

void minimize_widget(QWidget* window) {
    if (!window)
        return;
    // Qt learns the new state from WM_STATE, which the window manager (or x11::minimize) sets.
    if (user32::x11::available() && window->isVisible())
        user32::x11::minimize(window->winId());
    else
        window->showMinimized();
}

QRect work_area(QWidget* window) {
    QScreen* screen = window ? window->screen() : nullptr;
    return screen ? screen->availableGeometry() : QRect();
}

void maximize_widget(QWidget* window) {
    if (!window)
        return;
    const QRect area = work_area(window);
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    if (!area.isEmpty())
        window->setGeometry(area);
}

void restore_widget(QWidget* window, QRect const& normal) {
    if (!window)
        return;
    window->setWindowState(window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    if (!normal.isEmpty())
        window->setGeometry(normal);
}

bool popup_open() {
    return QApplication::activePopupWidget() != nullptr;
}

void when_popups_closed(QObject* context, std::function<void()> recheck) {
    if (!popup_open()) {
        recheck();
        return;
    }
    // Pop-ups come and go inside nested event loops; looking again a little later is the one
    // hook every kind of pop-up offers.
    constexpr int look_again_ms = 30;
    QTimer::singleShot(look_again_ms, context, [context, recheck = std::move(recheck)]() mutable {
        when_popups_closed(context, std::move(recheck));
    });
}

} // namespace host
