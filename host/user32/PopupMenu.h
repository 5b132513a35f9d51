// Choosing from a pop-up menu: the test's responder when one is installed, else a QMenu shown at
// the point until the user picks or dismisses. GUI thread only.
#pragma once

#include "host/user32.h"

class QWidget;

namespace host::user32 {

// The chosen command id, 0 when dismissed (also for an id that is no enabled item).
UINT choose_from_menu(host::PopupMenuRequest const& request, QWidget* parent);

} // namespace host::user32
