// The Qt widget of a window: shows the window's backing image and turns Qt's input, activation
// and close events into the window's messages. Input is queued, as Windows queues it, so the
// message loop sees it (and its accelerators) before the window procedure does.
#pragma once

#include "host/user32.h"

#include <QWidget>

namespace host::user32 {

class WindowWidget : public QWidget {
  public:
    WindowWidget(HWND hwnd, QWidget* parent, Qt::WindowFlags flags);

    HWND hwnd() const { return m_hwnd; }

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
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void queue_mouse(QMouseEvent* event, UINT message);
    void queue_key(QKeyEvent* event, bool down);

    HWND m_hwnd;
};

} // namespace host::user32
