// 8.3 short names for long host names, made up the way Wine makes them up when the file system
// keeps none: stable (a hash of the long name, not a ~1 counter), so they resolve back.
#pragma once

#include <string>
#include <string_view>

namespace host {

bool is_valid_short_name(std::string_view name);
// The name itself when it already is a valid 8.3 name, otherwise the made-up short name.
std::string short_name_of(std::string_view long_name);

}
