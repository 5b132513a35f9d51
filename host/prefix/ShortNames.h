// 8.3 short names for long host names, made up the way Wine makes them up when the file system
// keeps none: stable (a hash of the long name, not a ~1 counter), so they resolve back.
#pragma once

#include "host/HostPaths.h"

#include <string>
#include <string_view>

namespace host {

bool is_valid_short_name(std::string_view name);

}
