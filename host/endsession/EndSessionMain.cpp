// endsession: ends the session of a prefix, as ExitWindowsEx asks it to (and as a person or a
// script may): every program running on the prefix is asked, then ended in order.
//   endsession [--prefix DIR] [--force] [--last PID] [--spare PID]
// The prefix is DIR, else the one DOSPREFIX names, else the per-user default. Exit status: 0 the
// session ended, 1 a program refused, 2 another end of this session is under way, 3 bad usage.
#include "host/HostPaths.h"
#include "prefix/Sessions.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

bool read_pid(char const* text, pid_t& pid) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (!end || *end != '\0' || value <= 0)
        return false;
    pid = static_cast<pid_t>(value);
    return true;
}

int usage() {
    std::fputs("usage: endsession [--prefix DIR] [--force] [--last PID] [--spare PID]\n", stderr);
    return 3;
}

} // namespace

int main(int argc, char** argv) {
    host::session::EndOptions options;
    std::filesystem::path prefix;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        pid_t pid = 0;
        if (argument == "--force") {
            options.force = true;
        } else if (argument == "--prefix" && i + 1 < argc) {
            prefix = argv[++i];
        } else if (argument == "--last" && i + 1 < argc && read_pid(argv[++i], pid)) {
            options.last = pid;
        } else if (argument == "--spare" && i + 1 < argc && read_pid(argv[++i], pid)) {
            options.spared = pid;
        } else {
            return usage();
        }
    }
    if (prefix.empty())
        prefix = host::prefix_root();
    switch (host::session::end_session(prefix, options)) {
    case host::session::EndResult::ended:
        return 0;
    case host::session::EndResult::refused:
        return 1;
    case host::session::EndResult::busy:
        return 2;
    }
    return 2;
}
