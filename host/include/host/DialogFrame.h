// The Windows 95 dialog frame for the Qt dialogs the host and the programs show (message boxes,
// the input box, the open-file dialog, a driver's settings): the raised double edge, the caption
// with the window's title and no icon, as dialog boxes have it, and the close button, drawn by the
// dialog itself so that it looks the same on a bare X server and under any window manager. The
// window manager is asked for no decoration of its own. Geometry (dialog_frame_layout,
// dialog_frame_hit) is separate from painting and serves both painting and the mouse. GUI thread.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;
class QWidget;

namespace host {

struct DialogFrameLayout {
    int border = 0;     // the dialog frame on every side (SM_CXDLGFRAME)
    QRect caption;      // the caption bar, without the line below it
    QRect text;         // where the title goes, left of the close button
    QRect close_button; // the caption's close button
    QRect client;       // what the dialog's own contents fill
};

// The frame of a dialog `outer` pixels large, in its own coordinates.
DialogFrameLayout dialog_frame_layout(QSize outer);

enum class DialogFrameHit { nowhere, client, caption, close_button, border };
DialogFrameHit dialog_frame_hit(DialogFrameLayout const& layout, QPoint point);

struct DialogFramePaint {
    bool active = true;        // the caption in the active or the inactive colours
    bool close_enabled = true; // the close button greyed when the dialog cannot be closed
    bool close_pushed = false; // the close button drawn pushed in (held by the mouse)
};

// Draws the frame, the caption with `title` and the close button around layout.client.
void paint_dialog_frame(QPainter& painter, DialogFrameLayout const& layout, QString const& title,
                        DialogFramePaint const& state);

// Gives a top-level dialog, before it is shown, the frame: it becomes frameless to the window
// manager, its contents margins make room for the frame (its layout and size hints honour them;
// a size already given grows by the frame), and an object the dialog owns paints the frame,
// moves the dialog by its caption and closes it by the close button as the window manager's close
// would (QWidget::close, so a message box answers with its escape button). `can_close` false draws
// the close button greyed and makes it do nothing, as on a box with no Cancel answer.
void add_dialog_frame(QWidget& dialog, bool can_close = true);

} // namespace host
