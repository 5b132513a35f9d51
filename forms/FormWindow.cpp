#include "forms/FormWindow.h"

#include "forms/Forms.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
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

} // namespace

TFormWindow::TFormWindow(TForm* form)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_Form(form), m_Client(new QWidget(this)),
      m_MenuBar(new QMenuBar(this)) {
    m_Client->setAutoFillBackground(true);
    m_MenuBar->setNativeMenuBar(false);
    m_MenuBar->hide();
    setMouseTracking(true);
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
    paint.Active = isActiveWindow();
    paint.Caption = m_Form->Caption();
    paint.Icon = m_Form->Icon()->Image();
    paint.Pressed = m_PressedLook ? m_Pressed : htNowhere;
    PaintFrame(painter, m_Form->Layout(), size(), m_Form->FrameStyle(), paint);
}

void TFormWindow::resizeEvent(QResizeEvent*) {
    if (!m_Form)
        return;
    if (size() != m_Form->BoundsRect().size())
        m_Form->SetBounds(m_Form->Left(), m_Form->Top(), width(), height());
    else
        m_Form->LayoutWindow();
}

void TFormWindow::moveEvent(QMoveEvent*) {
    if (!m_Form)
        return;
    if (pos() != m_Form->BoundsRect().topLeft())
        m_Form->SetBounds(x(), y(), m_Form->Width(), m_Form->Height());
}

void TFormWindow::changeEvent(QEvent* event) {
    if (!m_Form) {
        QWidget::changeEvent(event);
        return;
    }
    if (event->type() == QEvent::ActivationChange)
        m_Form->Perform(WM_NCACTIVATE, isActiveWindow() ? 1 : 0, 0);
    if (event->type() == QEvent::WindowStateChange)
        m_Form->SetWindowState(isMinimized() ? wsMinimized : isMaximized() ? wsMaximized : wsNormal);
    QWidget::changeEvent(event);
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
    bool const byHand = !windowHandle();
    if (hit == htCaption || hit == htSysMenu) {
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
        QRect g = m_DragGeometry;
        if (m_Dragging == htCaption) {
            g.moveTopLeft(g.topLeft() + delta);
        } else {
            Qt::Edges const edges = EdgesOf(m_Dragging);
            if (edges & Qt::LeftEdge)
                g.setLeft(std::min(g.left() + delta.x(), g.right() - 100));
            if (edges & Qt::RightEdge)
                g.setRight(std::max(g.right() + delta.x(), g.left() + 100));
            if (edges & Qt::TopEdge)
                g.setTop(std::min(g.top() + delta.y(), g.bottom() - 30));
            if (edges & Qt::BottomEdge)
                g.setBottom(std::max(g.bottom() + delta.y(), g.top() + 30));
        }
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
        m_Form->Close();
}

void TFormWindow::ToggleMaximized() {
    m_Form->SetWindowState(m_Form->WindowState() == wsMaximized ? wsNormal : wsMaximized);
}

void TFormWindow::ButtonAction(THitTest button) {
    switch (button) {
    case htClose:
        m_Form->Close();
        break;
    case htMinButton:
        if (m_Form->BorderIcons().testFlag(biMinimize))
            m_Form->SetWindowState(wsMinimized);
        break;
    case htMaxButton:
        if (m_Form->BorderIcons().testFlag(biMaximize))
            ToggleMaximized();
        break;
    default:
        break;
    }
}
