#pragma once
// Putting a picture on a window straight from picture memory shared with the X server
// (host/SharedPixels.h), without painting it through Qt's backing store.

class QImage;
class QWidget;

namespace host::user32 {

// GUI thread. Puts `picture` (RGB32, as large as the widget) on the widget's own X window and
// returns true, when its pixels lie in a shared segment and the shown window can take them
// (depth 24, no scaled screen, no Qt children); false leaves the picture to the usual painting.
// The first call sets the pool up, so that movies take shared memory from then on.
bool put_shared_picture(QWidget& widget, QImage const& picture);

} // namespace host::user32
