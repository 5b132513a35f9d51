#include "forms/FormWindow.h"

#include "forms/Forms.h"

#include "host/DesktopStates.h"
#include "host/SystemMenu.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWindow>

namespace {

Qt::Edges EdgesOf(THitTest hit) {
    switch (hit) {
    case htLeft:
        return Qt::LeftEdge;
    case htRight:
        return Qt::RightEdge;
    case htTop:
        return Qt::TopEdge;
    case htBottom:
        return Qt::BottomEdge;
    case htTopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case htTopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case htBottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case htBottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    default:
        return {};
    }
}

Qt::CursorShape CursorOf(THitTest hit) {
    switch (hit) {
    case htLeft:
    case htRight:
        return Qt::SizeHorCursor;
    case htTop:
    case htBottom:
        return Qt::SizeVerCursor;
    case htTopLeft:
    case htBottomRight:
        return Qt::SizeFDiagCursor;
    case htTopRight:
    case htBottomLeft:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

// How far an arrow key moves or sizes a window that is being moved or sized with the keyboard.
constexpr int KeyboardStep = 8;

} // namespace

TFormWindow::TFormWindow(TForm* form)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_Form(form), m_Client(new QWidget(this)),
      m_MenuBar(new QMenuBar(this)) {
    m_Client->setAutoFillBackground(true);
    m_MenuBar->setNativeMenuBar(false);
    m_MenuBar->hide();
    setMouseTracking(true);
    // The window's keys are seen before the control with the focus sees them.
    qApp->installEventFilter(this);
}

bool TFormWindow::eventFilter(QObject* watched, QEvent* event) {
    QEvent::Type const type = event->type();
    bool const key = type == QEvent::KeyPress || type == QEvent::KeyRelease;
    if (!m_Form || (!key && !(m_Tracking && type == QEvent::MouseButtonPress)))
        return false;
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || target->window() != this)
        return false;
    if (m_Tracking) {
        if (type == QEvent::MouseButtonPress) {
            EndKeyboardTracking(true);
            return true;
        }
        return type != QEvent::KeyPress || TrackingKey(static_cast<QKeyEvent*>(event));
    }
    return SystemKey(target, static_cast<QKeyEvent*>(event));
}

bool TFormWindow::SystemKey(QWidget* target, QKeyEvent* event) {
    bool const alt = event->modifiers().testFlag(Qt::AltModifier);
    bool const press = event->type() == QEvent::KeyPress;
    Qt::KeyboardModifiers const others = event->modifiers() & ~(Qt::AltModifier | Qt::KeypadModifier);
    if (press && alt && others == Qt::NoModifier && event->key() == Qt::Key_Space) {
        m_Form->Perform(WM_SYSCOMMAND, SC_KEYMENU, ' ');
        return true;
    }
    if (press && alt && others == Qt::NoModifier && event->key() == Qt::Key_F4) {
        m_Form->Perform(WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }
    if (press && !alt && others == Qt::NoModifier && event->key() == Qt::Key_F10) {
        m_Form->Perform(WM_SYSCOMMAND, SC_KEYMENU, 0);
        return true;
    }
    // A button is pressed by Space and Enter alone; with Alt held the keys are the window's.
    return alt && event->key() != Qt::Key_Alt && qobject_cast<QAbstractButton*>(target) != nullptr;
}

void TFormWindow::ShowSystemMenu(bool byMouse) {
    TFrameLayout const layout = m_Form->Layout();
    QPoint const corner = mapToGlobal(QPoint(layout.Caption.left(), layout.Caption.bottom() + 1));
    host::SystemMenuWindow state;
    state.minimized = m_Form->WindowState() == wsMinimized;
    state.maximized = m_Form->WindowState() == wsMaximized;
    state.sizeable = m_Form->BorderStyle() == bsSizeable || m_Form->BorderStyle() == bsSizeToolWin;
    state.can_minimize = !layout.MinButton.isNull() && m_Form->BorderIcons().testFlag(biMinimize);
    state.can_maximize = !layout.MaxButton.isNull() && m_Form->BorderIcons().testFlag(biMaximize);
    QElapsedTimer opened;
    opened.start();
    QPointer<TFormWindow> alive(this);
    WPARAM const chosen = host::track_system_menu(this, nullptr, POINT{corner.x(), corner.y()}, state);
    if (!alive || !m_Form)
        return;
    if (chosen) {
        m_Form->Perform(WM_SYSCOMMAND, chosen, 0);
        return;
    }
    // The menu closed by a second click on the icon: the double click that closes the window.
    if (byMouse && opened.elapsed() < QApplication::doubleClickInterval() &&
        (QApplication::mouseButtons() & Qt::LeftButton) && layout.Icon.contains(mapFromGlobal(QCursor::pos())))
        m_Form->Perform(WM_SYSCOMMAND, SC_CLOSE, 0);
}

void TFormWindow::SelectMenuBar() {
    if (!m_MenuBar->isVisible() || m_MenuBar->actions().isEmpty())
        return;
    // The menu bar's own lone-Alt handling, which is what puts it in keyboard mode: the Alt
    // press it watches for, then the release.
    QKeyEvent altPress(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &altPress);
    QKeyEvent altRelease(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &altRelease);
}

void TFormWindow::BeginKeyboardTracking(bool sizing) {
    if (m_Tracking)
        return;
    m_Tracking = true;
    m_TrackSizing = sizing;
    m_TrackHit = sizing ? htNowhere : htCaption;
    m_TrackStart = geometry();
    activateWindow();
}

bool TFormWindow::TrackingKey(QKeyEvent* event) {
    QPoint step;
    switch (event->key()) {
    case Qt::Key_Left:
        step = QPoint(-KeyboardStep, 0);
        break;
    case Qt::Key_Right:
        step = QPoint(KeyboardStep, 0);
        break;
    case Qt::Key_Up:
        step = QPoint(0, -KeyboardStep);
        break;
    case Qt::Key_Down:
        step = QPoint(0, KeyboardStep);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EndKeyboardTracking(true);
        return true;
    case Qt::Key_Escape:
        EndKeyboardTracking(false);
        return true;
    default:
        return true;
    }
    if (m_TrackHit == htNowhere) {
        // Sizing: the first arrow picks the edge that moves.
        m_TrackHit = step.x() < 0 ? htLeft : step.x() > 0 ? htRight : step.y() < 0 ? htTop : htBottom;
        return true;
    }
    QRect const g = DraggedGeometry(geometry(), m_TrackHit, step);
    m_Form->SetBounds(g.x(), g.y(), g.width(), g.height());
    return true;
}

void TFormWindow::EndKeyboardTracking(bool keep) {
    m_Tracking = false;
    if (!keep)
        m_Form->SetBounds(m_TrackStart.x(), m_TrackStart.y(), m_TrackStart.width(), m_TrackStart.height());
}

void TFormWindow::LayoutFrame(TFrameLayout const& layout) {
    m_Client->setGeometry(layout.Client);
    m_MenuBar->setVisible(!layout.Menu.isNull());
    if (!layout.Menu.isNull())
        m_MenuBar->setGeometry(layout.Menu);
    update();
}

QImage* TFormWindow::FrameImage() {
    if (m_Frame.size() != size()) {
        m_Frame = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        m_Frame.fill(ColorToRGB(clBtnFace));
    }
    return &m_Frame;
}

void TFormWindow::paintEvent(QPaintEvent*) {
    if (!m_Form)
        return;
    FrameImage();
    // WParam 1: the whole frame needs painting.
    m_Painting = true;
    m_Form->Perform(WM_NCPAINT, 1, 0);
    m_Painting = false;
    QPainter painter(this);
    painter.drawImage(0, 0, m_Frame);
}

void TFormWindow::PaintNonClient(QPainter& painter) {
    TFramePaint paint;
    paint.Active = m_ActiveLook;
    paint.Caption = m_Form->Caption();
    paint.Icon = m_Form->Icon()->Image();
    paint.Pressed = m_PressedLook ? m_Pressed : htNowhere;
    PaintFrame(painter, m_Form->Layout(), size(), m_Form->FrameStyle(), paint);
}

void TFormWindow::resizeEvent(QResizeEvent*) {
    if (!m_Form)
        return;
    if (size() != m_Form->BoundsRect().size())
        m_Form->SetBounds(x(), y(), width(), height());
    else
        m_Form->LayoutWindow();
}

void TFormWindow::moveEvent(QMoveEvent*) {
    if (!m_Form)
        return;
    if (pos() != m_Form->BoundsRect().topLeft())
        m_Form->SetBounds(x(), y(), width(), height()); // a move may come before its resize
}

void TFormWindow::changeEvent(QEvent* event) {
    if (!m_Form) {
        QWidget::changeEvent(event);
        return;
    }
    if (event->type() == QEvent::ActivationChange)
        ActivationChanged();
    if (event->type() == QEvent::WindowStateChange)
        m_Form->SetWindowState(isMinimized() ? wsMinimized : isMaximized() ? wsMaximized : wsNormal);
    QWidget::changeEvent(event);
}

void TFormWindow::ActivationChanged() {
    if (!m_Form)
        return;
    bool const active = isActiveWindow();
    if (!active && m_ActiveLook && host::popup_open()) {
        // A menu of this program took Qt's activation: the window looks active until it closes.
        QPointer<TFormWindow> self(this);
        host::when_popups_closed(this, [self] {
            if (self)
                self->ActivationChanged();
        });
        return;
    }
    if (active == m_ActiveLook)
        return;
    m_ActiveLook = active;
    m_Form->Perform(WM_NCACTIVATE, active ? 1 : 0, 0);
}

void TFormWindow::closeEvent(QCloseEvent* event) {
    if (!m_Form)
        return;
    // The form decides: Close hides it and ends the loop for the main form.
    event->ignore();
    m_Form->Close();
}

void TFormWindow::mousePressEvent(QMouseEvent* event) {
    if (!m_Form)
        return;
    QPoint const global = event->globalPosition().toPoint();
    LPARAM const point = PointToLParam(global.x(), global.y());
    auto const hit = static_cast<WPARAM>(m_Form->Perform(WM_NCHITTEST, 0, point));
    if (hit == htClient || hit == htNowhere)
        return;
    if (event->button() == Qt::LeftButton)
        m_Form->Perform(WM_NCLBUTTONDOWN, hit, point);
    else if (event->button() == Qt::RightButton)
        m_Form->Perform(WM_NCRBUTTONDOWN, hit, point);
}

void TFormWindow::NcLeftButtonDown(THitTest hit, QPoint global) {
    if (hit == htClose || hit == htMinButton || hit == htMaxButton) {
        m_Pressed = hit;
        m_PressedLook = true;
        update();
        return;
    }
    if (hit == htSysMenu) {
        m_Form->Perform(WM_SYSCOMMAND, SC_MOUSEMENU, 0);
        return;
    }
    bool const byHand = !windowHandle();
    if (hit == htCaption) {
        if (byHand || !windowHandle()->startSystemMove()) {
            m_Dragging = htCaption;
            m_DragStart = global;
            m_DragGeometry = geometry();
        }
    } else if (Qt::Edges edges = EdgesOf(hit)) {
        if (byHand || !windowHandle()->startSystemResize(edges)) {
            m_Dragging = hit;
            m_DragStart = global;
            m_DragGeometry = geometry();
        }
    }
}

bool TFormWindow::RouteCaptured(QMouseEvent* event, UINT message) {
    if (!m_Captured)
        return false;
    QPoint const client = event->position().toPoint() - m_Form->Layout().Client.topLeft();
    m_Form->Perform(message, 0, PointToLParam(client.x(), client.y()));
    return true;
}

void TFormWindow::SetCaptured(bool captured) {
    if (captured == m_Captured)
        return;
    m_Captured = captured;
    if (captured)
        grabMouse();
    else
        releaseMouse();
}

void TFormWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!m_Form || RouteCaptured(event, WM_MOUSEMOVE))
        return;
    QPoint const point = event->position().toPoint();
    if (m_Pressed != htNowhere) {
        bool const over = FrameHitTest(m_Form->Layout(), size(), m_Form->FrameStyle(), point) == m_Pressed;
        if (over != m_PressedLook) {
            m_PressedLook = over;
            update();
        }
        return;
    }
    if (m_Dragging != htNowhere) {
        QPoint const delta = event->globalPosition().toPoint() - m_DragStart;
        QRect const g = DraggedGeometry(m_DragGeometry, m_Dragging, delta);
        m_Form->SetBounds(g.x(), g.y(), g.width(), g.height());
        return;
    }
    setCursor(CursorOf(FrameHitTest(m_Form->Layout(), size(), m_Form->FrameStyle(), point)));
}

void TFormWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_Form)
        return;
    if (event->button() == Qt::LeftButton && RouteCaptured(event, WM_LBUTTONUP))
        return;
    if (event->button() == Qt::RightButton && RouteCaptured(event, WM_RBUTTONUP))
        return;
    if (event->button() == Qt::RightButton) {
        QPoint const global = event->globalPosition().toPoint();
        LPARAM const point = PointToLParam(global.x(), global.y());
        auto const hit = static_cast<WPARAM>(m_Form->Perform(WM_NCHITTEST, 0, point));
        if (hit != htClient && hit != htNowhere)
            m_Form->Perform(WM_NCRBUTTONUP, hit, point);
        return;
    }
    m_Dragging = htNowhere;
    if (event->button() != Qt::LeftButton || m_Pressed == htNowhere)
        return;
    THitTest const pressed = m_Pressed;
    bool const over = m_PressedLook;
    m_Pressed = htNowhere;
    m_PressedLook = false;
    update();
    if (over)
        ButtonAction(pressed);
}

void TFormWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!m_Form)
        return;
    if (event->button() == Qt::LeftButton && RouteCaptured(event, WM_LBUTTONDBLCLK))
        return;
    if (event->button() != Qt::LeftButton)
        return;
    QPoint const global = event->globalPosition().toPoint();
    LPARAM const point = PointToLParam(global.x(), global.y());
    auto const hit = static_cast<WPARAM>(m_Form->Perform(WM_NCHITTEST, 0, point));
    if (hit != htClient && hit != htNowhere)
        m_Form->Perform(WM_NCLBUTTONDBLCLK, hit, point);
}

void TFormWindow::NcLeftButtonDoubleClick(THitTest hit) {
    if (hit == htCaption && m_Form->BorderIcons().testFlag(biMaximize) && m_Form->BorderStyle() == bsSizeable)
        ToggleMaximized();
    else if (hit == htSysMenu)
        m_Form->Perform(WM_SYSCOMMAND, SC_CLOSE, 0);
}

void TFormWindow::NcRightButtonUp(THitTest hit) {
    if (hit == htCaption || hit == htSysMenu)
        ShowSystemMenu(false);
}

void TFormWindow::ToggleMaximized() {
    m_Form->Perform(WM_SYSCOMMAND, m_Form->WindowState() == wsMaximized ? SC_RESTORE : SC_MAXIMIZE, 0);
}

void TFormWindow::ButtonAction(THitTest button) {
    switch (button) {
    case htClose:
        m_Form->Perform(WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case htMinButton:
        if (m_Form->BorderIcons().testFlag(biMinimize))
            m_Form->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    case htMaxButton:
        if (m_Form->BorderIcons().testFlag(biMaximize))
            ToggleMaximized();
        break;
    default:
        break;
    }
}
