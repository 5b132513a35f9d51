#include "host/HostPaths.h"

#include "prefix/Prefix.h"

namespace host {

std::optional<std::filesystem::path> host_path_of(std::string_view dos_path) {
    return Prefix::current().to_host(dos_path);
}

std::optional<std::string> dos_path_of(const std::filesystem::path& host_path, bool short_names) {
    return Prefix::current().to_dos(host_path, short_names);
}

std::filesystem::path prefix_root() {
    return Prefix::current().root();
}

void reset_prefix() {
    Prefix::reset();
}

}
