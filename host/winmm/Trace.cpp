#include "Trace.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace host::mci {

namespace {

// Line breaks inside a command or reply would split its line; they are written as blanks.
std::string one_line(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (c == '\n' || c == '\r')
            c = ' ';
    return line;
}

} // namespace

void trace_command(std::string_view command, MCIERROR result, std::string_view reply) {
    const char* path = std::getenv("MCITRACE");
    if (!path || !*path)
        return;
    static std::mutex trace_mutex;
    std::lock_guard lock(trace_mutex);
    std::FILE* file = std::fopen(path, "a");
    if (!file)
        return;
    std::string line = one_line(command) + "\t" + std::to_string(result) + "\t" + one_line(reply) + "\n";
    std::fwrite(line.data(), 1, line.size(), file);
    std::fflush(file);
    std::fclose(file);
}

} // namespace host::mci
