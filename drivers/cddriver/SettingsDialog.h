// The device's own dialog for "configure": the settings of cdvideo.ini, one control each. The
// controls carry the keys' names as object names ("Scale", "DspAudio", ...).
#pragma once

#include "drivers/cdmodules.h"

#include <string>

namespace cddriver {

// Shows the dialog modally over the settings; true (with the settings changed) on OK, false when
// cancelled or closed. `display` names the display path shown beside the DCI switch.
bool edit_settings(CdSettings& settings, const std::string& title, const std::string& display);

} // namespace cddriver
