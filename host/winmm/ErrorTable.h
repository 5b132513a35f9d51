// The MCI error codes with their constants and the English texts mciGetErrorStringA gives.
#pragma once

#include "host/winmm.h"

#include <span>
#include <string_view>

namespace host::mci {

struct ErrorRow {
    MCIERROR code;
    std::string_view constant; // without the MCIERR_ prefix
    std::string_view text;     // empty when Windows has no text for the code
};

std::span<const ErrorRow> error_rows();
const ErrorRow* find_error(MCIERROR code);

} // namespace host::mci
