// The states of this program's top-level widgets as the desktop allows them: minimising and
// maximising through the window manager where one runs, by the program itself on a bare X server
// (and on the headless platforms), so that both look the same to the user; and activation, which
// a window's own menus do not take away on Windows while Qt gives it to an open pop-up.
#pragma once

#include <QRect>

#include <functional>

class QObject;
class QWidget;

namespace host {

// Iconifies the window through the window manager; without one the window goes out of sight,
// marked iconic as a window manager would mark it, until it is shown or restored again (by this
// program or by another one's ShowWindow).
void minimize_widget(QWidget* window);

// The work area of the screen the window is on: the window manager's _NET_WORKAREA, the whole
// screen without one.
QRect work_area(QWidget* window);

// Fills the work area, and tells the window manager the window is maximised (so that it keeps it
// there); `restore` brings the window back to `normal`, the place and size it had before.
void maximize_widget(QWidget* window);
void restore_widget(QWidget* window, QRect const& normal);

// Whether a pop-up (a menu) of this program is open.
bool popup_open();
// Calls `recheck` once every pop-up of this program is closed (at once when none is open); not
// after `context` is gone.
void when_popups_closed(QObject* context, std::function<void()> recheck);

} // namespace host
