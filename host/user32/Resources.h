// Resources loaded through the program's resource loader: icons, cursors and accelerator tables
// behind their handles. GUI thread only.
#pragma once

#include "host/user32.h"

#include <QCursor>
#include <QImage>

#include <optional>
#include <vector>

namespace host::user32 {

// The image of an icon; a null image for an unknown handle.
QImage icon_image(HICON icon);
// The shape of a cursor handle; nothing for an unknown handle.
std::optional<Qt::CursorShape> cursor_shape(HCURSOR cursor);
// The entries of an accelerator table; nullptr for an unknown handle.
std::vector<ACCEL> const* find_accelerators(HACCEL table);

} // namespace host::user32
