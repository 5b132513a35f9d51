// The MCI trace: when the environment variable MCITRACE names a file, every command string is
// appended to it as one line (command, tab, result code, tab, reply) and flushed at once, so the
// trace survives a crash. Off by default; a diagnostic of the host layer.
#pragma once

#include "host/winmm.h"

#include <string_view>

namespace host::mci {

void trace_command(std::string_view command, MCIERROR result, std::string_view reply);

}
