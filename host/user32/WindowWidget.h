// The Qt widget of a window: shows the window's backing image and turns Qt's input, activation
// and close events into the window's messages. Input is queued, as Windows queues it, so the
// message loop sees it (and its accelerators) before the window procedure does.
#pragma once

#include "host/user32.h"

#include <QWidget>

#include <vector>

namespace host::user32 {

// The shown top-level windows a window owns (its widget's window children).
std::vector<QWidget*> shown_owned_windows(QWidget& owner);
// Raises them above it, as Windows keeps owned windows above their owner.
void raise_owned_windows(QWidget& owner);

class WindowWidget : public QWidget {
  public:
    WindowWidget(HWND hwnd, QWidget* parent, Qt::WindowFlags flags);

    HWND hwnd() const { return m_hwnd; }

    // Moves the window with the mouse until the left button comes up, as a drag on a caption
    // does (WM_SYSCOMMAND with SC_MOVE and the caption's hit-test code): the window manager moves
    // it where one runs, the widget itself follows the pointer otherwise. The pointer's messages
    // go nowhere meanwhile.
    void begin_mouse_move();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Owned windows follow their owner where no window manager keeps them with it: a bare X
    // server raises and minimises only the window asked for.
    bool nativeEvent(QByteArray const& event_type, void* message, qintptr* result) override;

  private:
    void queue_mouse(QMouseEvent* event, UINT message);
    void queue_key(QKeyEvent* event, bool down);
    // Keeps the shown owned windows with this top-level window on a bare X server: above it
    // after it is restacked, minimised while it is minimised.
    void follow_owner(int event_kind);

    HWND m_hwnd;
    QPoint m_pointer;        // the pointer's screen position at the last mouse event
    QPoint m_pressed_at;     // and when the left button last went down
    bool m_moving = false;   // following the pointer by hand (begin_mouse_move)
    QPoint m_move_offset;    // the pointer's offset from the window's corner while moving
};

} // namespace host::user32
