// Whether a shown dialog wears the host's Windows 95 dialog frame: no decoration asked of the
// window manager, every shown child inside the frame, and the caption painted in the active or
// the inactive caption colour.
#pragma once

#include "host/DialogFrame.h"

#include <QImage>
#include <QWidget>

#include <string>

// Empty when the dialog wears the frame; else what is wrong with it.
inline std::string dialog_frame_fault(QWidget& dialog) {
    if (!dialog.windowFlags().testFlag(Qt::FramelessWindowHint))
        return "the window manager is asked to decorate it";
    host::DialogFrameLayout const frame = host::dialog_frame_layout(dialog.size());
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible() && !child->isWindow() && !frame.client.contains(child->geometry()))
            return std::string(child->metaObject()->className()) + " reaches into the frame";
    QRgb const caption = dialog.grab().toImage().pixel(frame.caption.topLeft());
    constexpr QRgb active = 0xFF000080;   // COLOR_ACTIVECAPTION
    constexpr QRgb inactive = 0xFF808080; // COLOR_INACTIVECAPTION
    if (caption != active && caption != inactive)
        return "no caption on its frame";
    return {};
}
