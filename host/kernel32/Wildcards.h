// File-name patterns as Windows matches them in folder searches. The pattern is first turned
// into the file system's own forms, as FindFirstFile does: "*.*" becomes "*"; "?" matches one
// character, or none at the end of the name or before a dot; a "*" before a dot stops before
// the name's last dot; a dot before "?" or "*", or at the end, also matches the end of the name
// ("*." so matches names without an extension, "A.*" also "A"). Letters match without regard to
// case.
#pragma once

#include <string_view>

namespace host {

bool matches_dos_pattern(std::string_view pattern, std::string_view name);

}
