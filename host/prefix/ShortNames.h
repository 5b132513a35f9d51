// 8.3 short names for long host names, made up the way Wine makes them up when the file system
// keeps none: stable (a hash of the long name, not a ~1 counter), so they resolve back.
#pragma once

#include "host/HostPaths.h"

#include <string>
#include <string_view>

namespace host {

bool is_valid_short_name(std::string_view name);

// The name the `A` functions see for a name on the Linux disk (UTF-8): its spelling in the ANSI
// code page, or its short name when it has none.
std::string dos_name_of(std::string_view host_name);

}
