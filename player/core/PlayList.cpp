#include "core/PlayList.h"

#include "core/DeviceHandling.h"
#include "core/Player.h"
#include "ops/OpenMedia.h"
#include "ops/Transport.h"

#include "host/commdlg.h"
#include "host/user32_dialogs.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace player {

namespace {

// The dialog's filter pairs: description, then pattern, the list ended by an empty description.
constexpr char file_filters[] = "movie file (*.mpg;*.dat;*.avi;*.mov;*.flc;*.fli )\0"
                                "*.mpg;*.dat;*.avi;*.mov;*.fli;*.flc\0"
                                "all file (*.*)\0"
                                "*.*\0";
constexpr char dialog_title[] = "Open File (Notice: MultiSelection Available)";
// Several files at once, existing ones only; no OFN_EXPLORER, so the selection comes back in the
// classic format that count_items and item_path read.
constexpr DWORD dialog_flags = OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;

void report_dialog_error(DWORD code) {
    char text[64];
    std::snprintf(text, sizeof text, "GetOpenFileName returned Error #%lu", static_cast<unsigned long>(code));
    MessageBoxA(windows.main_window, text, "WARNING", MB_ICONERROR);
}

// Copies `length` characters of `text` to the end of `path`, cut at the path limit.
void append(char (&path)[path_size], char const* text, std::size_t length) {
    const std::size_t used = std::strlen(path);
    const std::size_t room = path_size - 1 - used;
    const std::size_t taken = length < room ? length : room;
    std::memcpy(path + used, text, taken);
    path[used + taken] = '\0';
}

// The names of a DOS path between its backslashes, the drive ("C:") first.
std::vector<std::string_view> path_names(std::string_view path) {
    std::vector<std::string_view> names;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start)
            names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

bool same_name(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

std::string joined(std::span<std::string_view const> names) {
    std::string text;
    for (std::string_view name : names)
        text.append(text.empty() ? "" : "\\").append(name);
    return text;
}

// How many leading names (the drive and folders) every path shares; at least one file name is
// left to each path.
std::size_t shared_folder_depth(std::vector<std::vector<std::string_view>> const& paths) {
    std::size_t depth = paths.front().size() - 1;
    for (auto const& names : paths) {
        std::size_t same = 0;
        while (same < depth && same + 1 < names.size() && same_name(names[same], paths.front()[same]))
            ++same;
        depth = same;
    }
    return depth;
}

// After a file of the list failed to open the device is closed and its video window gone: the
// window shows what it shows with nothing open, as after a failed open command (the panel-only
// layout, the backdrop, an empty text field), not the last picture and readouts of the file before.
void show_nothing_open() {
    reset_medium_readouts();
    apply_panel_only_layout();
    if (windows.main_window)
        InvalidateRect(windows.main_window, nullptr, TRUE);
}

} // namespace

std::vector<std::string> select_files(std::span<std::string const> paths) {
    state.selected_files[0] = '\0';
    std::vector<std::string> left_out;
    std::vector<std::vector<std::string_view>> names;
    for (std::string const& path : paths) {
        std::vector<std::string_view> split = path_names(path);
        if (split.size() < 2 || (!names.empty() && !same_name(split.front(), names.front().front())))
            left_out.push_back(path);
        else
            names.push_back(std::move(split));
    }
    if (names.empty())
        return left_out;
    constexpr std::size_t longest_path = path_size - 1;
    constexpr std::size_t longest_selection = selection_size - 1;
    std::string selection;
    if (names.size() == 1) {
        selection = joined(names.front());
        if (selection.size() > longest_path) {
            left_out.push_back(selection);
            selection.clear();
        }
    } else {
        const std::size_t depth = shared_folder_depth(names);
        const auto folder_names = std::span(names.front()).first(depth);
        // A root folder reads "C:\" as the dialog gives it; its items then read "C:\\A.MPG".
        const std::string folder = depth == 1 ? joined(folder_names) + "\\" : joined(folder_names);
        selection = folder;
        for (auto const& path : names) {
            const std::string below = joined(std::span(path).subspan(depth));
            if (folder.size() + 1 + below.size() > longest_path ||
                selection.size() + 1 + below.size() > longest_selection)
                left_out.push_back(joined(path));
            else
                selection += " " + below;
        }
        if (selection == folder)
            selection.clear();
    }
    std::memcpy(state.selected_files, selection.c_str(), selection.size() + 1);
    return left_out;
}

void choose_files() {
    state.selected_files[0] = '\0';
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = windows.main_window;
    dialog.lpstrFilter = file_filters;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = state.selected_files;
    dialog.nMaxFile = selection_size;
    dialog.lpstrTitle = dialog_title;
    dialog.Flags = dialog_flags;
    dialog.lpstrDefExt = "*";
    if (!GetOpenFileNameA(&dialog)) {
        // A failed dialog may leave bytes in the buffer (the size it wanted, when it was too
        // small): the selection is empty after every failure, so nothing half-read gets opened.
        state.selected_files[0] = '\0';
        if (const DWORD code = CommDlgExtendedError())
            report_dialog_error(code);
    }
    if (windows.main_window)
        InvalidateRect(windows.main_window, nullptr, TRUE);
}

void count_items() {
    std::int32_t spaces = 0;
    for (char const* c = state.selected_files; *c; ++c)
        spaces += *c == ' ';
    state.item_count = spaces > 0 ? spaces : 1;
    state.item_index = 0;
}

void item_path(char const* selection, std::int32_t index, char (&path)[path_size]) {
    path[0] = '\0';
    char const* first_space = std::strchr(selection, ' ');
    if (!first_space) {
        append(path, selection, std::strlen(selection));
        return;
    }
    char const* name = first_space;
    for (std::int32_t i = 1; i < index && name; ++i)
        name = std::strchr(name + 1, ' ');
    if (index < 1 || !name)
        return;
    ++name;
    char const* end = std::strchr(name, ' ');
    append(path, selection, static_cast<std::size_t>(first_space - selection));
    append(path, "\\", 1);
    append(path, name, end ? static_cast<std::size_t>(end - name) : std::strlen(name));
}

void next_item() {
    state.item_index += 1;
    if (state.item_index > state.item_count)
        state.item_index = 1;
    // A single file or a disc restarts from its beginning without being reopened.
    if (state.item_count == 1 && state.media_open) {
        seek_to(0);
        play();
        return;
    }
    state.media_open = false;
    state.playing = false;
    char path[path_size] = {};
    if (state.file_mode)
        item_path(state.selected_files, state.item_index, path);
    if (!open_file(path))
        show_nothing_open();
}

void previous_item() {
    state.item_index -= 2;
    if (state.item_index < 0)
        state.item_index = state.item_count - 1;
    next_item();
}

} // namespace player
