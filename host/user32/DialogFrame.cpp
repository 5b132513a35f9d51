// The Windows 95 dialog frame around Qt dialogs: geometry, painting, and the object that serves
// the frame's mouse and paints it for the dialog.
#include "host/DialogFrame.h"

#include "X11Desktop.h"
#include "gdi32/Gdi.h"
#include "host/FrameDrawing.h"
#include "host/GuiThread.h"

#include <QDialog>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

namespace host {

DialogFrameLayout dialog_frame_layout(QSize outer) {
    DialogFrameLayout layout;
    int const w = outer.width();
    int const h = outer.height();
    int const border = GetSystemMetrics(SM_CXDLGFRAME);
    // SM_CYCAPTION counts the line below the caption bar.
    int const caption_height = GetSystemMetrics(SM_CYCAPTION);
    layout.border = border;
    layout.caption = QRect(border, border, std::max(0, w - 2 * border), caption_height - 1);
    // The close button sits 2 pixels in from the caption's top and right, as on the forms' frames.
    int const button_width = GetSystemMetrics(SM_CXSIZE) - 2;
    int const button_height = GetSystemMetrics(SM_CYSIZE) - 4;
    layout.close_button = QRect(layout.caption.right() - 2 - button_width + 1, layout.caption.top() + 2,
                                button_width, button_height);
    int const text_left = layout.caption.left() + 2;
    layout.text = QRect(text_left, layout.caption.top(),
                        std::max(0, layout.close_button.left() - 3 - text_left + 1), layout.caption.height());
    int const client_top = border + caption_height;
    layout.client =
        QRect(border, client_top, std::max(0, w - 2 * border), std::max(0, h - border - client_top));
    return layout;
}

DialogFrameHit dialog_frame_hit(DialogFrameLayout const& layout, QPoint point) {
    QRect const outer(0, 0, layout.client.right() + layout.border + 1,
                      layout.client.bottom() + layout.border + 1);
    if (!outer.contains(point))
        return DialogFrameHit::nowhere;
    if (layout.client.contains(point))
        return DialogFrameHit::client;
    if (layout.close_button.contains(point))
        return DialogFrameHit::close_button;
    if (layout.caption.contains(point))
        return DialogFrameHit::caption;
    return DialogFrameHit::border;
}

void paint_dialog_frame(QPainter& painter, DialogFrameLayout const& layout, QString const& title,
                        DialogFramePaint const& state) {
    QRect const outer(0, 0, layout.client.right() + layout.border + 1,
                      layout.client.bottom() + layout.border + 1);
    QRegion const frame = QRegion(outer) - QRegion(layout.client);
    painter.save();
    painter.setClipRegion(frame, Qt::IntersectClip);
    // The dialog frame is the face colour inside the raised edge, the line below the caption too.
    painter.fillRect(outer, user32::to_qcolor(GetSysColor(COLOR_BTNFACE)));
    draw_raised_edge(painter, outer);
    UINT const active = state.active ? DC_ACTIVE : 0;
    draw_caption(painter, layout.caption, active, {}, {});
    // Text over the caption left of the close button; draw_caption indents it by 2 pixels.
    QRect const text_area(layout.caption.topLeft(), layout.text.bottomRight());
    draw_caption(painter, text_area, active | DC_TEXT, {}, title);
    draw_frame_control(painter, layout.close_button, DFC_CAPTION,
                       DFCS_CAPTIONCLOSE | (state.close_pushed ? DFCS_PUSHED : 0) |
                           (state.close_enabled ? 0 : DFCS_INACTIVE));
    painter.restore();
}

namespace {

// Lives as a child of the dialog and filters its events: paints the frame before the dialog
// paints its contents, serves presses on the caption and the close button, and repaints the
// caption when the title or the activation changes. What happens over the contents is left to
// the dialog and its children.
class DialogFrame : public QObject {
  public:
    DialogFrame(QWidget& dialog, bool can_close)
        : QObject(&dialog), m_dialog(dialog), m_can_close(can_close) {
        dialog.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &m_dialog)
            return false;
        switch (event->type()) {
        case QEvent::Paint:
            paint();
            return false; // the dialog paints its contents after
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return press(*static_cast<QMouseEvent*>(event));
        case QEvent::MouseMove:
            return move(*static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonRelease:
            return release(*static_cast<QMouseEvent*>(event));
        case QEvent::WindowTitleChange:
        case QEvent::ActivationChange:
        case QEvent::EnabledChange:
            update_frame();
            return false;
        case QEvent::Hide:
            m_close_held = false;
            m_moving = false;
            return false;
        default:
            return false;
        }
    }

  private:
    DialogFrameLayout layout() const { return dialog_frame_layout(m_dialog.size()); }

    void update_frame() {
        DialogFrameLayout const frame = layout();
        m_dialog.update(QRegion(m_dialog.rect()) - QRegion(frame.client));
    }

    void paint() {
        QPainter painter(&m_dialog);
        DialogFramePaint state;
        state.active = m_dialog.isActiveWindow();
        state.close_enabled = m_can_close && m_dialog.isEnabled();
        state.close_pushed = m_close_held && m_close_look;
        paint_dialog_frame(painter, layout(), m_dialog.windowTitle(), state);
    }

    bool press(QMouseEvent const& event) {
        if (event.button() != Qt::LeftButton)
            return false;
        switch (dialog_frame_hit(layout(), event.position().toPoint())) {
        case DialogFrameHit::close_button:
            if (m_can_close) {
                m_close_held = true;
                m_close_look = true;
                m_dialog.update(layout().close_button);
            }
            return true;
        case DialogFrameHit::caption:
            if (event.type() == QEvent::MouseButtonPress)
                start_move(event);
            return true;
        case DialogFrameHit::border:
            return true;
        default:
            return false;
        }
    }

    // Through the window manager where one runs (it moves the window as its own frames do);
    // on a bare server (or without a window system) the dialog follows the pointer itself, keeping
    // the point pressed under it. The window manager starts from where Qt believes the pointer is,
    // which is wrong until the window system has told Qt where the window went after showing it
    // (a press right then): the dialog moves itself then too.
    void start_move(QMouseEvent const& event) {
        QPoint const pressed = event.position().toPoint();
        QWindow* window = m_dialog.windowHandle();
        bool const placed = m_dialog.mapToGlobal(pressed) == event.globalPosition().toPoint();
        if (placed && user32::has_window_system() && user32::x11::window_manager_running() && window &&
            window->startSystemMove())
            return;
        m_moving = true;
        m_pressed_at = pressed;
    }

    bool move(QMouseEvent const& event) {
        if (m_moving) {
            m_dialog.move(event.globalPosition().toPoint() - m_pressed_at);
            return true;
        }
        if (!m_close_held)
            return false;
        // The button shows pushed only while the pointer is over it, as Windows' frame buttons.
        bool const over = layout().close_button.contains(event.position().toPoint());
        if (over != m_close_look) {
            m_close_look = over;
            m_dialog.update(layout().close_button);
        }
        return true;
    }

    bool release(QMouseEvent const& event) {
        if (event.button() != Qt::LeftButton)
            return false;
        if (m_moving) {
            m_moving = false;
            return true;
        }
        if (!m_close_held)
            return false;
        bool const over = layout().close_button.contains(event.position().toPoint());
        m_close_held = false;
        m_close_look = false;
        m_dialog.update(layout().close_button);
        if (over)
            m_dialog.close();
        return true;
    }

    QWidget& m_dialog;
    bool const m_can_close;
    bool m_close_held = false;
    bool m_close_look = false;
    bool m_moving = false;
    QPoint m_pressed_at; // where in the dialog the moving press was
};

} // namespace

void add_dialog_frame(QWidget& dialog, bool can_close) {
    DialogFrameLayout const frame = dialog_frame_layout(QSize(100, 100));
    QMargins const margins(frame.client.left(), frame.client.top(), frame.border, frame.border);
    // Frameless keeps the dialog's window type; Qt asks the window manager for no decoration.
    dialog.setWindowFlags(dialog.windowFlags() | Qt::FramelessWindowHint);
    dialog.setContentsMargins(dialog.contentsMargins() + margins);
    if (dialog.testAttribute(Qt::WA_Resized))
        dialog.resize(dialog.size() +
                      QSize(margins.left() + margins.right(), margins.top() + margins.bottom()));
    // A dialog frame does not size; a sizing grip would sit on the frame's bottom-right corner.
    if (auto* box = qobject_cast<QDialog*>(&dialog))
        box->setSizeGripEnabled(false);
    new DialogFrame(dialog, can_close);
}

} // namespace host
