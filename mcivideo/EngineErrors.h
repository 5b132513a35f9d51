// The MCI error for an engine failure.
#pragma once

#include "media/Result.h"

#include "host/winmm.h"

namespace mcivideo {

// `writing`: the failure happened while writing a file (capture), so an I/O fault is a write error.
MCIERROR mci_error(const media::Error& error, bool writing = false);

} // namespace mcivideo
