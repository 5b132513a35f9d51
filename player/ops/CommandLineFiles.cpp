#include "ops/CommandLineFiles.h"

#include "core/CommandChannel.h"
#include "core/CommandLine.h"
#include "core/PlayList.h"
#include "core/Player.h"
#include "ops/OpenMedia.h"

#include "host/user32_dialogs.h"

#include <cctype>
#include <string_view>
#include <vector>

namespace player {

namespace {

bool is_cue_sheet(std::string const& path) {
    constexpr std::string_view extension = ".CUE";
    if (path.size() < extension.size())
        return false;
    for (std::size_t i = 0; i < extension.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(path[path.size() - extension.size() + i])) != extension[i])
            return false;
    return true;
}

// One box for everything not opened, so that a desktop launch with a bad name says so once.
void report_not_opened(std::vector<std::string> const& arguments) {
    constexpr std::size_t longest_text = 1024;
    std::string text = "These files were not opened:";
    for (std::string const& argument : arguments) {
        if (text.size() + 1 + argument.size() > longest_text) {
            text += "\n...";
            break;
        }
        text += "\n" + argument;
    }
    MessageBoxA(windows.main_window, text.c_str(), "WARNING", MB_ICONERROR);
}

} // namespace

void open_command_line_files(std::span<std::string const> files) {
    if (files.empty())
        return;
    DosFiles found = dos_paths_of_files(files);
    std::vector<std::string> not_opened = std::move(found.left_out);
    if (!found.paths.empty() && is_cue_sheet(found.paths.front())) {
        // A disc plays alone: the files after its cue sheet are not opened.
        not_opened.insert(not_opened.end(), found.paths.begin() + 1, found.paths.end());
        if (found.paths.front().size() < path_size)
            play_disc_image(found.paths.front().c_str());
        else
            not_opened.insert(not_opened.begin(), found.paths.front());
    } else {
        std::vector<std::string> left_out = select_files(found.paths);
        not_opened.insert(not_opened.end(), left_out.begin(), left_out.end());
        if (state.selected_files[0] != '\0') {
            copy_text(state.device_type, sizeof state.device_type, "MPEGMovie");
            state.file_mode = true;
            play_selection();
        }
    }
    if (!not_opened.empty())
        report_not_opened(not_opened);
}

} // namespace player
