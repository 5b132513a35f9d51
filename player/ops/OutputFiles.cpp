// Output names and the exclusive creation of output files.
#include "ops/Capture.h"

#include "core/Player.h"

#include <cstdio>

namespace player {

namespace {

// Eight decimal digits number the files.
constexpr std::int32_t last_output_number = 99999999;

// A name is taken when the folder has any entry of that name: a file (hidden ones too) or a
// folder. Asked through the file's attributes, which exist exactly when the entry does.
bool output_name_taken(char const* name) {
    return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

bool next_output_name(char* name, char const* extension) {
    do {
        if (state.output_counter < 0 || state.output_counter >= last_output_number) {
            name[0] = '\0';
            return false;
        }
        ++state.output_counter;
        std::snprintf(name, path_size, "%s%8.8d%s", state.output_folder, state.output_counter, extension);
    } while (output_name_taken(name));
    return true;
}

HANDLE create_output_file(char* name, char const* extension) {
    while (next_output_name(name, extension)) {
        HANDLE file =
            CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace player
