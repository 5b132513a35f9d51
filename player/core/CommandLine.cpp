#include "core/CommandLine.h"

#include "host/HostPaths.h"
#include "host/user32_dialogs.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace player {

namespace {

// A switch starts with '-' or '/' and has a second character; a '/' switch has no other '/',
// which sets it apart from a Linux absolute path.
bool is_switch(std::string_view argument) {
    if (argument.size() < 2)
        return false;
    if (argument[0] == '-')
        return true;
    return argument[0] == '/' && argument.find('/', 1) == std::string_view::npos;
}

// "-" and "/" alone are neither switches nor files; they are ignored as before.
bool is_lone_switch_character(std::string_view argument) {
    return argument == "-" || argument == "/";
}

bool has_drive_letter(std::string_view argument) {
    return argument.size() >= 2 && argument[1] == ':' && std::isalpha(static_cast<unsigned char>(argument[0]));
}

// The Linux file an argument names: a DOS path through the prefix, anything else as a Linux path
// from the current folder. Dots and links are resolved, so the drive found is the file's own.
std::optional<std::filesystem::path> linux_file_of(std::string const& argument) {
    std::error_code error;
    std::filesystem::path path;
    if (has_drive_letter(argument)) {
        std::optional<std::filesystem::path> found = host::host_path_of(argument);
        if (!found)
            return std::nullopt;
        path = *found;
    } else {
        path = std::filesystem::absolute(argument, error);
        if (error)
            return std::nullopt;
    }
    path = std::filesystem::weakly_canonical(path, error);
    if (error || !std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    return path;
}

char drive_of(std::string const& dos_path) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(dos_path.front())));
}

// The file through the drive that holds the Linux root folder, every name a short name.
std::optional<std::string> dos_path_through_root(std::filesystem::path const& file) {
    std::optional<std::string> root = host::dos_path_of("/");
    if (!root || root->size() != 3)
        return std::nullopt; // no drive holds "/" itself
    std::string path = root->substr(0, 2);
    for (std::filesystem::path const& name : file.relative_path())
        path += "\\" + host::short_name_of(name.string());
    return path;
}

} // namespace

CommandLineOptions read_command_line(std::span<std::string const> arguments) {
    CommandLineOptions options;
    bool switches_ended = false;
    for (std::string const& argument : arguments) {
        if (!switches_ended && argument == "--") {
            switches_ended = true;
            continue;
        }
        if (switches_ended || (!is_switch(argument) && !is_lone_switch_character(argument))) {
            if (!argument.empty())
                options.files.push_back(argument);
            continue;
        }
        if (!is_switch(argument))
            continue;
        if (argument[1] == 'd' || argument[1] == 'D')
            options.use_other_devices = true;
        else if (argument[1] == '?') {
            options.show_usage = true;
            break;
        }
    }
    return options;
}

void show_usage_box() {
    MessageBoxA(nullptr, usage_text, usage_caption, MB_ICONQUESTION);
}

DosFiles dos_paths_of_files(std::span<std::string const> files) {
    struct Found {
        std::string const* argument;
        std::filesystem::path file;
        std::string dos;
    };
    DosFiles result;
    std::vector<Found> found;
    for (std::string const& argument : files) {
        std::optional<std::filesystem::path> file = linux_file_of(argument);
        std::optional<std::string> dos = file ? host::dos_path_of(*file, true) : std::nullopt;
        if (dos)
            found.push_back({&argument, *file, *dos});
        else
            result.left_out.push_back(argument);
    }
    const bool one_drive = std::ranges::all_of(
        found, [&](Found const& item) { return drive_of(item.dos) == drive_of(found.front().dos); });
    for (Found& item : found) {
        if (!one_drive) {
            // Without a drive for "/", only the files on the first file's drive make the list.
            std::optional<std::string> through_root = dos_path_through_root(item.file);
            if (through_root)
                item.dos = *through_root;
            else if (drive_of(item.dos) != drive_of(found.front().dos)) {
                result.left_out.push_back(*item.argument);
                continue;
            }
        }
        result.paths.push_back(item.dos);
    }
    return result;
}

} // namespace player
