// The top-level widget of a form: frameless for the window system, it paints the form's
// Windows 95 frame itself and turns presses on the frame into moving, sizing and the caption
// buttons. It also takes the window's system keys before its controls see them: Alt+Space (the
// system menu), Alt+F4 (close), F10 (the menu bar); no key pressed with Alt reaches a button.
// Internal to the framework.
#pragma once

#include "FormFrame.h"
#include "Messages.h"

#include <QImage>
#include <QWidget>

class QKeyEvent;
class QMenuBar;
class TForm;

class TFormWindow : public QWidget {
  public:
    explicit TFormWindow(TForm* form);

    QWidget* Client() const { return m_Client; }
    // The form is going away: events are no longer passed on.
    void Detach() { m_Form = nullptr; }
    QMenuBar* MenuBar() const { return m_MenuBar; }
    // Places the menu bar and the client area by the frame layout.
    void LayoutFrame(TFrameLayout const& layout);

    // The image the window shows outside its client area; the form's window device context
    // draws into it, and the window shows it on every paint.
    QImage* FrameImage();
    // Inside paintEvent, where WM_NCPAINT is being sent.
    bool Painting() const { return m_Painting; }

    // What the form's default window procedure does with the frame's messages.
    void PaintNonClient(QPainter& painter);
    void NcLeftButtonDown(THitTest hit, QPoint global);
    void NcLeftButtonDoubleClick(THitTest hit);
    void NcRightButtonUp(THitTest hit);
    // The system menu below the caption icon; the choice goes to the form as WM_SYSCOMMAND.
    // `byMouse`: opened by a click on the icon, where a second click closes the window.
    void ShowSystemMenu(bool byMouse);
    // Selects the menu bar's first menu without opening it, as F10 and a lone Alt do.
    void SelectMenuBar();
    // Moving (SC_MOVE) or sizing (SC_SIZE) with the keyboard: the arrows move the window or,
    // for sizing, first pick the edge and then move it, 8 pixels a press; Enter or a click keeps
    // the new place, Esc goes back.
    void BeginKeyboardTracking(bool sizing);
    // Whether the caption shows the window active: the window is active, or it was when one of
    // this program's pop-ups (a menu) opened and that is still open.
    bool LooksActive() const { return m_ActiveLook; }
    // While captured, every mouse event of the window goes to the form's window procedure as a
    // client-area message (WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP).
    void SetCaptured(bool captured);
    // The caption button drawn pushed while the mouse holds it; htNowhere when none.
    THitTest PressedButton() const { return m_PressedLook ? m_Pressed : htNowhere; }
    bool Captured() const { return m_Captured; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    bool RouteCaptured(QMouseEvent* event, UINT message);
    bool SystemKey(QWidget* target, QKeyEvent* event);
    bool TrackingKey(QKeyEvent* event);
    void EndKeyboardTracking(bool keep);
    void ActivationChanged();
    void ToggleMaximized();
    void ButtonAction(THitTest button);

    TForm* m_Form;
    QImage m_Frame;
    bool m_Painting = false;
    QWidget* m_Client;
    QMenuBar* m_MenuBar;
    THitTest m_Pressed = htNowhere; // caption button held down
    bool m_PressedLook = false;
    bool m_Captured = false;
    THitTest m_Dragging = htNowhere; // caption or border being dragged by hand
    QPoint m_DragStart;
    QRect m_DragGeometry;
    bool m_ActiveLook = false;
    bool m_Tracking = false; // moving or sizing with the keyboard
    bool m_TrackSizing = false;
    THitTest m_TrackHit = htNowhere; // htCaption when moving; the edge being sized
    QRect m_TrackStart;
};
